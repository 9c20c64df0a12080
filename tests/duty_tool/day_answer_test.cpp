#include "duty_tool/day_answer.h"
#include "duty_tool/duty_words.h"
#include "schedule/date_serial.h"

#include <gtest/gtest.h>
#include <string>

namespace {

const QLocale English(QLocale::English, QLocale::UnitedStates);

// Known codes of every group on a few days, as the window shows them; the lines must say the same.
struct KnownDay {
    const char* Name;
    friend void PrintTo(const KnownDay& row, std::ostream* out) { *out << row.Name; }
    int Year;
    unsigned Month;
    unsigned Day;
    const char* Codes; // Group 1 to Group 7
    const char* LongDate;
    bool Payday;
};

class DayAnswerTest : public testing::TestWithParam<KnownDay> {};

TEST_P(DayAnswerTest, EachGroupGetsItsCodeInWords) {
    const KnownDay& row = GetParam();
    const TDateTime date = DateSerial(row.Year, row.Month, row.Day);
    for (int group = 1; group <= 7; ++group) {
        const char code = row.Codes[group - 1];
        std::string expected = std::string(row.LongDate) + ": ";
        if (code == 'Z')
            expected += "no schedule for Group " + std::to_string(group);
        else
            expected += "Group " + std::to_string(group) + " " + std::string(DutyWords(code));
        if (row.Payday)
            expected += ", payday";
        EXPECT_EQ(DayAnswer(group, date, English).toStdString(), expected) << "Group " << group;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Examples, DayAnswerTest,
    testing::Values(KnownDay{"LastDayWithoutSchedule", 2021, 12, 31, "ZZZZZZZ", "Friday, December 31, 2021",
                             false},
                    KnownDay{"FirstDay", 2022, 1, 1, "LLYKKKL", "Saturday, January 1, 2022", false},
                    KnownDay{"SecondDay", 2022, 1, 2, "KKYLLLK", "Sunday, January 2, 2022", false},
                    KnownDay{"FirstPayday", 2022, 1, 7, "KYLLLYK", "Friday, January 7, 2022", true},
                    KnownDay{"FridayNotPayday", 2023, 9, 22, "KKLLLYK", "Friday, September 22, 2023", false},
                    KnownDay{"NewYear2024", 2024, 1, 1, "LLKKKYL", "Monday, January 1, 2024", false},
                    KnownDay{"LeapDay", 2024, 2, 29, "KYLLLYK", "Thursday, February 29, 2024", false},
                    KnownDay{"Payday2027", 2027, 1, 15, "LLLYKKY", "Friday, January 15, 2027", true},
                    KnownDay{"LastDay", 2100, 12, 31, "KKLLLYK", "Friday, December 31, 2100", false}),
    [](const testing::TestParamInfo<KnownDay>& info) { return std::string(info.param.Name); });

TEST(DayAnswer, TheDateFollowsTheLocale) {
    EXPECT_EQ(DayAnswer(3, DateSerial(2027, 1, 15), QLocale(QLocale::German, QLocale::Germany)).toStdString(),
              "Freitag, 15. Januar 2027: Group 3 on duty, payday");
}

} // namespace
