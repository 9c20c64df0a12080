#pragma once
// A group's duty as an iCalendar file (RFC 5545), built with libical.
//
// By default every duty day of the 98-day rotation is one all-day event "On duty – Group n",
// repeated every 98 days (RRULE FREQ=DAILY;INTERVAL=98, UNTIL its last start) from its first whole
// occurrence in the range: every calendar program that reads RRULE shows each day, including those
// that turn a repeating event of several days into one day. With Runs, each run of consecutive duty
// days is one such event of several days instead, and an occurrence cut by the range's first or last
// day is a single event of the days inside. Either way the events cover exactly the group's duty
// days in the range. Regular days off work the same way; paydays are one series every second Friday.
// With shift times, every duty day is a timed series in floating local time (no time zone).
//
// Days left out (LeftOut) are taken out of the duty and regular-day-off events: an occurrence inside
// a series becomes an EXDATE; in the run form, the days of its run that are kept become single
// events, as at the range's ends. Paydays are never left out.
//
// UIDs are made of the group, the kind (one name per form) and the rotation position, and for a
// single event its first day, so a newer file of the same form updates an imported one instead of
// adding to it, and the two forms never share a UID.

#include "schedule/date_serial.h"

#include <cstdint>
#include <optional>
#include <set>
#include <string>

struct ShiftTimes {
    int StartMinute = 0; // [0, 1439], minutes after midnight
    int Hours = 24;      // [1, 24]
};

// A DISPLAY alarm on every duty event, relative to its start (midnight for an all-day event, the
// shift's start with shift times), so that it repeats with the series.
struct DutyReminder {
    enum class Kind {
        EveningBefore, // at Minutes after midnight on the day before the start's day
        Before,        // Minutes before the start
    };
    Kind When = Kind::EveningBefore;
    int Minutes = 18 * 60; // EveningBefore: [0, 1439]; Before: [0, 10080]
};

struct DutyCalendarRequest {
    int Assignment = 1;                  // [1, 7]
    TDateTime From = ScheduleCutoff + 1; // whole days, From <= To,
    TDateTime To = PickerMaxDate;        // both in [ScheduleCutoff + 1, PickerMaxDate]
    bool RegularDaysOff = false;
    bool Paydays = false;
    bool Runs = false; // one event per run of days instead of one per day; all-day events only
    std::optional<ShiftTimes> Shift;
    std::optional<DutyReminder> Remind;
    std::set<TDateTime> LeftOut; // whole days without a duty or regular-day-off event
    std::int64_t StampTime = 0;  // DTSTAMP, seconds since 1970 UTC
};

// The whole calendar text, CRLF line ends.
std::string DutyCalendar(const DutyCalendarRequest& request);
