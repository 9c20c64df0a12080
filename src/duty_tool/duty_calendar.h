#pragma once
// A group's duty as an iCalendar file (RFC 5545), built with libical.
//
// Each run of consecutive duty days is one all-day event "On duty – Group n", repeated every 98 days
// (RRULE FREQ=DAILY;INTERVAL=98, UNTIL its last start) from its first whole occurrence in the range.
// An occurrence cut by the range's first or last day is a single event of the days inside. So the
// events cover exactly the group's duty days in the range. Regular days off work the same way;
// paydays are one series every second Friday. With shift times, every duty day is its own timed
// event in floating local time (no time zone) instead. UIDs are made of the group, the kind and the
// rotation position (and the first day, for a cut occurrence), so a newer file updates an imported
// one instead of adding to it.

#include "schedule/date_serial.h"

#include <cstdint>
#include <optional>
#include <string>

struct ShiftTimes {
    int StartMinute = 0; // [0, 1439], minutes after midnight
    int Hours = 24;      // [1, 24]
};

struct DutyCalendarRequest {
    int Assignment = 1;                  // [1, 7]
    TDateTime From = ScheduleCutoff + 1; // whole days, From <= To,
    TDateTime To = PickerMaxDate;        // both in [ScheduleCutoff + 1, PickerMaxDate]
    bool RegularDaysOff = false;
    bool Paydays = false;
    std::optional<ShiftTimes> Shift;
    std::int64_t StampTime = 0; // DTSTAMP, seconds since 1970 UTC
};

// The whole calendar text, CRLF line ends.
std::string DutyCalendar(const DutyCalendarRequest& request);
