#pragma once
// Paints the year sheet onto any QPainter device (PDF writer, image) at the geometry of
// YearSheetGeometry, and the rules the painting follows that tests and callers need by name.

#include "settings/settings_state.h"
#include "year_sheet/year_sheet.h"

#include <QRectF>
#include <QString>

class QPainter;

inline constexpr int FirstSheetYear = 2022;
inline constexpr int LastSheetYear = 2100;

// The font family of every text on the sheet; Debian's fonts-dejavu-core brings it.
inline constexpr const char* YearSheetFontFamily = "DejaVu Sans";

// The color behind the month grids. A sheet is printed to be read on paper, so the grids stay white and
// only the numbers carry ink; but when one of the three duty colors is too pale to read on white (a
// contrast ratio below 1.5:1, such as Yellow or Gold) the grids take the user's background color, on
// which that user chose to read them.
TAlphaColor YearSheetGridFill(const SettingsState& settings);

// "Tolmere Fire Department - Group 3", as the window titles a group ("Group 3" alone without an agency).
QString YearSheetHeading(const YearSheetRequest& request);

// Paints the whole sheet: white paper over `page`, the title, the twelve months and the legend.
// Days of the neighbouring months are left blank: every day stands once, in its own month.
// Throws std::out_of_range, painting nothing, when the year or the assignment lies outside its range.
void PaintYearSheet(QPainter& painter, const QRectF& page, const YearSheetRequest& request);
