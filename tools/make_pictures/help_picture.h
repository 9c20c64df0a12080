#pragma once
// The help picture: a picture of the settings page on a white panel, with dark gray callout arrows and
// labels around it on a transparent background. 294 × 430 at scale 1.
//
// The page comes in as an image, so the same callouts go on a drawing of the page or on a grab of the
// real page; the targets say where on that image each callout points.

#include <QImage>
#include <QRectF>
#include <QSize>
#include <QSizeF>

inline constexpr QSize HelpPictureSize{294, 430};

// The controls the callouts point at, in the page image's logical coordinates (its device-independent
// size, tool bar included).
struct HelpTargets {
    QRectF save;        // the Save button in the tool bar
    QRectF assignment;  // the assignment drop-down
    QRectF paydays;     // the payday switch
    QRectF shiftColors; // the row of the three shift color buttons
    QRectF leadTrail;   // the Ld / Tr button
    QRectF background;  // the BkGr button
};

// The pixel size at which a page of the given logical size appears in the help picture at this scale;
// a page image of exactly this size is copied without resampling.
QSize HelpPagePixelSize(QSizeF pageSize, qreal scale);

// The help picture at a display scale (1, 2 or 3), drawn natively at that scale around the page image.
QImage DrawHelpPicture(const QImage& page, const HelpTargets& targets, qreal scale);
