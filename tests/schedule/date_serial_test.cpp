#include "schedule/date_serial.h"

#include <gtest/gtest.h>

using namespace std::chrono;

TEST(DateSerial, KnownSerials) {
    struct Case {
        year_month_day date;
        double serial;
        int weekday;
    };
    const Case cases[] = {
        {1899y / December / 30d, 0, 7},          {1900y / January / 1d, 2, 2},
        {2012y / January / 6d, PaydayAnchor, 6}, {2021y / December / 31d, ScheduleCutoff, 6},
        {2023y / September / 22d, 45191, 6},     {2100y / December / 31d, PickerMaxDate, 6},
        {1y / January / 1d, MinDateSerial, 2},   {9999y / December / 31d, MaxDateSerial, 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.serial);
        EXPECT_EQ(DateSerial(c.date), c.serial);
        EXPECT_EQ(YearMonthDayOf(c.serial), c.date);
        EXPECT_EQ(WeekdayNumber(c.serial), c.weekday);
    }
}

// Every day of the years 1 to 9999 converts both ways, one day after the other, with the weekday
// advancing by one each day.
TEST(DateSerial, RoundTripOverEveryDayOfTheCoveredYears) {
    year_month_day expected = 1y / January / 1d;
    int expectedWeekday = WeekdayNumber(MinDateSerial);
    for (double serial = MinDateSerial; serial <= MaxDateSerial; ++serial) {
        const year_month_day got = YearMonthDayOf(serial);
        if (got != expected || DateSerial(got) != serial || WeekdayNumber(serial) != expectedWeekday) {
            FAIL() << "serial " << serial;
        }
        expected = year_month_day{sys_days{expected} + days{1}};
        expectedWeekday = expectedWeekday % 7 + 1;
    }
}

TEST(DateSerial, TimeOfDayIsTruncated) {
    EXPECT_EQ(YearMonthDayOf(45191.75), 2023y / September / 22d);
    EXPECT_EQ(WeekdayNumber(45191.75), 6);
}

TEST(DateSerial, ValidSpan) {
    EXPECT_TRUE(IsValidDateSerial(MinDateSerial));
    EXPECT_TRUE(IsValidDateSerial(MaxDateSerial + 0.5));
    EXPECT_FALSE(IsValidDateSerial(MinDateSerial - 1));
    EXPECT_FALSE(IsValidDateSerial(MaxDateSerial + 1));
    EXPECT_FALSE(IsValidDateSerial(std::numeric_limits<double>::quiet_NaN()));
    EXPECT_FALSE(IsValidDateSerial(std::numeric_limits<double>::infinity()));
}
