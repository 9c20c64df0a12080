#pragma once
// The program's run from the window's creation to the end of the event loop. Needs a TApplication.

#include "schedule/today_clock.h"

#include <QLocale>
#include <filesystem>

// Creates the one window (today from `clock`, the settings folder under `settingsBase`, names and
// formats from `locale`), sets MainForm and runs the event loop; returns its exit code. An error
// during the window's start-up (an unreadable color in the settings file) is shown in the error box
// and returns 1 without a window or an event loop.
int RunProgram(const TodayClock& clock, const std::filesystem::path& settingsBase, const QLocale& locale);
