#include "mark_tally.h"

#include "schedule/duty_rotation.h"

int MarkTally::DaysAway() const {
    return Count(MarkKind::Leave) + Count(MarkKind::Sick) + Count(MarkKind::TradedAway);
}

int MarkTally::DaysWorked() const {
    return ScheduledDutyDays - DaysAway() + Count(MarkKind::ExtraShift);
}

double MarkTally::HoursWorked(double shiftHours) const {
    return (ScheduledDutyDays - DaysAway() + ExtraShiftsWithoutHours) * shiftHours + ExtraShiftHours;
}

MarkTally TallyMarks(const DayMarks& marks, int assignment, const DayRange& span) {
    ScheduleState schedule;
    SelectAssignment(schedule, assignment);
    MarkTally tally;
    for (TDateTime date = span.First; date <= span.Last; ++date) {
        if (DutyCodeOf(schedule, date) == DutyOn)
            ++tally.ScheduledDutyDays;
    }
    for (auto mark = marks.lower_bound(span.First); mark != marks.end() && mark->first <= span.Last; ++mark) {
        const DayMark& day = mark->second;
        if (!MarkFits(day.Kind, DutyCodeOf(schedule, mark->first))) {
            ++tally.LeftOut;
            continue;
        }
        ++tally.Marks[static_cast<std::size_t>(day.Kind)];
        if (day.Kind == MarkKind::ExtraShift) {
            if (day.Hours)
                tally.ExtraShiftHours += *day.Hours;
            else
                ++tally.ExtraShiftsWithoutHours;
        }
    }
    return tally;
}
