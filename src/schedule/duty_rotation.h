#pragma once
// The 98-day duty rotation and the base date of each assignment.

#include "schedule_state.h"

#include <array>
#include <string_view>

// One letter per day of the rotation, position 0 first: L on duty, K off duty, Y regular day off.
inline constexpr std::string_view ShiftPattern =
    "LLKKLLKKLLKKLLYYYYLLKKLLKKLLKKLLYYYYLLKKLLKKLLKKLLKKLLYYYYLLKKLLKKLLKKLLYYYYLLKKLLKKLLKKLLYYYYYYYY";

inline constexpr int AssignmentCount = 8;

// Indexed by assignment: 0 the department ("TFD", no rotation), 1 to 7 Group 1 to Group 7.
inline constexpr std::array<TDateTime, AssignmentCount> AssignmentBaseDates = {0,     36797, 36811, 36825,
                                                                               36839, 36853, 36867, 36881};

// Duty codes: L on duty, K off duty, Y regular day off, Z no schedule.
inline constexpr char DutyOn = 'L';
inline constexpr char DutyOff = 'K';
inline constexpr char DutyRdo = 'Y';
inline constexpr char DutyNone = 'Z';

// The duty code of `date` for the assignment whose base date the state holds. A time of day counts in
// the comparison with ScheduleCutoff and is dropped when the rotation position is taken.
char DutyCodeOf(const ScheduleState& state, TDateTime date);

// Sets BaseDate for an assignment index in [-1, 7]; -1 (nothing selected) counts as 0.
void SelectAssignment(ScheduleState& state, int index);
