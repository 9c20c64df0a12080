// Painting: every color, font size, style and computed text of the window, set from the global state.
// Painters only set properties of existing controls and never move the keyboard focus.

#include "calendar/calendar_colors.h"
#include "controls/grid_flow_layout.h"
#include "controls/tag.h"
#include "main_form.h"
#include "schedule/duty_rotation.h"
#include "schedule/payday.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFontMetricsF>

namespace {

constexpr int LegendWorkCell = 40;
constexpr int LegendOffCell = 41;
constexpr int CornerTagBase = 100;
constexpr qreal CellStrokeThickness = 0.5;
// The legend words are a little smaller than the day numbers.
constexpr qreal LegendFontFactor = 0.33;
// The share of a grid item's width that its text may take: a little space on both sides keeps the
// texts of neighbouring items apart.
constexpr qreal TextRoomFactor = 0.85;

void PaintStroked(TRectangle* rectangle, TAlphaColor fill) {
    rectangle->SetFillColor(fill);
    rectangle->SetStrokeThickness(CellStrokeThickness);
    rectangle->SetStrokeColor(StrokeColorFor(fill));
}

// Font sizes follow the window's height alone, so in a narrow window a text can come out wider than
// the room it has; there it takes a size at which the widest of `texts` fits.
qreal FittedFontSize(const TTextControl* control, TFontStyles style, const QStringList& texts, qreal size,
                     qreal room) {
    if (size <= 0 || room <= 0 || control->FontSize() <= 0)
        return size;
    QFont font = control->EffectiveFont();
    const qreal pointsPerSize = font.pointSizeF() / control->FontSize();
    font.setBold(style.testFlag(TFontStyle::Bold));
    // Glyph advances are rounded at small sizes, so the width is not quite proportional to the size:
    // a few shrinking steps settle it.
    for (int step = 0; step < 4; ++step) {
        font.setPointSizeF(size * pointsPerSize);
        const QFontMetricsF metrics(font);
        qreal width = 0;
        for (const QString& text : texts)
            width = std::max(width, metrics.horizontalAdvance(text));
        if (width <= room)
            break;
        size *= 0.98 * room / width;
    }
    return size;
}

void SetTextColorOf(QWidget* widget, TAlphaColor color) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Text, ToQColor(color));
    widget->setPalette(palette);
}

} // namespace

void TMainForm::RefreshAll(TDateTime date) {
    PaintToolbars();
    PaintMonthName(date);
    PaintWeekdays();
    PaintCalendar();
    PaintFooter();
    PaintSettingsPage();
    // The help page shows a fixed picture: nothing to paint there.
    PaintAboutPage();
    DescribeCells();
}

void TMainForm::PaintToolbars() {
    for (TLabel* title : {lblToolbar1, lblToolbar2, lblToolbar3})
        title->SetFontSize(state_.TitleFontSize);
    for (TRectangle* bar : {rectToolbar0, rectToolbar1, rectToolbar2, rectToolbar3})
        bar->SetFillColor(state_.BackgroundColor);
    const TAlphaColor contrast = ContrastColor(state_.BackgroundColor);
    for (TLabel* title : {lblToolbar0, lblToolbar1, lblToolbar2, lblToolbar3})
        title->SetTextColor(contrast);
    // The settings page's Back arrow lies on the same fill as the other two, so it follows them.
    for (TSpeedButton* back : {sbBack1, sbBack2, sbBack3})
        back->SetFontColor(contrast);
}

void TMainForm::PaintMonthName(TDateTime date) {
    const TAlphaColor contrast = ContrastColor(rectMonthName->FillColor());
    lblMonthName->SetTextColor(contrast);
    // The arrows have no face of their own: they lie on the month bar's fill, as its name does.
    bPrev->SetFontColor(contrast);
    bNext->SetFontColor(contrast);
    const int currentYear = static_cast<int>(YearMonthDayOf(clock_.Today()).year());
    lblMonthName->SetText(MonthTitle(state_.AppFormatSettings, date, currentYear));
    // The arrows lie over both ends of the month name.
    const qreal room = bNext->geometry().left() - bPrev->geometry().right() - 1;
    lblMonthName->SetFontSize(FittedFontSize(lblMonthName, lblMonthName->FontStyle(), {lblMonthName->Text()},
                                             state_.MonthFontSize, room));
}

void TMainForm::PaintWeekdays() {
    const TAlphaColor contrast = ContrastColor(rectDOW->FillColor());
    deDate->SetFirstDayOfWeek(Qt::Sunday);
    const QStringList names(state_.AppFormatSettings.ShortDayNames.begin(),
                            state_.AppFormatSettings.ShortDayNames.end());
    const qreal size = FittedFontSize(lblDOW[0], lblDOW[0]->FontStyle(), names, state_.WeekdayFontSize,
                                      TextRoomFactor * TGridFlowLayout::Of(gloDOW)->ItemWidth());
    for (std::size_t day = 0; day < lblDOW.size(); ++day) {
        lblDOW[day]->SetFontSize(size);
        lblDOW[day]->SetTextColor(contrast);
        lblDOW[day]->SetText(state_.AppFormatSettings.ShortDayNames[day]);
    }
}

void TMainForm::PaintCalendar() {
    ShowGridDays();
    for (TRectangle* rectangle : rectangles_) {
        const std::optional<int> tag = rectangle->Tag();
        if (tag == -2) {
            rectangle->SetFillColor(state_.BackgroundColor);
            rectangle->SetStrokeThickness(0);
        } else if (tag && *tag >= 0 && *tag < GridCellCount) {
            PaintStroked(rectangle, CellFillColor(state_, state_, *tag, state_.GridDates[std::size_t(*tag)]));
        } else {
            PaintStroked(rectangle, state_.BackgroundColor);
        }
    }
    const bool markPaydays = swPaydays->isChecked();
    const TGridFlowLayout* grid = TGridFlowLayout::Of(gloCal);
    const qreal cellRoom = TextRoomFactor * grid->ItemWidth();
    const qreal dayFontSize =
        FittedFontSize(gT[0], TFontStyle::Bold, {QStringLiteral("28")}, state_.DayFontSize, cellRoom);
    for (TTextElement* text : textElements_) {
        const std::optional<int> tag = text->Tag();
        if (!tag)
            continue;
        if (*tag >= 0 && *tag < LegendWorkCell) {
            const TDateTime date = state_.GridDates[std::size_t(*tag)];
            text->SetTextColor(CellTextColor(state_, state_, *tag, date));
            text->SetFontSize(dayFontSize);
            text->SetTextAlignment(Qt::AlignCenter);
            const QMarginsF margins = text->Margins();
            text->SetMargins(QMarginsF(0, 0, margins.right(), margins.bottom()));
            TFontStyles style;
            if (markPaydays && IsPayday(date))
                style |= TFontStyle::Underline;
            text->SetFontStyle(style | TFontStyle::Bold);
            text->SetText(QString::number(static_cast<unsigned>(YearMonthDayOf(date).day())));
        } else if (*tag >= CornerTagBase && *tag < CornerTagBase + LegendWorkCell) {
            text->SetText(QString());
        }
    }
    const qreal legendSize =
        FittedFontSize(gT[LegendWorkCell], TFontStyle::Bold, {QStringLiteral("Wrk"), QStringLiteral("Off")},
                       LegendFontFactor * grid->ItemHeight(), cellRoom);
    const struct {
        int cell;
        const char* word;
        TAlphaColor color;
    } legend[] = {{LegendWorkCell, "Wrk", state_.OnDutyColor}, {LegendOffCell, "Off", state_.OffDutyColor}};
    for (const auto& entry : legend) {
        TTextElement* text = gT[std::size_t(entry.cell)];
        text->SetFontStyle(TFontStyle::Bold);
        text->SetWordWrap(false);
        text->SetFontSize(legendSize);
        text->SetText(QString::fromLatin1(entry.word));
        text->SetTextColor(entry.color);
        PaintStroked(gR[std::size_t(entry.cell)], state_.BackgroundColor);
    }
    PaintDaySigns();
}

void TMainForm::PaintFooter() {
    SetTextColorOf(deDate, claBlack);
    const bool onToday = state_.CurrentDate == clock_.Today();
    // The button's own tint is never set, so its contrast color is black.
    const TAlphaColor resting = onToday ? claDarkgray : claBlack;
    bToday->SetFontColorForState(TButtonState::Normal, resting);
    bToday->SetFontColorForState(TButtonState::Hot, resting);
    bToday->SetFontColorForState(TButtonState::Focused, resting);
    bToday->SetFontColorForState(TButtonState::Pressed, claBlue);

    lblStatus->SetFontSize(state_.StatusFontSize);
    lblStatus->SetTextColor(ContrastColor(rectFooter->FillColor()));
    if (DutyCodeOf(state_, state_.CurrentDate) == DutyNone) {
        statusText_.clear();
    } else {
        statusText_ = FormatShortDate(state_.AppFormatSettings, state_.CurrentDate) + QLatin1Char('\r') +
                      cbPlt->currentText();
    }
    PaintStatusMark();
}

void TMainForm::PaintSettingsPage() {
    const TAlphaColor contrast = ContrastColor(rectSettings->FillColor());
    for (TLabel* label : {lblPlatoon, lblPaydays, lblAgency})
        label->SetTextColor(contrast);
    // The reset sign lies on the page's fill.
    sbReset->SetFontColor(contrast);
    bSave->SetFontColor(contrast == claBlack ? claNavy : claBlue);
}

void TMainForm::PaintAboutPage() {
    lblAbout->SetTextColor(ContrastColor(rectAbout->FillColor()));
    sbEmail->SetFontColor(claBlue);
    sbTolmere->SetFontColor(claBlue);
}

void TMainForm::ApplyTitleRule() {
    const QString agency = QString::fromStdString(state_.AgencyName);
    if (cbPlt->currentIndex() > 0) {
        lblToolbar0->SetFontSize(state_.TitleFontSizeSmall);
        lblToolbar0->SetText(agency + QStringLiteral(" - ") + cbPlt->currentText());
    } else {
        lblToolbar0->SetFontSize(state_.TitleFontSize);
        lblToolbar0->SetText(agency);
    }
}
