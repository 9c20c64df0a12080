// The day number colors: one rule for a day that is not selected, which the window's cells and the year
// sheet both use, and the selected cell's contrast color on top of it.

#include "calendar/calendar_colors.h"
#include "schedule/duty_rotation.h"
#include "schedule/month_navigation.h"

#include <gtest/gtest.h>

namespace {

constexpr TAlphaColor OnDuty = 0xFFDC143C;    // Crimson
constexpr TAlphaColor OffDuty = 0xFF008080;   // Teal
constexpr TAlphaColor Rdo = 0xFFFF8C00;       // Darkorange
constexpr TAlphaColor LeadTrail = 0xFFC0C0C0; // Silver

SettingsState Colors() {
    SettingsState colors;
    colors.OnDutyColor = OnDuty;
    colors.OffDutyColor = OffDuty;
    colors.RdoColor = Rdo;
    colors.LeadTrailColor = LeadTrail;
    colors.BackgroundColor = claWhite;
    return colors;
}

struct NumberCase {
    const char* name;
    char code;
    bool inShownMonth;
    TAlphaColor expected;
    friend void PrintTo(const NumberCase& row, std::ostream* out) { *out << row.name; }
};

class DayNumberColorRule : public testing::TestWithParam<NumberCase> {};

TEST_P(DayNumberColorRule, GivesTheDutyColorInTheMonthAndLeadTrailOutside) {
    const NumberCase& c = GetParam();
    EXPECT_EQ(DayNumberColor(Colors(), c.code, c.inShownMonth), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Codes, DayNumberColorRule,
                         testing::Values(NumberCase{"OnDuty", DutyOn, true, OnDuty},
                                         NumberCase{"OffDuty", DutyOff, true, OffDuty},
                                         NumberCase{"Rdo", DutyRdo, true, Rdo},
                                         NumberCase{"NoSchedule", DutyNone, true, claDimgray},
                                         NumberCase{"OnDutyNextMonth", DutyOn, false, LeadTrail},
                                         NumberCase{"NoScheduleLastMonth", DutyNone, false, LeadTrail}),
                         [](const testing::TestParamInfo<NumberCase>& info) { return info.param.name; });

TEST(CellTextColor, FollowsDayNumberColorOnEveryCellButTheSelectedOne) {
    ScheduleState schedule;
    SelectAssignment(schedule, 3);
    schedule.CurrentDate = DateSerial(2027, 3, 17);
    FillGridDates(schedule, schedule.CurrentDate);
    const SettingsState colors = Colors();
    int selected = 0;
    for (int index = 0; index < GridCellCount; ++index) {
        SCOPED_TRACE(index);
        const TDateTime date = schedule.GridDates[static_cast<std::size_t>(index)];
        const char code = DutyCodeOf(schedule, date);
        if (date == schedule.CurrentDate) {
            ++selected;
            EXPECT_EQ(CellTextColor(schedule, colors, index, date),
                      ContrastColor(CellFillColor(schedule, colors, index, date)));
            continue;
        }
        const bool inMonth = YearMonthDayOf(date).month() == std::chrono::March;
        EXPECT_EQ(CellTextColor(schedule, colors, index, date), DayNumberColor(colors, code, inMonth));
    }
    EXPECT_EQ(selected, 1);
}

} // namespace
