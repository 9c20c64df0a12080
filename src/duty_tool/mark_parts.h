#pragma once
// The pieces of varnok-duty that read the member's marks and put them into words: where the days file
// lies, reading it (a file that cannot be read ends the command with exit 1 and names the file), and
// a mark in one line.

#include "command_parts.h"
#include "member_days/day_mark.h"

#include <QString>
#include <filesystem>

// The days file beside the settings file the tool reads.
std::filesystem::path DaysFileOf(const ToolSettings& settings);

// The marks of the days in `range` (the whole file's structure is checked); an I/O failure naming the
// file when it cannot be read.
DayMarks ReadDayMarks(const ToolSettings& settings, const DayRange& range);

// The note in one line: a line break as \n and a backslash as \\.
QString OneLineNote(const std::string& note);

// A mark in words for a day of duty code `code`: "Leave: court", "Extra shift, 12 hours"; a mark that
// does not fit the code adds why it is not counted: "Leave (not counted: Leave needs a duty day)".
QString MarkSummary(const DayMark& mark, char code);

// The kind for the command line: leave, sick, traded-away, extra-shift, note, in any letter case, with
// blanks or underscores for the hyphen; the kind names ("Traded away") too.
std::optional<MarkKind> MarkKindFromArgument(const QString& text);
