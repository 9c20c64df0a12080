#pragma once
// The program's global state: one instance, owned by the main window, zero when created and filled
// by start-up. The plain operations of schedule/ and settings/ take the part they work on.

#include "format_settings.h"
#include "schedule/schedule_state.h"
#include "settings/settings_state.h"

#include <string>

struct TGlobalState : ScheduleState, SettingsState {
    std::string PlatformText;
    TFormatSettings AppFormatSettings; // the user's locale, copied at start-up

    // Font sizes in logical pixels, recomputed from the window size on every resize.
    float TitleFontSize = 0;
    float TitleFontSizeSmall = 0;
    float MonthFontSize = 0;
    float WeekdayFontSize = 0;
    float DayFontSize = 0;
    float StatusFontSize = 0;
};
