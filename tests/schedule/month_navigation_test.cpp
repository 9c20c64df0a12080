#include "schedule/month_navigation.h"

#include <gtest/gtest.h>
#include <string>

namespace {

double Day(int y, unsigned m, unsigned d) {
    return DateSerial(y, m, d);
}

class Navigation : public testing::Test {
protected:
    Navigation() : clock_(Day(2023, 9, 22)) {}

    void StartOn(double date) {
        state_.CurrentDate = date;
        state_.MarkDate = date;
        FillGridDates(state_, date);
    }

    FixedTodayClock clock_;
    ScheduleState state_;
};

} // namespace

struct GridCase {
    const char* name;
    int year;
    unsigned month;
    double first;     // GridDates[0]
    int indexOfFirst; // where the 1st of the month sits
    int indexOfLast;  // where the last day of the month sits
};

void PrintTo(const GridCase& grid, std::ostream* out) {
    *out << grid.name;
}

class GridOfMonth : public testing::TestWithParam<GridCase> {};

TEST_P(GridOfMonth, StartsOnTheSundayOnOrBeforeTheFirst) {
    const GridCase& c = GetParam();
    ScheduleState state;
    FillGridDates(state, Day(c.year, c.month, 17));
    EXPECT_EQ(state.GridDates[0], c.first);
    EXPECT_EQ(WeekdayNumber(state.GridDates[0]), 1);
    for (int i = 1; i < GridCellCount; ++i)
        ASSERT_EQ(state.GridDates[i], state.GridDates[0] + i);
    EXPECT_EQ(state.GridDates[c.indexOfFirst], Day(c.year, c.month, 1));
    const auto lastDay = std::chrono::year_month_day_last{
        std::chrono::year{c.year}, std::chrono::month_day_last{std::chrono::month{c.month}}};
    EXPECT_EQ(state.GridDates[c.indexOfLast], DateSerial(std::chrono::year_month_day{lastDay}));
}

INSTANTIATE_TEST_SUITE_P(
    Examples, GridOfMonth,
    testing::Values(GridCase{"September2023", 2023, 9, Day(2023, 8, 27), 5, 34},
                    GridCase{"October2023_FirstIsSunday", 2023, 10, Day(2023, 10, 1), 0, 30},
                    GridCase{"July2023_ReachesIndex36", 2023, 7, Day(2023, 6, 25), 6, 36},
                    GridCase{"January2022_ReachesIndex36", 2022, 1, Day(2021, 12, 26), 6, 36},
                    GridCase{"February2015_FourRowsExactly", 2015, 2, Day(2015, 2, 1), 0, 27}),
    [](const testing::TestParamInfo<GridCase>& info) { return std::string(info.param.name); });

TEST(FillGridDates, LastCellOfSeptember2023) {
    ScheduleState state;
    FillGridDates(state, Day(2023, 9, 1));
    EXPECT_EQ(state.GridDates[41], Day(2023, 10, 7));
}

TEST(AddMonths, ClampsTheDayAndKeepsTheTimeOfDay) {
    struct Case {
        double from;
        int n;
        double to;
    };
    const Case cases[] = {
        {Day(2024, 1, 31), +1, Day(2024, 2, 29)},
        {Day(2024, 2, 29), +1, Day(2024, 3, 29)},
        {Day(2023, 3, 31), -1, Day(2023, 2, 28)},
        {Day(2023, 5, 31), +1, Day(2023, 6, 30)},
        {Day(2023, 12, 31), +1, Day(2024, 1, 31)},
        {Day(2024, 1, 1), -1, Day(2023, 12, 1)},
        {Day(2024, 1, 31) + 0.25, +1, Day(2024, 2, 29) + 0.25},
    };
    for (const Case& c : cases)
        EXPECT_EQ(AddMonths(c.from, c.n), c.to) << c.from << " " << c.n;
}

// The rows of the navigation table: what each input does to CurrentDate and MarkDate.
TEST_F(Navigation, KeyStepsMarkWhereTheyLead) {
    struct Case {
        const char* input;
        void (*apply)(ScheduleState&);
        double from;
        double to;
    };
    const Case cases[] = {
        {"PageUp", [](ScheduleState& s) { StepMonths(s, -1); }, Day(2023, 3, 31), Day(2023, 2, 28)},
        {"PageDown", [](ScheduleState& s) { StepMonths(s, +1); }, Day(2024, 1, 31), Day(2024, 2, 29)},
        {"Left", [](ScheduleState& s) { StepDays(s, -1); }, Day(2023, 9, 1), Day(2023, 8, 31)},
        {"Up", [](ScheduleState& s) { StepDays(s, -7); }, Day(2023, 9, 3), Day(2023, 8, 27)},
        {"Right", [](ScheduleState& s) { StepDays(s, +1); }, Day(2023, 9, 30), Day(2023, 10, 1)},
        {"Down", [](ScheduleState& s) { StepDays(s, +7); }, Day(2023, 12, 28), Day(2024, 1, 4)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input);
        StartOn(c.from);
        c.apply(state_);
        MarkCurrentDate(state_);
        FillGridDates(state_, state_.CurrentDate);
        EXPECT_EQ(state_.CurrentDate, c.to);
        EXPECT_EQ(state_.MarkDate, c.to);
        EXPECT_TRUE(SelectGridCell(state_, static_cast<int>(c.to - state_.GridDates[0])))
            << "the grid shows the new month";
    }
}

TEST_F(Navigation, ClampedDayIsNotRemembered) {
    StartOn(Day(2024, 1, 31));
    StepMonths(state_, +1);
    EXPECT_EQ(state_.CurrentDate, Day(2024, 2, 29));
    StepMonths(state_, +1);
    EXPECT_EQ(state_.CurrentDate, Day(2024, 3, 29));
}

TEST_F(Navigation, PageDownThenHomeThenEndReturnsToTheMarkedDay) {
    StartOn(Day(2023, 9, 22));
    StepMonths(state_, +1);
    MarkCurrentDate(state_);
    GoToToday(state_, clock_);
    EXPECT_EQ(state_.CurrentDate, Day(2023, 9, 22));
    GoToMark(state_);
    EXPECT_EQ(state_.CurrentDate, Day(2023, 10, 22));
}

TEST_F(Navigation, ButtonsAndTodayLeaveTheMarkAlone) {
    StartOn(Day(2023, 9, 22));
    StepDays(state_, +1); // a key step marks
    MarkCurrentDate(state_);
    StepMonths(state_, +1); // the month buttons do not
    StepMonths(state_, +1);
    GoToToday(state_, clock_);
    EXPECT_EQ(state_.MarkDate, Day(2023, 9, 23));
    GoToMark(state_);
    EXPECT_EQ(state_.CurrentDate, Day(2023, 9, 23));
}

TEST_F(Navigation, TodayIsReadFromTheClockEachTime) {
    StartOn(Day(2023, 1, 1));
    GoToToday(state_, clock_);
    EXPECT_EQ(state_.CurrentDate, Day(2023, 9, 22));
    clock_.Set(Day(2023, 9, 23));
    GoToToday(state_, clock_);
    EXPECT_EQ(state_.CurrentDate, Day(2023, 9, 23));
}

TEST_F(Navigation, PickerTakesItsWindowAndFallsBackToToday) {
    struct Case {
        double picked;
        bool taken;
    };
    const Case cases[] = {
        {ScheduleCutoff, true},      {PickerMaxDate, true},      {Day(2030, 5, 5), true},
        {ScheduleCutoff - 1, false}, {PickerMaxDate + 1, false}, {0, false},
    };
    for (const Case& c : cases) {
        StartOn(Day(2024, 6, 1));
        EXPECT_EQ(PickDate(state_, c.picked, clock_), c.taken) << c.picked;
        EXPECT_EQ(state_.CurrentDate, c.taken ? c.picked : clock_.Today()) << c.picked;
    }
}

TEST_F(Navigation, CellClicksSelectOnlyDaysOfTheShownMonth) {
    StartOn(Day(2023, 9, 22)); // grid from 27 August to 7 October
    EXPECT_TRUE(SelectGridCell(state_, 5));
    EXPECT_EQ(state_.CurrentDate, Day(2023, 9, 1));
    EXPECT_TRUE(SelectGridCell(state_, 34));
    EXPECT_EQ(state_.CurrentDate, Day(2023, 9, 30));
    for (int neighbour : {0, 4, 35, 41}) {
        EXPECT_FALSE(SelectGridCell(state_, neighbour));
        EXPECT_EQ(state_.CurrentDate, Day(2023, 9, 30));
    }
    EXPECT_EQ(state_.MarkDate, Day(2023, 9, 22));
}

// Stepping past the years 1 to 9999 changes nothing, so the three dates stay valid and consistent.
TEST_F(Navigation, StepsStopAtTheEndsOfTheCoveredYears) {
    struct Case {
        double from;
        void (*step)(ScheduleState&);
    };
    const Case cases[] = {
        {MaxDateSerial, [](ScheduleState& s) { StepDays(s, +1); }},
        {MaxDateSerial - 3, [](ScheduleState& s) { StepDays(s, +7); }},
        {Day(9999, 12, 15), [](ScheduleState& s) { StepMonths(s, +1); }},
        {MinDateSerial, [](ScheduleState& s) { StepDays(s, -1); }},
        {MinDateSerial + 3, [](ScheduleState& s) { StepDays(s, -7); }},
        {Day(1, 1, 15), [](ScheduleState& s) { StepMonths(s, -1); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.from);
        StartOn(c.from);
        const auto grid = state_.GridDates;
        c.step(state_);
        MarkCurrentDate(state_);
        FillGridDates(state_, state_.CurrentDate);
        EXPECT_EQ(state_.CurrentDate, c.from);
        EXPECT_EQ(state_.MarkDate, c.from);
        EXPECT_EQ(state_.GridDates, grid);
    }
    // One step short of the end still moves.
    StartOn(MaxDateSerial - 1);
    StepDays(state_, +1);
    EXPECT_EQ(state_.CurrentDate, MaxDateSerial);
    StartOn(Day(9999, 11, 30));
    StepMonths(state_, +1);
    EXPECT_EQ(state_.CurrentDate, Day(9999, 12, 30));
}
