#pragma once
// The schedule's share of the program's global state: the selected day, the remembered day, the
// rotation base date of the selected assignment and the 42 days of the month grid. Zero when created.

#include "date_serial.h"

#include <array>

inline constexpr int GridCellCount = 42;

struct ScheduleState {
    TDateTime CurrentDate = 0; // the selected day; the shown month is its month
    TDateTime MarkDate = 0;    // the day the End key returns to
    TDateTime BaseDate = 0;    // rotation base of the selected assignment; 0 = no rotation
    std::array<TDateTime, GridCellCount> GridDates{}; // [0] is the Sunday on or before the 1st
};
