#pragma once
// Dates on the command line: ISO 8601 calendar dates ("2027-01-15"), "today" and "tomorrow".

#include "schedule/today_clock.h"

#include <QString>
#include <optional>

// The whole-day serial of the argument, or nothing when it is no such date (a malformed text, a day
// that does not exist, a year outside 1 to 9999). today and tomorrow come from the clock.
std::optional<TDateTime> DateFromArgument(const QString& text, const TodayClock& clock);

// The serial as "yyyy-mm-dd".
QString IsoDateText(TDateTime date);
