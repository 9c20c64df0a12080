#pragma once
// A drawing of the program's settings page (tool bar and page, 330 × 518 logical pixels) as the help
// picture shows it: assignment "Group 3", the payday switch on, the role buttons in their default
// colors. It stands in until the tool grabs the real page from the window.

#include "help_picture.h"

#include <QImage>
#include <QSize>

inline constexpr QSize SettingsPageSketchSize{330, 518};

// The page drawn natively into an image of exactly `pixels` (any size, ideally the page's proportions).
// The image's device pixel ratio maps it back to the page's logical width.
QImage DrawSettingsPageSketch(QSize pixels);

// Where the help picture's callouts point on this drawing, in page coordinates.
HelpTargets SettingsPageSketchTargets();
