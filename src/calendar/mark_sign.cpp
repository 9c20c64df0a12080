#include "mark_sign.h"

MarkSignLook MarkSignOn(TAlphaColor ground, bool fits) {
    MarkSignLook look;
    look.Ink = ContrastColor(ground);
    look.Ring = !fits;
    // Inside a ring the letter lies on the ground, as the ring does.
    look.LetterColor = fits ? ContrastColor(look.Ink) : look.Ink;
    return look;
}
