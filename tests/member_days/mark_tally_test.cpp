#include "member_days/mark_tally.h"

#include <gtest/gtest.h>

namespace {

// The same marks for each group in 2027 (and one either side of the year): each group's duty days
// decide which of them count. The expected figures were worked out from the rotation pattern by hand
// (a separate script), not by this code.
DayMarks MarksOf2027() {
    using enum MarkKind;
    DayMarks marks;
    const auto add = [&](int year, unsigned month, unsigned day, MarkKind kind, std::optional<double> hours) {
        marks.emplace(DateSerial(year, month, day), DayMark{kind, "", hours});
    };
    add(2027, 1, 4, Leave, {});
    add(2027, 2, 14, Leave, {});
    add(2027, 3, 21, Leave, {});
    add(2027, 5, 5, Leave, {});
    add(2027, 6, 1, Sick, {});
    add(2027, 7, 19, Sick, {});
    add(2027, 8, 8, TradedAway, {});
    add(2027, 9, 9, ExtraShift, 12.0);
    add(2027, 10, 10, ExtraShift, {});
    add(2027, 11, 11, ExtraShift, 7.5);
    add(2027, 12, 24, NoteOnly, {});
    add(2027, 12, 31, NoteOnly, {});
    add(2026, 12, 31, Leave, {});
    add(2028, 1, 1, Leave, {});
    return marks;
}

struct GroupYear {
    int Group;
    int Scheduled;
    int Leave, Sick, TradedAway, ExtraShift, Notes;
    int LeftOut;
    int Worked;
    double HoursAt24;
};

class TallyTest : public testing::TestWithParam<GroupYear> {};

TEST_P(TallyTest, CountsTheYearAgainstTheRotation) {
    const GroupYear& row = GetParam();
    const MarkTally tally =
        TallyMarks(MarksOf2027(), row.Group, DayRange{DateSerial(2027, 1, 1), DateSerial(2027, 12, 31)});
    EXPECT_EQ(tally.ScheduledDutyDays, row.Scheduled);
    EXPECT_EQ(tally.Count(MarkKind::Leave), row.Leave);
    EXPECT_EQ(tally.Count(MarkKind::Sick), row.Sick);
    EXPECT_EQ(tally.Count(MarkKind::TradedAway), row.TradedAway);
    EXPECT_EQ(tally.Count(MarkKind::ExtraShift), row.ExtraShift);
    EXPECT_EQ(tally.Count(MarkKind::NoteOnly), row.Notes);
    EXPECT_EQ(tally.LeftOut, row.LeftOut);
    EXPECT_EQ(tally.DaysWorked(), row.Worked);
    EXPECT_DOUBLE_EQ(tally.HoursWorked(24), row.HoursAt24);
}

INSTANTIATE_TEST_SUITE_P(Table, TallyTest,
                         testing::Values(GroupYear{1, 155, 4, 2, 0, 3, 2, 1, 152, 3619.5},
                                         GroupYear{2, 155, 1, 1, 0, 2, 2, 6, 155, 3691.5},
                                         GroupYear{3, 156, 0, 1, 1, 1, 2, 7, 155, 3708},
                                         GroupYear{4, 156, 0, 0, 1, 0, 2, 9, 155, 3720},
                                         GroupYear{5, 156, 0, 0, 1, 1, 2, 8, 156, 3744},
                                         GroupYear{6, 158, 3, 1, 0, 2, 2, 4, 156, 3727.5},
                                         GroupYear{7, 159, 4, 1, 0, 3, 2, 2, 157, 3739.5}),
                         [](const testing::TestParamInfo<GroupYear>& info) {
                             return "Group" + std::to_string(info.param.Group);
                         });

TEST(Tally, ADaySpanCountsItsOwnDaysOnly) {
    const MarkTally day =
        TallyMarks(MarksOf2027(), 1, DayRange{DateSerial(2027, 1, 4), DateSerial(2027, 1, 4)});
    EXPECT_EQ(day.ScheduledDutyDays, 1);
    EXPECT_EQ(day.Count(MarkKind::Leave), 1);
    EXPECT_EQ(day.DaysWorked(), 0);
    EXPECT_EQ(day.HoursWorked(24), 0);
}

} // namespace
