#include "schedule/payday.h"

#include <gtest/gtest.h>

TEST(IsPayday, Examples) {
    struct Case {
        double date;
        bool payday;
    };
    const Case cases[] = {
        {PaydayAnchor, true},
        {PaydayAnchor - 1, false},
        {PaydayAnchor - 14, false}, // no payday lies before the anchor
        {PaydayAnchor + 0.75, true},
        {DateSerial(2022, 1, 7), true},
        {DateSerial(2022, 1, 14), false},
        {DateSerial(2022, 1, 21), true},
        {DateSerial(2023, 9, 1), true},
        {DateSerial(2023, 9, 15), true},
        {DateSerial(2023, 9, 22), false},
        {DateSerial(2023, 9, 29), true},
        {std::numeric_limits<double>::quiet_NaN(), false},
        {std::numeric_limits<double>::infinity(), false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsPayday(c.date), c.payday) << c.date;
}

TEST(IsPayday, EveryPaydayIsAFridayFourteenDaysAfterTheLast) {
    double previous = 0;
    for (double date = PaydayAnchor; date <= PickerMaxDate; ++date) {
        if (!IsPayday(date))
            continue;
        ASSERT_EQ(WeekdayNumber(date), 6) << date;
        if (previous != 0) {
            ASSERT_EQ(date - previous, 14) << date;
        }
        previous = date;
    }
    EXPECT_NE(previous, 0);
}
