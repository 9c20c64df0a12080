#pragma once
// The figures a member checks against their pay: for a group and a span of days, the duty days the
// rotation schedules, the marks of each kind that fit their days, and the days (and hours) actually
// worked. A mark that does not fit its day's code under the group (after a change of assignment) is
// left out of every figure and counted as left out.

#include "day_mark.h"

#include <array>
#include <optional>

struct MarkTally {
    int ScheduledDutyDays = 0;
    std::array<int, MarkKinds.size()> Marks{}; // counted marks, indexed like MarkKinds
    int LeftOut = 0;                           // marks in the span that do not fit their days
    double ExtraShiftHours = 0;                // hours of the extra shifts that give theirs
    int ExtraShiftsWithoutHours = 0;

    int Count(MarkKind kind) const { return Marks[static_cast<std::size_t>(kind)]; }
    // Duty days not worked: leave, sick and traded away.
    int DaysAway() const;
    // Scheduled duty days less those away, plus the extra shifts.
    int DaysWorked() const;
    // DaysWorked in hours for shifts of `shiftHours`: the duty days worked at `shiftHours` each, and
    // each extra shift at its own hours, or at `shiftHours` when it gives none.
    double HoursWorked(double shiftHours) const;
};

// The tally of `marks` for `assignment` (1 to 7) over the whole days of `span`.
MarkTally TallyMarks(const DayMarks& marks, int assignment, const DayRange& span);
