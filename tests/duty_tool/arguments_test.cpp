#include "duty_tool/assignment_text.h"
#include "duty_tool/date_argument.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace {

struct AssignmentCase {
    const char* Name;
    friend void PrintTo(const AssignmentCase& row, std::ostream* out) { *out << row.Name; }
    const char* Text;
    std::optional<int> Assignment;
};

class AssignmentFromTextTest : public testing::TestWithParam<AssignmentCase> {};

TEST_P(AssignmentFromTextTest, ReadsTheIndex) {
    EXPECT_EQ(AssignmentFromText(QString::fromUtf8(GetParam().Text)), GetParam().Assignment);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, AssignmentFromTextTest,
    testing::Values(AssignmentCase{"Digit", "3", 3}, AssignmentCase{"EntryName", "Group 3", 3},
                    AssignmentCase{"LowerCase", "group 7", 7}, AssignmentCase{"OuterBlanks", " Group 1 ", 1},
                    AssignmentCase{"Department", "TFD", 0}, AssignmentCase{"DepartmentLowerCase", "tfd", 0},
                    AssignmentCase{"Zero", "0", std::nullopt}, AssignmentCase{"Eight", "8", std::nullopt},
                    AssignmentCase{"GroupEight", "Group 8", std::nullopt},
                    AssignmentCase{"TwoDigits", "13", std::nullopt},
                    AssignmentCase{"NoSpace", "Group3", std::nullopt},
                    AssignmentCase{"Empty", "", std::nullopt}, AssignmentCase{"Word", "three", std::nullopt}),
    [](const testing::TestParamInfo<AssignmentCase>& info) { return std::string(info.param.Name); });

TEST(AssignmentName, NamesTheEntries) {
    EXPECT_EQ(AssignmentName(0), QStringLiteral("TFD"));
    EXPECT_EQ(AssignmentName(1), QStringLiteral("Group 1"));
    EXPECT_EQ(AssignmentName(7), QStringLiteral("Group 7"));
}

struct DateCase {
    const char* Name;
    friend void PrintTo(const DateCase& row, std::ostream* out) { *out << row.Name; }
    const char* Text;
    std::optional<TDateTime> Date;
};

constexpr TDateTime Today = 46402; // Friday 15 January 2027

class DateFromArgumentTest : public testing::TestWithParam<DateCase> {};

TEST_P(DateFromArgumentTest, ReadsTheDay) {
    const FixedTodayClock clock(Today);
    EXPECT_EQ(DateFromArgument(QString::fromUtf8(GetParam().Text), clock), GetParam().Date);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, DateFromArgumentTest,
    testing::Values(DateCase{"Iso", "2027-01-15", 46402}, DateCase{"LeapDay", "2024-02-29", 45351},
                    DateCase{"Today", "today", Today}, DateCase{"Tomorrow", "Tomorrow", Today + 1},
                    DateCase{"FirstOfYearOne", "0001-01-01", MinDateSerial},
                    DateCase{"YearZero", "0000-12-31", std::nullopt},
                    DateCase{"NoLeapDay", "2023-02-29", std::nullopt},
                    DateCase{"MonthThirteen", "2027-13-01", std::nullopt},
                    DateCase{"DayZero", "2027-01-00", std::nullopt},
                    DateCase{"ShortMonth", "2027-1-15", std::nullopt},
                    DateCase{"Slashes", "2027/01/15", std::nullopt},
                    DateCase{"TrailingText", "2027-01-15x", std::nullopt},
                    DateCase{"Yesterday", "yesterday", std::nullopt}, DateCase{"Empty", "", std::nullopt}),
    [](const testing::TestParamInfo<DateCase>& info) { return std::string(info.param.Name); });

TEST(DateFromArgument, NoTomorrowAfterTheLastDayOfTheCalendar) {
    const FixedTodayClock lastDay(MaxDateSerial);
    EXPECT_EQ(DateFromArgument(QStringLiteral("today"), lastDay), MaxDateSerial);
    EXPECT_EQ(DateFromArgument(QStringLiteral("tomorrow"), lastDay), std::nullopt);
}

TEST(IsoDateText, WritesFourDigitYears) {
    EXPECT_EQ(IsoDateText(46402), QStringLiteral("2027-01-15"));
    EXPECT_EQ(IsoDateText(MinDateSerial), QStringLiteral("0001-01-01"));
}

} // namespace
