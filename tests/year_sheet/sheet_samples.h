#pragma once
// Helpers of the year sheet tests: a request with distinct colors, days of a month picked by their duty
// code or payday, and pixel statistics over a box of a rendered sheet with a stated tolerance.

#include "schedule/date_serial.h"
#include "year_sheet/year_sheet.h"

#include <QColor>
#include <QImage>
#include <QRectF>
#include <QString>
#include <functional>
#include <optional>
#include <ostream>

// Failure messages show texts as text.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

// Colors that no other element of the sheet uses, each readable on white paper.
inline constexpr TAlphaColor SampleOnDuty = 0xFFDC143C;     // Crimson
inline constexpr TAlphaColor SampleOffDuty = 0xFF008080;    // Teal
inline constexpr TAlphaColor SampleRdo = 0xFFFF8C00;        // Darkorange
inline constexpr TAlphaColor SampleBackground = 0xFF2F4F4F; // Darkslategray

// Group 3, 2027, English (United States), paydays off.
YearSheetRequest SampleRequest();

// The first day of `month` of `year` whose duty code for the assignment is `code`.
std::optional<TDateTime> FirstDayWithCode(int assignment, int year, int month, char code);
// The first day of `month` of `year` that passes `test`.
std::optional<TDateTime> FirstDayOf(int year, int month, const std::function<bool(TDateTime)>& test);
// Index of `date` in the 42-day grid of its month.
int GridIndexOf(TDateTime date);

// Channels differ by at most `tolerance` each.
bool IsNear(QColor a, QColor b, int tolerance);
// The most frequent color in `box` among the pixels farther than `paperTolerance` from `paper`;
// invalid when the box holds only paper.
QColor DominantInk(const QImage& image, const QRectF& box, QColor paper, int paperTolerance);
// The number of pixels in `box` whose color differs from `paper` by more than `tolerance` in a channel.
int InkPixels(const QImage& image, const QRectF& box, QColor paper, int tolerance);
