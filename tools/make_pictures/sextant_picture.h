#pragma once
// The about-page watermark: a black sextant on a transparent background, 250 × 212 at scale 1.

#include <QImage>
#include <QSize>

inline constexpr QSize SextantSize{250, 212};

// The sextant at a display scale (1 or 2), drawn natively at that scale.
QImage DrawSextant(qreal scale);
