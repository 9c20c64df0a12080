#pragma once
// The year subcommand of varnok-duty: the printable year sheet of a group as PDF or PNG, in the
// colors and with the agency name of the settings file. Needs a QGuiApplication (offscreen will do).

#include "duty_tool/duty_command.h"

DutySubcommand YearSubcommand();
