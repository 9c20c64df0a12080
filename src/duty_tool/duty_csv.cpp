#include "duty_csv.h"

#include "duty_words.h"
#include "schedule/duty_rotation.h"
#include "schedule/payday.h"

#include <array>
#include <cstdio>
#include <string_view>

namespace {

constexpr std::array<std::string_view, 7> WeekdayNames = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                          "Thursday", "Friday", "Saturday"};

} // namespace

std::string DutyCsv(int assignment, TDateTime from, TDateTime to) {
    ScheduleState schedule;
    SelectAssignment(schedule, assignment);
    const std::string group = "Group " + std::to_string(assignment);
    std::string table = "date,weekday,assignment,duty,payday\r\n";
    table.reserve(table.size() + static_cast<std::size_t>(to - from + 1) * 48);
    for (TDateTime date = from; date <= to; ++date) {
        const std::chrono::year_month_day ymd = YearMonthDayOf(date);
        char iso[16];
        std::snprintf(iso, sizeof iso, "%04d-%02u-%02u", static_cast<int>(ymd.year()),
                      static_cast<unsigned>(ymd.month()), static_cast<unsigned>(ymd.day()));
        table += iso;
        table += ',';
        table += WeekdayNames[static_cast<std::size_t>(WeekdayNumber(date) - 1)];
        table += ',';
        table += group;
        table += ',';
        table += DutyWords(DutyCodeOf(schedule, date));
        table += IsPayday(date) ? ",yes\r\n" : ",no\r\n";
    }
    return table;
}
