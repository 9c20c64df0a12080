#pragma once
// The color rules of the calendar page: the fill and the number color of a day cell, and the border
// that goes with a fill.

#include "schedule/schedule_state.h"
#include "settings/settings_state.h"

// The fill of day cell `index` showing `date`: the background, except on the selected day, which takes
// the color of its duty code (the lead/trail color when it has no schedule).
TAlphaColor CellFillColor(const ScheduleState& schedule, const SettingsState& colors, int index,
                          TDateTime date);

// The color of the day number of cell `index` showing `date`: on the selected day the contrast color of
// its fill, on any other day DayNumberColor.
TAlphaColor CellTextColor(const ScheduleState& schedule, const SettingsState& colors, int index,
                          TDateTime date);

// The color of a day number outside the selected cell: the duty color of `code` on a day of the shown
// month (Dimgray when the day has no schedule), the lead/trail color on a day of a neighbouring month.
TAlphaColor DayNumberColor(const SettingsState& colors, char code, bool inShownMonth);

// Black borders on Slategray, Darkgray and Blue fills, Slategray borders on every other fill.
TAlphaColor StrokeColorFor(TAlphaColor fill);
