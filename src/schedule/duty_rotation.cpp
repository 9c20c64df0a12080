#include "duty_rotation.h"

#include <cmath>

static_assert(ShiftPattern.size() == 98);

char DutyCodeOf(const ScheduleState& state, TDateTime date) {
    if (state.BaseDate == 0)
        return DutyNone;
    // Written as negations so that a NaN also falls out as "no schedule".
    if (!(date > ScheduleCutoff))
        return DutyNone;
    if (!(date >= state.BaseDate) || !std::isfinite(date))
        return DutyNone;
    // fmod is exact on doubles, so no integer conversion can overflow for any finite date.
    const double position = std::fmod(std::trunc(date - state.BaseDate), double(ShiftPattern.size()));
    return ShiftPattern[static_cast<std::size_t>(position)];
}

void SelectAssignment(ScheduleState& state, int index) {
    if (index < 0 || index >= AssignmentCount)
        index = 0;
    state.BaseDate = AssignmentBaseDates[static_cast<std::size_t>(index)];
}
