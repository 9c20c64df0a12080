#pragma once
// The duty table as CSV (RFC 4180: CRLF line ends): the header "date,weekday,assignment,duty,payday",
// then one row a day, e.g. "2027-01-15,Friday,Group 3,on duty,yes". Dates are ISO 8601, weekdays in
// English; the duty column holds "on duty", "off duty", "regular day off" or "no schedule". No field
// can hold a comma, quote or line end, so none is quoted.

#include "schedule/date_serial.h"

#include <string>

// The table of assignment [1, 7] for the whole days from `from` to `to`, both included (from <= to,
// both valid serials).
std::string DutyCsv(int assignment, TDateTime from, TDateTime to);
