#pragma once
// A days file of `count` marks spread evenly over 2022 to 2100, as a long-serving member's file looks:
// on Group 3's duty days leave, sick days and trades, on its days off extra shifts (every other one
// with hours), every seventh a note only; every other mark with a short note.

#include "member_days/mark_event.h"
#include "schedule/duty_rotation.h"

#include <string>

inline std::string DaysFileText(int count) {
    ScheduleState schedule;
    SelectAssignment(schedule, 3);
    const double first = DateSerial(2022, 1, 1);
    const double span = DateSerial(2100, 12, 31) - first;
    std::string events;
    for (int i = 0; i < count; ++i) {
        const double date = first + static_cast<double>(static_cast<long long>(span * i / count));
        DayMark mark;
        if (i % 7 == 6)
            mark.Kind = MarkKind::NoteOnly;
        else if (DutyCodeOf(schedule, date) == DutyOn)
            mark.Kind = i % 3 == 0 ? MarkKind::Leave : i % 3 == 1 ? MarkKind::Sick : MarkKind::TradedAway;
        else
            mark.Kind = MarkKind::ExtraShift;
        if (mark.Kind == MarkKind::ExtraShift && i % 2 == 0)
            mark.Hours = 12;
        if (i % 2 == 1)
            mark.Note = "court hearing, room 3";
        events += MarkEventText(date, mark, 1799573400);
    }
    std::string text = EmptyDaysCalendarText();
    text.insert(text.rfind("END:VCALENDAR"), events);
    return text;
}
