#pragma once
// The program's global state: one instance, owned by the main window, zero when created and filled
// by start-up. The plain operations of schedule/ take the part they work on.

#include "schedule/schedule_state.h"

struct TGlobalState : ScheduleState {};
