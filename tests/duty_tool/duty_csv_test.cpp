#include "duty_tool/duty_csv.h"
#include "schedule/duty_rotation.h"
#include "schedule/payday.h"

#include <chrono>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Split(const std::string& text, const std::string& separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find(separator, start)) != std::string::npos;
         start = end + separator.size())
        parts.push_back(text.substr(start, end - start));
    parts.push_back(text.substr(start));
    return parts;
}

std::string ExpectedDuty(char code) {
    switch (code) {
    case DutyOn:
        return "on duty";
    case DutyOff:
        return "off duty";
    case DutyRdo:
        return "regular day off";
    case DutyNone:
        return "no schedule";
    }
    return "?";
}

// Every row against the rotation and the payday rule, for each group, from the last days without a
// schedule through several years and the turn of 2100.
TEST(DutyCsv, EveryRowMatchesTheRotationAndThePaydays) {
    const std::vector<std::pair<TDateTime, TDateTime>> spans = {
        {DateSerial(2021, 12, 1), DateSerial(2026, 12, 31)},
        {DateSerial(2099, 1, 1), DateSerial(2100, 12, 31)}};
    const char* const weekdays[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                    "Thursday", "Friday", "Saturday"};
    for (int group = 1; group <= 7; ++group) {
        ScheduleState schedule;
        SelectAssignment(schedule, group);
        for (const auto& [from, to] : spans) {
            const std::vector<std::string> lines = Split(DutyCsv(group, from, to, {}), "\r\n");
            ASSERT_EQ(lines.size(), static_cast<std::size_t>(to - from + 3)); // header, rows, empty tail
            EXPECT_EQ(lines.front(), "date,weekday,assignment,duty,payday,mark,note");
            EXPECT_EQ(lines.back(), "");
            for (TDateTime date = from; date <= to; ++date) {
                const std::string& line = lines[static_cast<std::size_t>(date - from + 1)];
                const std::vector<std::string> fields = Split(line, ",");
                ASSERT_EQ(fields.size(), 7u) << line;
                const std::chrono::year_month_day ymd = YearMonthDayOf(date);
                char iso[16];
                std::snprintf(iso, sizeof iso, "%04d-%02u-%02u", static_cast<int>(ymd.year()),
                              static_cast<unsigned>(ymd.month()), static_cast<unsigned>(ymd.day()));
                EXPECT_EQ(fields[0], iso);
                EXPECT_EQ(fields[1], weekdays[std::chrono::weekday(std::chrono::sys_days(ymd)).c_encoding()])
                    << line;
                EXPECT_EQ(fields[2], "Group " + std::to_string(group));
                EXPECT_EQ(fields[3], ExpectedDuty(DutyCodeOf(schedule, date))) << line;
                EXPECT_EQ(fields[4], IsPayday(date) ? "yes" : "no") << line;
                EXPECT_EQ(fields[5] + fields[6], "") << line;
                if (testing::Test::HasFailure())
                    return;
            }
        }
    }
}

TEST(DutyCsv, ASingleDay) {
    EXPECT_EQ(DutyCsv(3, DateSerial(2027, 1, 15), DateSerial(2027, 1, 15), {}),
              "date,weekday,assignment,duty,payday,mark,note\r\n2027-01-15,Friday,Group 3,on duty,yes,,\r\n");
}

// Marks fill the last two columns; a field with a comma, a quote or a line break is quoted (RFC 4180),
// and a mark that does not fit its day says it is not counted.
TEST(DutyCsv, MarksFillTheirColumns) {
    const DayMarks marks = {
        {DateSerial(2027, 1, 14), {MarkKind::Leave, "court, room 3", std::nullopt}},
        {DateSerial(2027, 1, 15), {MarkKind::Sick, "said \"flu\"\nstayed home", std::nullopt}},
        {DateSerial(2027, 1, 16), {MarkKind::ExtraShift, "", 12.0}},
        {DateSerial(2027, 1, 17), {MarkKind::Leave, "", std::nullopt}},
        {DateSerial(2027, 1, 19), {MarkKind::NoteOnly, "plain", std::nullopt}},
    };
    EXPECT_EQ(DutyCsv(3, DateSerial(2027, 1, 14), DateSerial(2027, 1, 19), marks),
              "date,weekday,assignment,duty,payday,mark,note\r\n"
              "2027-01-14,Thursday,Group 3,on duty,no,Leave,\"court, room 3\"\r\n"
              "2027-01-15,Friday,Group 3,on duty,yes,Sick,\"said \"\"flu\"\"\nstayed home\"\r\n"
              "2027-01-16,Saturday,Group 3,regular day off,no,\"Extra shift, 12 hours\",\r\n"
              "2027-01-17,Sunday,Group 3,regular day off,no,Leave (not counted),\r\n"
              "2027-01-18,Monday,Group 3,regular day off,no,,\r\n"
              "2027-01-19,Tuesday,Group 3,regular day off,no,Note,plain\r\n");
}

} // namespace
