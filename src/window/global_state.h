#pragma once
// The program's global state: one instance, owned by the main window, zero when created and filled
// by start-up. The plain operations of schedule/ take the part they work on.

#include "schedule/schedule_state.h"

struct TGlobalState : ScheduleState {
    // Font sizes in logical pixels, recomputed from the window size on every resize.
    float TitleFontSize = 0;
    float TitleFontSizeSmall = 0;
    float MonthFontSize = 0;
    float WeekdayFontSize = 0;
    float DayFontSize = 0;
    float StatusFontSize = 0;
};
