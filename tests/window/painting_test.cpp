// Painting through the real window: every property the refresh sets, checked against values worked
// out here from the rotation, the payday rule and the color rules, not from the painters' helpers.

#include "schedule/date_serial.h"
#include "window/controls/grid_flow_layout.h"
#include "window/controls/tag.h"
#include "window/main_form.h"
#include "window_fixture.h"

#include <QApplication>
#include <QDateEdit>
#include <QFontMetricsF>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr ArgbColor Black = 0xFF000000;
constexpr ArgbColor White = 0xFFFFFFFF;
constexpr ArgbColor Blue = 0xFF0000FF;
constexpr ArgbColor Navy = 0xFF000080;
constexpr ArgbColor Red = 0xFFFF0000;
constexpr ArgbColor Darkgray = 0xFFA9A9A9;
constexpr ArgbColor Dimgray = 0xFF696969;
constexpr ArgbColor Slategray = 0xFF708090;
constexpr ArgbColor Goldenrod = 0xFFDAA520;
constexpr ArgbColor Silver = 0xFFC0C0C0;
constexpr ArgbColor Khaki = 0xFFF0E68C;
constexpr ArgbColor Yellow = 0xFFFFFF00;

// The default roles: on duty Blue, off duty Darkgray, RDO Goldenrod, lead/trail Silver, background White.
ArgbColor DefaultDutyColor(char code) {
    switch (code) {
    case 'L':
        return Blue;
    case 'K':
        return Darkgray;
    case 'Y':
        return Goldenrod;
    default:
        ADD_FAILURE() << "no duty color for " << code;
        return 0;
    }
}

// Group 3's duty codes for the 40 day cells of September 2023, Sunday 27 August to Thursday 5 October.
// 27 August 2023 is serial 45165 and Group 3's base is 36825, so cell 0 sits at (45165 - 36825) mod 98 =
// 10 in the rotation "LLKKLLKKLLKKLLYYYY LLKK...": from position 10 on it reads KKLLYYYY, then LLKK
// three times, then LLYYYY, and so on.
constexpr std::string_view Group3September2023 = "KKLLYYYYLLKKLLKKLLKKLLYYYYLLKKLLKKLLKKLL";
constexpr int SeptemberFirstCell = 5; // Friday 1 September
constexpr int SeptemberLastCell = 34; // Saturday 30 September
constexpr int SelectedCell = 26;      // Friday 22 September, today
constexpr int LegendCells[] = {40, 41};

int FontStyleBits(const TTextControl* text) {
    return text->FontStyle().toInt();
}

constexpr int Bold = static_cast<int>(TFontStyle::Bold);
constexpr int BoldUnderlined = static_cast<int>(TFontStyle::Bold) | static_cast<int>(TFontStyle::Underline);

class PaintingTest : public WindowTest {
protected:
    // Key events reach the window's key handler, which refreshes after each.
    void Press(Qt::Key key, int times = 1) {
        for (int i = 0; i < times; ++i)
            QTest::keyClick(form.get(), key);
    }
    // Page Down for positive counts, Page Up for negative ones.
    void MoveMonths(int months) { Press(months < 0 ? Qt::Key_PageUp : Qt::Key_PageDown, std::abs(months)); }

    TTextElement* Number(int cell) const { return form->gT[static_cast<std::size_t>(cell)]; }
    TRectangle* Cell(int cell) const { return form->gR[static_cast<std::size_t>(cell)]; }
};

// Table rows are named after their `name` in test names and failure messages.
constexpr auto RowName = [](const auto& info) { return std::string(info.param.name); };

} // namespace

template <class Row>
requires requires(const Row& row) {
    row.name;
}
void PrintTo(const Row& row, std::ostream* out) {
    *out << row.name;
}

TEST_F(PaintingTest, EveryDayCellOfGroup3InSeptember2023) {
    ReopenWith("[Config]\nWorkAssign=Group 3\n");
    ASSERT_EQ(form->State().CurrentDate, DateSerial(2023, 9, 22));
    const TGlobalState& state = form->State();

    for (int cell = 0; cell < 40; ++cell) {
        SCOPED_TRACE(testing::Message() << "cell " << cell);
        const bool inMonth = cell >= SeptemberFirstCell && cell <= SeptemberLastCell;
        const int day = cell < SeptemberFirstCell ? 27 + cell : inMonth ? cell - 4 : cell - SeptemberLastCell;
        const char code = Group3September2023[static_cast<std::size_t>(cell)];

        ArgbColor fill = White, number = Silver, stroke = Slategray;
        if (cell == SelectedCell) {
            // An on-duty day: Blue fill takes a White number and a Black border.
            ASSERT_EQ(code, 'L');
            fill = Blue;
            number = White;
            stroke = Black;
        } else if (inMonth) {
            number = DefaultDutyColor(code);
        }

        const TTextElement* text = Number(cell);
        EXPECT_EQ(text->Text(), QString::number(day));
        EXPECT_EQ(text->TextColor(), number);
        EXPECT_EQ(Cell(cell)->FillColor(), fill);
        EXPECT_EQ(Cell(cell)->StrokeColor(), stroke);
        EXPECT_EQ(Cell(cell)->StrokeThickness(), 0.5);
        EXPECT_EQ(FontStyleBits(text), Bold) << "paydays are off by default";
        EXPECT_DOUBLE_EQ(text->FontSize(), state.DayFontSize);
        EXPECT_EQ(text->TextAlignment(), Qt::AlignCenter);
        EXPECT_EQ(text->Margins().left(), 0);
        EXPECT_EQ(text->Margins().top(), 0);
        EXPECT_TRUE(text->WordWrap());
        EXPECT_EQ(form->gX[static_cast<std::size_t>(cell)]->Text(), QString());
    }
}

TEST_F(PaintingTest, WeekdayHeaderTakesTheLocaleNamesSundayFirst) {
    const char* names[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    for (std::size_t day = 0; day < 7; ++day) {
        EXPECT_EQ(form->lblDOW[day]->Text(), QLatin1String(names[day]));
        EXPECT_EQ(form->lblDOW[day]->TextColor(), Black);
        EXPECT_DOUBLE_EQ(form->lblDOW[day]->FontSize(), form->State().WeekdayFontSize);
    }
}

struct LegendCase {
    const char* name;
    const char* settings;
    ArgbColor work;
    ArgbColor off;
    ArgbColor background;
};

class LegendTest : public PaintingTest, public testing::WithParamInterface<LegendCase> {};

TEST_P(LegendTest, ReadsWrkAndOffInTheDutyColors) {
    const LegendCase& row = GetParam();
    ReopenWith(row.settings);
    const qreal size = 0.33 * TGridFlowLayout::Of(form->gloCal)->ItemHeight();
    ASSERT_GT(size, 0);
    const struct {
        int cell;
        const char* word;
        ArgbColor color;
    } expected[] = {{40, "Wrk", row.work}, {41, "Off", row.off}};
    for (const auto& legend : expected) {
        SCOPED_TRACE(legend.word);
        const TTextElement* text = Number(legend.cell);
        EXPECT_EQ(text->Text(), QLatin1String(legend.word));
        EXPECT_EQ(text->TextColor(), legend.color);
        EXPECT_EQ(FontStyleBits(text), Bold);
        EXPECT_FALSE(text->WordWrap());
        EXPECT_DOUBLE_EQ(text->FontSize(), size);
        EXPECT_EQ(Cell(legend.cell)->FillColor(), row.background);
        EXPECT_EQ(Cell(legend.cell)->StrokeThickness(), 0.5);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Assignments, LegendTest,
    testing::Values(LegendCase{"DepartmentDefaults", "", Blue, Darkgray, White},
                    LegendCase{"Group3OwnColors",
                               "[Config]\nWorkAssign=Group 3\nShowPaydays=1\n[Colors]\nOn-Duty=Red\n"
                               "Off-Duty=Khaki\nBkGr=Navy\n",
                               Red, Khaki, Navy}),
    RowName);

struct SelectedDayCase {
    const char* name;
    const char* colors; // the [Colors] section
    Qt::Key key;        // pressed `presses` times from Friday 22 September 2023, on duty
    int presses;
    int cell;
    char code;
    ArgbColor fill;
    ArgbColor number;
    ArgbColor border;
};

class SelectedDayTest : public PaintingTest, public testing::WithParamInterface<SelectedDayCase> {};

// The selected cell takes its duty color as fill and that color's contrast color for its number; the
// rows pick an off-duty and an RDO color that contrast differently, so each code must use its own.
TEST_P(SelectedDayTest, NumberTakesTheContrastOfItsOwnDutyColor) {
    const SelectedDayCase& row = GetParam();
    ReopenWith(std::string("[Config]\nWorkAssign=Group 3\n[Colors]\n") + row.colors);
    Press(row.key, row.presses);
    ASSERT_EQ(Group3September2023[static_cast<std::size_t>(row.cell)], row.code);
    ASSERT_EQ(form->State().CurrentDate, DateSerial(2023, 8, 27) + row.cell);
    for (int cell = SeptemberFirstCell; cell <= SeptemberLastCell; ++cell) {
        SCOPED_TRACE(testing::Message() << "cell " << cell);
        const char code = Group3September2023[static_cast<std::size_t>(cell)];
        if (cell == row.cell) {
            EXPECT_EQ(Cell(cell)->FillColor(), row.fill);
            EXPECT_EQ(Number(cell)->TextColor(), row.number);
            EXPECT_EQ(Cell(cell)->StrokeColor(), row.border);
        } else if (code == row.code) {
            // The same code unselected: its duty color on the background.
            EXPECT_EQ(Cell(cell)->FillColor(), White);
            EXPECT_EQ(Number(cell)->TextColor(), row.fill);
        }
    }
}

// Sunday 24 September is off duty (cell 28), Monday 18 September an RDO (cell 22). Navy takes White
// numbers and Yellow Black ones; both take Slategray borders.
INSTANTIATE_TEST_SUITE_P(Codes, SelectedDayTest,
                         testing::Values(SelectedDayCase{"OffDutyNavy", "Off-Duty=Navy\nRDO=Yellow\n",
                                                         Qt::Key_Right, 2, 28, 'K', Navy, White, Slategray},
                                         SelectedDayCase{"RdoYellow", "Off-Duty=Navy\nRDO=Yellow\n",
                                                         Qt::Key_Left, 4, 22, 'Y', Yellow, Black, Slategray},
                                         SelectedDayCase{"OffDutyYellow", "Off-Duty=Yellow\nRDO=Navy\n",
                                                         Qt::Key_Right, 2, 28, 'K', Yellow, Black, Slategray},
                                         SelectedDayCase{"RdoNavy", "Off-Duty=Yellow\nRDO=Navy\n",
                                                         Qt::Key_Left, 4, 22, 'Y', Navy, White, Slategray}),
                         RowName);

struct PaydayCase {
    const char* name;
    bool showPaydays;
    int months;          // Page Down (positive) or Page Up (negative) from 22 September 2023
    TDateTime gridStart; // the Sunday in cell 0
    std::vector<TDateTime> paydays;
};

class PaydayTest : public PaintingTest, public testing::WithParamInterface<PaydayCase> {};

TEST_P(PaydayTest, PaydaysAreBoldAndUnderlinedOnlyWhenSwitchedOn) {
    const PaydayCase& row = GetParam();
    ReopenWith(std::string("[Config]\nWorkAssign=Group 3\nShowPaydays=") + (row.showPaydays ? "1" : "0") +
               "\n");
    MoveMonths(row.months);
    ASSERT_EQ(form->State().GridDates[0], row.gridStart);

    std::set<int> underlined;
    for (TDateTime payday : row.paydays) {
        const int cell = static_cast<int>(payday - row.gridStart);
        const unsigned day = static_cast<unsigned>(YearMonthDayOf(payday).day());
        EXPECT_EQ(Number(cell)->Text(), QString::number(day)) << cell;
        if (row.showPaydays)
            underlined.insert(cell);
    }
    for (int cell = 0; cell < 40; ++cell)
        EXPECT_EQ(FontStyleBits(Number(cell)), underlined.count(cell) ? BoldUnderlined : Bold) << cell;
}

// Every second Friday from 6 January 2012: 1, 15 and 29 September 2023 and the Fridays 14 days
// around them. August's grid ends with 1 September, April's begins with 31 March.
INSTANTIATE_TEST_SUITE_P(
    Months, PaydayTest,
    testing::Values(PaydayCase{"SeptemberSwitchedOff",
                               false,
                               0,
                               DateSerial(2023, 8, 27),
                               {DateSerial(2023, 9, 1), DateSerial(2023, 9, 15), DateSerial(2023, 9, 29)}},
                    PaydayCase{"September",
                               true,
                               0,
                               DateSerial(2023, 8, 27),
                               {DateSerial(2023, 9, 1), DateSerial(2023, 9, 15), DateSerial(2023, 9, 29)}},
                    PaydayCase{"AugustWithTrailingSeptemberFirst",
                               true,
                               -1,
                               DateSerial(2023, 7, 30),
                               {DateSerial(2023, 8, 4), DateSerial(2023, 8, 18), DateSerial(2023, 9, 1)}},
                    PaydayCase{"AprilWithLeadingMarch31",
                               true,
                               -5,
                               DateSerial(2023, 3, 26),
                               {DateSerial(2023, 3, 31), DateSerial(2023, 4, 14), DateSerial(2023, 4, 28)}}),
    RowName);

TEST_F(PaintingTest, SwitchingPaydaysWaitsForTheNextRefresh) {
    ReopenWith("[Config]\nWorkAssign=Group 3\n");
    form->swPaydays->setChecked(true);
    EXPECT_EQ(FontStyleBits(Number(19)), Bold) << "15 September before a refresh";
    // Any key that reaches the window refreshes, handled or not.
    Press(Qt::Key_A);
    EXPECT_EQ(form->State().CurrentDate, DateSerial(2023, 9, 22));
    EXPECT_EQ(FontStyleBits(Number(19)), BoldUnderlined);
}

struct UnscheduledCase {
    const char* name;
    const char* settings;
    int months;
    int selectedCell;
    int firstCell; // first and last cell of the shown month
    int lastCell;
    const char* title;
};

class UnscheduledDayTest : public PaintingTest, public testing::WithParamInterface<UnscheduledCase> {};

// A day without a schedule: Dimgray numbers in the month, a selected cell in the lead/trail color with
// a Black number, and no status line.
TEST_P(UnscheduledDayTest, PaintsDimgrayNumbersAndAnEmptyStatus) {
    const UnscheduledCase& row = GetParam();
    ReopenWith(row.settings);
    MoveMonths(row.months);
    EXPECT_EQ(form->lblMonthName->Text(), QLatin1String(row.title));
    for (int cell = 0; cell < 40; ++cell) {
        SCOPED_TRACE(testing::Message() << "cell " << cell);
        if (cell == row.selectedCell) {
            EXPECT_EQ(Cell(cell)->FillColor(), Silver);
            EXPECT_EQ(Cell(cell)->StrokeColor(), Slategray);
            EXPECT_EQ(Number(cell)->TextColor(), Black);
        } else {
            EXPECT_EQ(Cell(cell)->FillColor(), White);
            const bool inMonth = cell >= row.firstCell && cell <= row.lastCell;
            EXPECT_EQ(Number(cell)->TextColor(), inMonth ? Dimgray : Silver);
        }
    }
    EXPECT_EQ(form->lblStatus->Text(), QString());
}

// The department entry has no rotation; December 2021 lies before any schedule, while the January days
// that trail it are Group 3 duty days, painted in the lead/trail color all the same.
INSTANTIATE_TEST_SUITE_P(Cases, UnscheduledDayTest,
                         testing::Values(UnscheduledCase{"DepartmentWide", "[Config]\nWorkAssign=TFD\n", 0,
                                                         26, 5, 34, "September"},
                                         UnscheduledCase{"Group3BeforeTheSchedule",
                                                         "[Config]\nWorkAssign=Group 3\n", -21, 24, 3, 33,
                                                         "Dec 2021"}),
                         RowName);

TEST_F(PaintingTest, MonthTitleNamesTheYearOnlyOutsideTheCurrentOne) {
    const struct {
        int months;
        const char* title;
    } rows[] = {{0, "September"}, {3, "December"},  {1, "Jan 2024"},
                {20, "Sep 2025"}, {-32, "January"}, {-1, "Dec 2022"}};
    // Steps are cumulative: forward into 2024 and 2025, then back past January 2023 into 2022.
    int total = 0;
    for (const auto& row : rows) {
        MoveMonths(row.months);
        total += row.months;
        SCOPED_TRACE(testing::Message() << total << " months from September 2023");
        EXPECT_EQ(form->lblMonthName->Text(), QLatin1String(row.title));
        EXPECT_DOUBLE_EQ(form->lblMonthName->FontSize(), form->State().MonthFontSize);
        EXPECT_EQ(form->lblMonthName->TextColor(), Black);
    }
}

TEST_F(PaintingTest, StatusLineAndTodayButtonFollowTheSelectedDay) {
    ReopenWith("[Config]\nWorkAssign=Group 3\n");
    const struct {
        Qt::Key key;
        const char* status;
        ArgbColor resting; // normal, hot and focused
    } steps[] = {
        {Qt::Key_A, "9/22/2023\rGroup 3", Darkgray}, // not a navigation key: a refresh alone
        {Qt::Key_Right, "9/23/2023\rGroup 3", Black},
        {Qt::Key_PageDown, "10/23/2023\rGroup 3", Black},
        {Qt::Key_Home, "9/22/2023\rGroup 3", Darkgray},
    };
    for (const auto& step : steps) {
        Press(step.key);
        SCOPED_TRACE(step.status);
        EXPECT_EQ(form->lblStatus->Text(), QLatin1String(step.status));
        EXPECT_EQ(form->lblStatus->TextColor(), Black);
        EXPECT_DOUBLE_EQ(form->lblStatus->FontSize(), form->State().StatusFontSize);
        EXPECT_EQ(form->bToday->FontColorForState(TButtonState::Normal), step.resting);
        EXPECT_EQ(form->bToday->FontColorForState(TButtonState::Hot), step.resting);
        EXPECT_EQ(form->bToday->FontColorForState(TButtonState::Focused), step.resting);
        EXPECT_EQ(form->bToday->FontColorForState(TButtonState::Pressed), Blue);
        EXPECT_EQ(form->deDate->palette().color(QPalette::Text), QColor(Qt::black));
    }
}

struct StrokeCase {
    const char* name;
    const char* colors; // the [Colors] section
    ArgbColor background;
    ArgbColor border;       // every stroked border but the selected cell's
    ArgbColor selectedFill; // 22 September, on duty for Group 3
    ArgbColor selectedBorder;
};

class StrokeRuleTest : public PaintingTest, public testing::WithParamInterface<StrokeCase> {};

TEST_P(StrokeRuleTest, EveryRectangleTakesTheBackgroundAndItsBorder) {
    const StrokeCase& row = GetParam();
    ReopenWith(std::string("[Config]\nWorkAssign=Group 3\n[Colors]\n") + row.colors);
    const QList<TRectangle*> rectangles = form->findChildren<TRectangle*>();
    ASSERT_GT(rectangles.size(), 42);
    for (const TRectangle* rectangle : rectangles) {
        SCOPED_TRACE(rectangle->objectName().toStdString());
        if (rectangle == Cell(SelectedCell)) {
            EXPECT_EQ(rectangle->FillColor(), row.selectedFill);
            EXPECT_EQ(rectangle->StrokeColor(), row.selectedBorder);
            EXPECT_EQ(rectangle->StrokeThickness(), 0.5);
            continue;
        }
        EXPECT_EQ(rectangle->FillColor(), row.background);
        if (TagOf(rectangle) == -2) {
            EXPECT_EQ(rectangle->StrokeThickness(), 0) << "bars have no border";
        } else {
            EXPECT_EQ(rectangle->StrokeColor(), row.border);
            EXPECT_EQ(rectangle->StrokeThickness(), 0.5);
        }
    }
}

// Black borders on Slategray, Darkgray and Blue, Slategray borders on anything else; the selected cell
// follows the same rule on its own fill.
INSTANTIATE_TEST_SUITE_P(
    Backgrounds, StrokeRuleTest,
    testing::Values(StrokeCase{"Slategray", "BkGr=Slategray\n", Slategray, Black, Blue, Black},
                    StrokeCase{"Darkgray", "BkGr=Darkgray\n", Darkgray, Black, Blue, Black},
                    StrokeCase{"BlueWithRedDuty", "BkGr=Blue\nOn-Duty=Red\n", Blue, Black, Red, Slategray},
                    StrokeCase{"White", "", White, Slategray, Blue, Black},
                    StrokeCase{"Navy", "BkGr=Navy\n", Navy, Slategray, Blue, Black},
                    StrokeCase{"DimgrayWithSlategrayDuty", "BkGr=Dimgray\nOn-Duty=Slategray\n", Dimgray,
                               Slategray, Slategray, Black}),
    RowName);

struct ContrastCase {
    const char* name;
    const char* background;
    ArgbColor text; // on the bars and pages
    ArgbColor save;
};

class ContrastTest : public PaintingTest, public testing::WithParamInterface<ContrastCase> {};

TEST_P(ContrastTest, TextsOnTheBackgroundTakeItsContrastColor) {
    const ContrastCase& row = GetParam();
    ReopenWith(std::string("[Config]\nWorkAssign=Group 3\n[Colors]\nBkGr=") + row.background + "\n");
    // Checked right after start-up and again after a refresh by a key.
    for (int pass = 0; pass < 2; ++pass) {
        SCOPED_TRACE(pass == 0 ? "after start-up" : "after a key");
        std::vector<const TLabel*> labels = {
            form->lblToolbar0, form->lblToolbar1, form->lblToolbar2, form->lblToolbar3, form->lblMonthName,
            form->lblStatus,   form->lblPlatoon,  form->lblPaydays,  form->lblAgency,   form->lblAbout};
        labels.insert(labels.end(), form->lblDOW.begin(), form->lblDOW.end());
        for (const TLabel* label : labels)
            EXPECT_EQ(label->TextColor(), row.text) << label->objectName().toStdString();
        // The glyphs of the flat tool buttons lie on the same fills.
        for (const TButton* glyph : std::initializer_list<const TButton*>{
                 form->sbBack1, form->sbBack2, form->sbBack3, form->bPrev, form->bNext, form->sbReset}) {
            EXPECT_EQ(glyph->FontColorForState(TButtonState::Normal), row.text)
                << glyph->objectName().toStdString();
            EXPECT_EQ(glyph->FontColorForState(TButtonState::Pressed), row.text)
                << glyph->objectName().toStdString();
        }
        EXPECT_EQ(form->bSave->FontColorForState(TButtonState::Normal), row.save);
        EXPECT_EQ(form->bSave->FontColorForState(TButtonState::Hot), row.save);
        for (const TButton* link : {form->sbEmail, form->sbTolmere})
            EXPECT_EQ(link->FontColorForState(TButtonState::Normal), Blue)
                << link->objectName().toStdString();
        // The status line's date edit stays black on its own white field.
        EXPECT_EQ(form->deDate->palette().color(QPalette::Text), QColor(Qt::black));
        Press(Qt::Key_Left);
    }
}

INSTANTIATE_TEST_SUITE_P(Backgrounds, ContrastTest,
                         testing::Values(ContrastCase{"White", "White", Black, Navy},
                                         ContrastCase{"Slategray", "Slategray", Black, Navy},
                                         ContrastCase{"Navy", "Navy", White, Blue},
                                         ContrastCase{"Red", "Red", White, Blue}),
                         RowName);

TEST_F(PaintingTest, ControlsTakeTheScaledFontSizesAtOnce) {
    ReopenWith("[Config]\nWorkAssign=Group 3\n");
    const qreal titleBefore = form->lblToolbar0->FontSize();
    form->resize(QSize(480, 640) - (form->frameGeometry().size() - form->size()));
    ASSERT_EQ(form->frameGeometry().height(), 640);

    // Bars of 640 / 16 = 40, 640 / 10 = 64 and 640 / 12 = 53.33; the weekday items 40 - 0.1 high.
    for (const TLabel* title : {form->lblToolbar1, form->lblToolbar2, form->lblToolbar3})
        EXPECT_DOUBLE_EQ(title->FontSize(), 0.4f * 40) << title->objectName().toStdString();
    EXPECT_DOUBLE_EQ(form->lblMonthName->FontSize(), 0.48f * 64);
    EXPECT_FLOAT_EQ(static_cast<float>(form->lblStatus->FontSize()), 0.25f * 640 / 12);
    for (const TLabel* weekday : form->lblDOW)
        EXPECT_FLOAT_EQ(static_cast<float>(weekday->FontSize()), 0.32f * 39.9f);
    const qreal itemHeight = TGridFlowLayout::Of(form->gloCal)->ItemHeight();
    for (int cell = 0; cell < 40; ++cell)
        EXPECT_FLOAT_EQ(static_cast<float>(Number(cell)->FontSize()), static_cast<float>(0.48 * itemHeight));
    for (int cell : LegendCells)
        EXPECT_DOUBLE_EQ(Number(cell)->FontSize(), 0.33 * itemHeight);

    // The calendar title keeps its size until the title rule runs again, at the next change of page.
    EXPECT_DOUBLE_EQ(form->lblToolbar0->FontSize(), titleBefore);
    form->tabCtrl->SetCurrentIndex(1);
    form->tabCtrl->SetCurrentIndex(0);
    EXPECT_FLOAT_EQ(static_cast<float>(form->lblToolbar0->FontSize()), 0.32f * 40);
    EXPECT_EQ(form->lblToolbar0->Text(), QStringLiteral("Tolmere Fire Department - Group 3"));
}

// Font sizes follow the height alone; in a narrow window the texts of the grids and the month name
// shrink to the room they have instead of running into their neighbours.
TEST_F(PaintingTest, TextsFitTheirRoomAtTheSizeLimits) {
    // Measured with the fonts of this machine, as the window measures when it fits the texts, so the
    // comparison holds whichever font and hinting a machine has.
    const auto widthOf = [](const TTextControl* text) {
        return QFontMetricsF(text->EffectiveFont()).horizontalAdvance(text->Text());
    };
    const QSize limits[] = {{180, 320}, {480, 320}, {180, 640}, {480, 640}};
    for (QSize size : limits) {
        SCOPED_TRACE(testing::Message() << size.width() << "x" << size.height());
        form->resize(size - (form->frameGeometry().size() - form->size()));
        ASSERT_EQ(form->frameGeometry().size(), size);
        const TGlobalState& state = form->State();
        for (int cell = 0; cell < GridCellCount; ++cell) {
            EXPECT_LE(widthOf(Number(cell)), Cell(cell)->width()) << cell;
            if (cell < 40) {
                EXPECT_LE(Number(cell)->FontSize(), state.DayFontSize) << cell;
            }
        }
        for (const TLabel* weekday : form->lblDOW) {
            EXPECT_LE(widthOf(weekday), weekday->width()) << weekday->Text().toStdString();
            EXPECT_LE(weekday->FontSize(), state.WeekdayFontSize);
        }
        const int betweenArrows = form->bNext->geometry().left() - form->bPrev->geometry().right() - 1;
        EXPECT_LE(widthOf(form->lblMonthName), betweenArrows);
        EXPECT_LE(form->lblMonthName->FontSize(), state.MonthFontSize);
    }
}

TEST_F(PaintingTest, RefreshLeavesTheFocusInTheAgencyEdit) {
    for (int cell = 0; cell < GridCellCount; ++cell) {
        EXPECT_EQ(Cell(cell)->focusPolicy(), Qt::NoFocus) << cell;
        EXPECT_EQ(Number(cell)->focusPolicy(), Qt::NoFocus) << cell;
    }
    form->tabCtrl->SetCurrentIndex(1);
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    form->edAgency->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), form->edAgency);

    // The edit leaves Page Down to the window, whose handler moves the month and refreshes.
    QTest::keyClick(form->edAgency, Qt::Key_PageDown);
    EXPECT_EQ(form->State().CurrentDate, DateSerial(2023, 10, 22));
    EXPECT_EQ(form->lblMonthName->Text(), QStringLiteral("October"));
    EXPECT_EQ(QApplication::focusWidget(), form->edAgency);

    QTest::keyClicks(form->edAgency, "X");
    EXPECT_EQ(form->edAgency->text(), QStringLiteral("Tolmere Fire DepartmentX"));
    EXPECT_EQ(QApplication::focusWidget(), form->edAgency);

    // Leave the settings page before the window closes: hiding the assignment list while the window is
    // being destroyed would report a close of the list to a half-destroyed window.
    form->tabCtrl->SetCurrentIndex(0);
}
