#include "schedule/duty_rotation.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>

namespace {

char CodeFor(int assignment, double date) {
    ScheduleState state;
    SelectAssignment(state, assignment);
    return DutyCodeOf(state, date);
}

} // namespace

TEST(ShiftPattern, HoldsTheRotationCounts) {
    EXPECT_EQ(std::count(ShiftPattern.begin(), ShiftPattern.end(), 'L'), 42);
    EXPECT_EQ(std::count(ShiftPattern.begin(), ShiftPattern.end(), 'K'), 32);
    EXPECT_EQ(std::count(ShiftPattern.begin(), ShiftPattern.end(), 'Y'), 24);
}

// The codes of some days, "TFD" first, then Group 1 to Group 7.
struct DayCodes {
    const char* name;
    double date;
    const char* codes;
};

void PrintTo(const DayCodes& day, std::ostream* out) {
    *out << day.name;
}

class DutyCodeOnDay : public testing::TestWithParam<DayCodes> {};

TEST_P(DutyCodeOnDay, MatchesEveryAssignment) {
    const DayCodes& day = GetParam();
    for (int assignment = 0; assignment < AssignmentCount; ++assignment)
        EXPECT_EQ(CodeFor(assignment, day.date), day.codes[assignment]) << "assignment " << assignment;
}

INSTANTIATE_TEST_SUITE_P(Table, DutyCodeOnDay,
                         testing::Values(DayCodes{"Fri_2021_12_31", DateSerial(2021, 12, 31), "ZZZZZZZZ"},
                                         DayCodes{"Sat_2022_01_01", DateSerial(2022, 1, 1), "ZLLYKKKL"},
                                         DayCodes{"Sun_2022_01_02", DateSerial(2022, 1, 2), "ZKKYLLLK"},
                                         DayCodes{"Fri_2023_09_22", DateSerial(2023, 9, 22), "ZKKLLLYK"},
                                         DayCodes{"Mon_2024_01_01", DateSerial(2024, 1, 1), "ZLLKKKYL"},
                                         DayCodes{"Thu_2024_02_29", DateSerial(2024, 2, 29), "ZKYLLLYK"},
                                         DayCodes{"Fri_2100_12_31", DateSerial(2100, 12, 31), "ZKKLLLYK"}),
                         [](const testing::TestParamInfo<DayCodes>& info) {
                             return std::string(info.param.name);
                         });

TEST(DutyCodeOf, JanuaryTwentyTwentyTwoForEveryGroup) {
    const char* const january[] = {"LKKLLKKLLYYYYLLKKLLKKLLKKLLKKLL", "LKKLLYYYYLLKKLLKKLLKKLLYYYYLLKK",
                                   "YYYYYLLKKLLKKLLKKLLYYYYLLKKLLKK", "KLLKKLLKKLLYYYYYYYYLLKKLLKKLLKK",
                                   "KLLKKLLYYYYLLKKLLKKLLKKLLYYYYYY", "KLLYYYYLLKKLLKKLLKKLLYYYYLLKKLL",
                                   "LKKLLKKLLKKLLKKLLYYYYLLKKLLKKLL"};
    for (int group = 1; group <= 7; ++group) {
        std::string codes;
        for (unsigned day = 1; day <= 31; ++day)
            codes += CodeFor(group, DateSerial(2022, 1, day));
        EXPECT_EQ(codes, january[group - 1]) << "Group " << group;
    }
}

TEST(DutyCodeOf, DepartmentAndNoSelectionHaveNoSchedule) {
    for (double date : {0.0, ScheduleCutoff + 1, 45191.0, PickerMaxDate, MaxDateSerial}) {
        EXPECT_EQ(CodeFor(0, date), DutyNone);
        EXPECT_EQ(CodeFor(-1, date), DutyNone);
    }
    ScheduleState state;
    SelectAssignment(state, 3);
    SelectAssignment(state, -1);
    EXPECT_EQ(state.BaseDate, 0);
}

TEST(DutyCodeOf, BaseDatesThemselvesLieBeforeTheCutoff) {
    for (int group = 1; group <= 7; ++group)
        EXPECT_EQ(CodeFor(group, AssignmentBaseDates[group]), DutyNone);
    // Without the cutoff, a base date is position 0 of the rotation: a date just before it is Z by
    // the base date rule and the pattern would start with L.
    ScheduleState early;
    early.BaseDate = 50000;
    EXPECT_EQ(DutyCodeOf(early, 49999), DutyNone);
    EXPECT_EQ(DutyCodeOf(early, 50000), DutyOn);
    EXPECT_EQ(DutyCodeOf(early, 50014), DutyRdo);
}

TEST(DutyCodeOf, TimeOfDayCountsAgainstTheCutoffThenIsDropped) {
    EXPECT_EQ(CodeFor(1, ScheduleCutoff), DutyNone);
    // Noon on the cutoff day passes the cutoff and is truncated to position 22 of the rotation.
    EXPECT_EQ(CodeFor(1, ScheduleCutoff + 0.5), ShiftPattern[22]);
    EXPECT_EQ(CodeFor(1, ScheduleCutoff + 0.5), DutyOn);
    EXPECT_EQ(CodeFor(1, DateSerial(2022, 1, 2) + 0.99), DutyOff);
}

TEST(DutyCodeOf, NonFiniteDatesHaveNoSchedule) {
    EXPECT_EQ(CodeFor(1, std::numeric_limits<double>::quiet_NaN()), DutyNone);
    EXPECT_EQ(CodeFor(1, std::numeric_limits<double>::infinity()), DutyNone);
}

// Over every day from 2022 to 2100: three groups on duty, each group 14 days behind the one before
// it, and each group repeating every 98 days.
TEST(DutyCodeOf, RotationInvariantsFrom2022To2100) {
    const double first = DateSerial(2022, 1, 1);
    for (double date = first; date <= PickerMaxDate; ++date) {
        int onDuty = 0;
        for (int group = 1; group <= 7; ++group) {
            const char code = CodeFor(group, date);
            onDuty += code == DutyOn;
            if (group < 7 && date >= DateSerial(2022, 1, 15)) {
                ASSERT_EQ(CodeFor(group + 1, date), CodeFor(group, date - 14)) << date;
            }
            ASSERT_EQ(CodeFor(group, date + 98), code) << date;
        }
        ASSERT_EQ(onDuty, 3) << date;
    }
}
