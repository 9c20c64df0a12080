#pragma once
// How a member's mark shows on a day, the same on the calendar page and on the year sheet: the letter
// of its kind in a small disc of ink, or, where the mark no longer fits the day's duty (the assignment
// changed after it was made), inside a ring of ink. The ink is the contrast color of the fill under
// the sign, so the sign reads on every fill; its shape and letter, not its color, tell the kinds and
// the misfits apart.

#include "settings/alpha_color.h"

struct MarkSignLook {
    TAlphaColor Ink = claBlack;         // the disc, or the ring
    TAlphaColor LetterColor = claWhite; // knocked out of the disc, or in the ink inside the ring
    bool Ring = false;                  // the mark does not fit the day: drawn hollow
};

// The look of a sign on `ground`, for a mark that fits its day's duty or not.
MarkSignLook MarkSignOn(TAlphaColor ground, bool fits);

// A ring's line, as a share of its sign's side.
inline constexpr double MarkRingShare = 0.1;
// The letter's pixel size, as a share of its sign's side.
inline constexpr double MarkLetterShare = 0.6;
