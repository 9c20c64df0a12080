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

std::string CsvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

} // namespace

std::string DutyCsv(int assignment, TDateTime from, TDateTime to, const DayMarks& marks) {
    ScheduleState schedule;
    SelectAssignment(schedule, assignment);
    const std::string group = "Group " + std::to_string(assignment);
    std::string table = "date,weekday,assignment,duty,payday,mark,note\r\n";
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
        const char code = DutyCodeOf(schedule, date);
        table += DutyWords(code);
        table += IsPayday(date) ? ",yes," : ",no,";
        if (const auto mark = marks.find(date); mark != marks.end()) {
            std::string text = MarkText(mark->second);
            if (!MarkFits(mark->second.Kind, code))
                text += " (not counted)";
            table += CsvField(text);
            table += ',';
            table += CsvField(mark->second.Note);
        } else {
            table += ',';
        }
        table += "\r\n";
    }
    return table;
}
