#pragma once
// The month grid and the operations that move the selected day. Every result is a whole day.
//
// The arithmetic covers the years 1 to 9999. A step whose result would leave that span changes
// nothing, so CurrentDate, MarkDate and GridDates always stay valid and consistent.

#include "schedule_state.h"
#include "today_clock.h"

// GridDates becomes the 42 days from the Sunday on or before the 1st of the month of `date`.
void FillGridDates(ScheduleState& state, TDateTime date);

// `date` moved by n months (n = +1 or -1), the day clamped to the target month's length, the time
// of day kept. A target month outside the years 1 to 9999 gives `date` back unchanged.
TDateTime AddMonths(TDateTime date, int n);

// CurrentDate moved by n months (+1 or -1), clamped to the month's length.
void StepMonths(ScheduleState& state, int n);

// CurrentDate moved by n days (-7, -1, +1 or +7).
void StepDays(ScheduleState& state, int n);

// CurrentDate becomes today.
void GoToToday(ScheduleState& state, const TodayClock& clock);

// CurrentDate becomes MarkDate.
void GoToMark(ScheduleState& state);

// CurrentDate becomes `date` when it lies in [ScheduleCutoff, PickerMaxDate] (true), else today (false).
bool PickDate(ScheduleState& state, TDateTime date, const TodayClock& clock);

// Selects the grid cell `index` in [0, 41] when it shows a day of the shown month; true if selected.
bool SelectGridCell(ScheduleState& state, int index);

// MarkDate becomes CurrentDate.
void MarkCurrentDate(ScheduleState& state);
