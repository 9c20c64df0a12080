#pragma once
// The varnok-duty commands of the member's own days: mark (put a mark on a day, or clear it), marks
// (list them, one line a mark) and tally (count a span against the rotation). Only mark writes, and
// only the days file.

#include "duty_command.h"

#include <vector>

// mark, marks and tally.
std::vector<DutySubcommand> MarkSubcommands();
