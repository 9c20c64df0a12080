#pragma once
// The duty table as CSV (RFC 4180: CRLF line ends): the header
// "date,weekday,assignment,duty,payday,mark,note", then one row a day, e.g.
// "2027-01-15,Friday,Group 3,on duty,yes,Leave,court". Dates are ISO 8601, weekdays in English; the
// duty column holds "on duty", "off duty", "regular day off" or "no schedule". The mark column holds
// the day's mark ("Leave", "Extra shift, 12 hours"), with " (not counted)" when it does not fit the
// day's code, and is empty on a day without a mark; the note column holds its note. A mark or note with
// a comma, a quote or a line break is quoted, its quotes doubled; no other field can hold one.

#include "member_days/day_mark.h"
#include "schedule/date_serial.h"

#include <string>

// The table of assignment [1, 7] for the whole days from `from` to `to`, both included (from <= to,
// both valid serials), with the marks of those days.
std::string DutyCsv(int assignment, TDateTime from, TDateTime to, const DayMarks& marks);
