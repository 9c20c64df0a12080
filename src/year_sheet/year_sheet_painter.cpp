#include "year_sheet/year_sheet_painter.h"

#include "calendar/calendar_colors.h"
#include "calendar/mark_sign.h"
#include "schedule/duty_rotation.h"
#include "schedule/month_navigation.h"
#include "schedule/payday.h"
#include "year_sheet/year_sheet_geometry.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr double LeastReadableContrast = 1.5;
constexpr qreal UnseenLetterSpacing = 1.0 / 32;
// The legend's words: the calendar page's legend ("Wrk", "Off") and the settings page's names for the
// regular day off and the payday marks.
constexpr const char* WorkWord = "Wrk";
constexpr const char* OffWord = "Off";
constexpr const char* RdoWord = "RDO";
constexpr const char* PaydaysWord = "Paydays";
constexpr const char* NotCountedWords = "not counted";

QColor ToColor(TAlphaColor color) {
    return QColor::fromRgba(color);
}

double Channel(unsigned value) {
    const double c = value / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

// Relative luminance as the web's accessibility guidelines define it, alpha ignored.
double Luminance(TAlphaColor color) {
    return 0.2126 * Channel((color >> 16) & 0xFF) + 0.7152 * Channel((color >> 8) & 0xFF) +
           0.0722 * Channel(color & 0xFF);
}

double ContrastOnWhite(TAlphaColor color) {
    return 1.05 / (Luminance(color) + 0.05);
}

QFont SheetFont(qreal pixelSize, bool bold) {
    QFont font(QString::fromLatin1(YearSheetFontFamily));
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(pixelSize))));
    font.setBold(bold);
    // Unhinted glyphs keep text widths proportional to the size, the same in the PDF and the PNG.
    font.setHintingPreference(QFont::PreferNoHinting);
    // Any letter spacing keeps Qt from forming ligatures, so "Off" is copied and found as typed, not
    // with an "ff" ligature; this one is far too small to see.
    font.setLetterSpacing(QFont::AbsoluteSpacing, UnseenLetterSpacing);
    return font;
}

// The largest size up to `pixelSize` at which the widest of `texts` fits into `room`.
QFont FittedFont(qreal pixelSize, bool bold, const QStringList& texts, qreal room) {
    QFont font = SheetFont(pixelSize, bold);
    qreal width = 0;
    for (const QString& text : texts)
        width = std::max(width, QFontMetricsF(font).horizontalAdvance(text));
    if (width > room && width > 0)
        font = SheetFont(pixelSize * room / width, bold);
    return font;
}

void DrawCentered(QPainter& painter, const QRectF& rect, const QString& text) {
    painter.drawText(rect, Qt::AlignCenter, text);
}

void PaintTitle(QPainter& painter, const YearSheetGeometry& geometry, const YearSheetRequest& request) {
    const QRectF rect = geometry.TitleRect();
    const QString year = QString::number(request.Year);
    const QFont yearFont = SheetFont(0.62 * rect.height(), true);
    const qreal yearWidth = QFontMetricsF(yearFont).horizontalAdvance(year);
    const qreal headingRoom = rect.width() - yearWidth - 0.5 * rect.height();
    const QString heading = YearSheetHeading(request);
    painter.setPen(ToColor(claBlack));
    painter.setFont(FittedFont(0.42 * rect.height(), true, {heading}, headingRoom));
    painter.drawText(QRectF(rect.left(), rect.top(), headingRoom, rect.height()),
                     Qt::AlignLeft | Qt::AlignVCenter, heading);
    painter.setFont(yearFont);
    painter.drawText(rect, Qt::AlignRight | Qt::AlignVCenter, year);
}

QPen CellPen(const YearSheetGeometry& geometry, TAlphaColor fill) {
    QPen pen(ToColor(StrokeColorFor(fill)));
    pen.setWidthF(0.0012 * std::min(geometry.Page().width(), geometry.Page().height()));
    return pen;
}

// A mark's sign in `square` (see calendar/mark_sign.h): a ring when the mark is not counted.
void PaintMarkSign(QPainter& painter, const QRectF& square, char letter, bool counted, TAlphaColor ground) {
    const MarkSignLook look = MarkSignOn(ground, counted);
    const qreal ring = MarkRingShare * square.width();
    const QRectF disc = square.adjusted(ring / 2, ring / 2, -ring / 2, -ring / 2);
    painter.save();
    if (look.Ring) {
        QPen pen(ToColor(look.Ink));
        pen.setWidthF(ring);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
    } else {
        painter.setPen(Qt::NoPen);
        painter.setBrush(ToColor(look.Ink));
    }
    painter.drawEllipse(disc);
    if (letter != 0) {
        const QFont font = SheetFont(MarkLetterShare * square.height(), true);
        const QFontMetricsF metrics(font);
        const QString text(QLatin1Char{letter});
        painter.setFont(font);
        painter.setPen(ToColor(look.LetterColor));
        painter.drawText(QPointF(square.center().x() - metrics.horizontalAdvance(text) / 2,
                                 square.center().y() + metrics.capHeight() / 2),
                         text);
    }
    painter.restore();
}

void PaintMonth(QPainter& painter, const YearSheetGeometry& geometry, const YearSheetRequest& request,
                int month, TAlphaColor fill) {
    const QRectF box = geometry.MonthRect(month);
    if (fill != claWhite)
        painter.fillRect(box, ToColor(fill));
    const QColor labelColor = ToColor(ContrastColor(fill));

    const QRectF nameRect = geometry.MonthNameRect(month);
    const QString name = request.Locale.standaloneMonthName(month, QLocale::LongFormat);
    painter.setPen(labelColor);
    painter.setFont(FittedFont(0.6 * nameRect.height(), true, {name}, 0.95 * nameRect.width()));
    DrawCentered(painter, nameRect, name);

    QStringList dayNames;
    // Qt numbers the days Monday 1 to Sunday 7.
    for (int d = 0; d < 7; ++d)
        dayNames << request.Locale.dayName(d == 0 ? 7 : d, QLocale::ShortFormat);
    const QRectF dayRect = geometry.WeekdayRect(month, 0);
    painter.setFont(FittedFont(0.5 * dayRect.height(), false, dayNames, 0.9 * dayRect.width()));
    for (int d = 0; d < 7; ++d)
        DrawCentered(painter, geometry.WeekdayRect(month, d), dayNames[d]);

    ScheduleState schedule;
    SelectAssignment(schedule, request.Assignment);
    FillGridDates(schedule, DateSerial(request.Year, static_cast<unsigned>(month), 1));
    const QFont numberFont = SheetFont(geometry.NumberPixelSize(), true);
    const QFontMetricsF metrics(numberFont);
    painter.setFont(numberFont);
    // Only the days of the month have a cell: the grid's other places stay blank paper.
    const QPen cellPen = CellPen(geometry, fill);
    for (int index = 0; index < GridCellCount; ++index) {
        const TDateTime date = schedule.GridDates[static_cast<std::size_t>(index)];
        const auto day = YearMonthDayOf(date);
        if (static_cast<unsigned>(day.month()) != static_cast<unsigned>(month))
            continue;
        const QColor color = ToColor(DayNumberColor(request.Settings, DutyCodeOf(schedule, date), true));
        const QString text = QString::number(static_cast<unsigned>(day.day()));
        const QRectF cell = geometry.CellRect(month, index);
        painter.setPen(cellPen);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(cell);
        const qreal width = metrics.horizontalAdvance(text);
        qreal left = cell.center().x() - width / 2;
        const auto mark = request.Marks.find(date);
        if (mark != request.Marks.end()) {
            // A marked day's number moves left as far as it must to clear the sign.
            const QRectF sign = geometry.MarkRect(month, index);
            left = std::max(cell.left() + 0.04 * cell.width(),
                            std::min(left, sign.left() - 0.04 * cell.width() - width));
            PaintMarkSign(painter, sign, mark->second.Letter, mark->second.Counted, fill);
            painter.setFont(numberFont);
        }
        painter.setPen(color);
        painter.drawText(QPointF(left, geometry.NumberBaseline(month, index)), text);
        if (request.ShowPaydays && IsPayday(date)) {
            const QRectF band = geometry.PaydayMarkRect(month, index);
            const qreal thickness = geometry.PaydayMarkThickness();
            const qreal overhang = 0.08 * width;
            painter.fillRect(QRectF(left - overhang, band.top() + (band.height() - thickness) / 2,
                                    width + 2 * overhang, thickness),
                             color);
        }
    }
}

// The kinds of mark the year's marks have, in the order of the request's keys, and whether any is
// not counted.
std::vector<YearSheetMarkKey> MarkKeysOfTheYear(const YearSheetRequest& request, bool& anyNotCounted) {
    const TDateTime first = DateSerial(request.Year, 1, 1);
    const TDateTime last = DateSerial(request.Year, 12, 31);
    std::vector<YearSheetMarkKey> keys;
    anyNotCounted = false;
    for (const YearSheetMarkKey& key : request.MarkKeys) {
        for (auto mark = request.Marks.lower_bound(first); mark != request.Marks.end() && mark->first <= last;
             ++mark) {
            if (mark->second.Letter == key.Letter) {
                keys.push_back(key);
                break;
            }
        }
    }
    for (auto mark = request.Marks.lower_bound(first); mark != request.Marks.end() && mark->first <= last;
         ++mark)
        anyNotCounted = anyNotCounted || !mark->second.Counted;
    return keys;
}

void PaintLegend(QPainter& painter, const YearSheetGeometry& geometry, const YearSheetRequest& request,
                 TAlphaColor fill) {
    const QRectF rect = geometry.LegendRect();
    const SettingsState& colors = request.Settings;
    enum class Sign { Swatch, Underline, Disc, Ring };
    struct Entry {
        QString word;
        TAlphaColor color;
        Sign sign;
        char letter = 0;
    };
    std::vector<Entry> entries = {{QString::fromLatin1(WorkWord), colors.OnDutyColor, Sign::Swatch},
                                  {QString::fromLatin1(OffWord), colors.OffDutyColor, Sign::Swatch},
                                  {QString::fromLatin1(RdoWord), colors.RdoColor, Sign::Swatch}};
    if (request.ShowPaydays)
        entries.push_back({QString::fromLatin1(PaydaysWord), ContrastColor(fill), Sign::Underline});
    bool anyNotCounted = false;
    for (const YearSheetMarkKey& key : MarkKeysOfTheYear(request, anyNotCounted))
        entries.push_back({key.Name, ContrastColor(fill), Sign::Disc, key.Letter});
    if (anyNotCounted)
        entries.push_back({QString::fromLatin1(NotCountedWords), ContrastColor(fill), Sign::Ring});

    // Sizes at full height; the whole row shrinks when it would not fit the width.
    const auto rowWidth = [&](qreal height) {
        const QFontMetricsF metrics(SheetFont(0.55 * height, true));
        const qreal swatch = 0.5 * height;
        qreal total = 0;
        for (const Entry& entry : entries)
            total +=
                (entry.sign == Sign::Underline ? 0 : swatch * 1.3) + metrics.horizontalAdvance(entry.word);
        return total + 2.5 * swatch * static_cast<qreal>(entries.size() - 1) + 0.8 * height;
    };
    qreal height = rect.height();
    if (const qreal width = rowWidth(height); width > rect.width())
        height *= rect.width() / width;

    const QFont font = SheetFont(0.55 * height, true);
    const QFontMetricsF metrics(font);
    const qreal swatch = 0.5 * height;
    const qreal space = 0.3 * swatch;
    const qreal between = 2.5 * swatch;
    const qreal pad = 0.4 * height;
    const qreal total = rowWidth(height) - 2 * pad;
    const QRectF chip(rect.center().x() - total / 2 - pad, rect.center().y() - height / 2, total + 2 * pad,
                      height);
    if (fill != claWhite)
        painter.fillRect(chip, ToColor(fill));

    const qreal baseline = rect.center().y() + metrics.capHeight() / 2;
    qreal x = chip.left() + pad;
    for (const Entry& entry : entries) {
        const QColor color = ToColor(entry.color);
        const QRectF square(x, rect.center().y() - swatch / 2, swatch, swatch);
        switch (entry.sign) {
        case Sign::Swatch:
            painter.fillRect(square, color);
            break;
        case Sign::Disc:
        case Sign::Ring:
            PaintMarkSign(painter, square, entry.letter, entry.sign == Sign::Disc, fill);
            break;
        case Sign::Underline:
            break;
        }
        if (entry.sign != Sign::Underline)
            x += swatch + space;
        const qreal width = metrics.horizontalAdvance(entry.word);
        painter.setFont(font);
        painter.setPen(color);
        painter.drawText(QPointF(x, baseline), entry.word);
        if (entry.sign == Sign::Underline)
            painter.fillRect(QRectF(x, baseline + 0.12 * font.pixelSize(), width, 0.08 * font.pixelSize()),
                             color);
        x += width + between;
    }
}

} // namespace

TAlphaColor YearSheetGridFill(const SettingsState& settings) {
    for (TAlphaColor color : {settings.OnDutyColor, settings.OffDutyColor, settings.RdoColor})
        if (ContrastOnWhite(color) < LeastReadableContrast)
            return settings.BackgroundColor;
    return claWhite;
}

QString YearSheetHeading(const YearSheetRequest& request) {
    const QString group = QStringLiteral("Group %1").arg(request.Assignment);
    if (request.Settings.AgencyName.empty())
        return group;
    return QString::fromStdString(request.Settings.AgencyName) + QStringLiteral(" - ") + group;
}

void PaintYearSheet(QPainter& painter, const QRectF& page, const YearSheetRequest& request) {
    // Outside these ranges the sheet would show a year without a schedule, or a group that does not exist.
    if (request.Year < FirstSheetYear || request.Year > LastSheetYear)
        throw std::out_of_range("year sheet: year " + std::to_string(request.Year) + " outside 2022 to 2100");
    if (request.Assignment < 1 || request.Assignment >= AssignmentCount)
        throw std::out_of_range("year sheet: assignment " + std::to_string(request.Assignment) +
                                " is not a group from 1 to 7");
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.fillRect(page, Qt::white);
    const YearSheetGeometry geometry(page);
    const TAlphaColor fill = YearSheetGridFill(request.Settings);
    PaintTitle(painter, geometry, request);
    for (int month = 1; month <= 12; ++month)
        PaintMonth(painter, geometry, request, month, fill);
    PaintLegend(painter, geometry, request, fill);
    painter.restore();
}
