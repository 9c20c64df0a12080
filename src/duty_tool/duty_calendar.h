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
//
// Of the member's marks (Marks), those in the range that fit their days under the group, the marks
// tally counts, have events of their own. A day of leave, sick or traded away is left out of the duty events
// and is an all-day event "Leave – Group 3" (free); an extra shift is left out of the regular-day-off events
// and is an event "Extra shift – Group 3 (12 h)" (busy, with the duty events' reminder): all day, or
// with shift times from the shift's start for the extra shift's own hours, the shift's length when it
// gives none; a note is an all-day event "Note: <its first line>" (free) beside the day's other
// events. A mark's note is its event's DESCRIPTION, its kind the CATEGORIES. A mark that does not fit
// its day (after a change of assignment: leave on what is now a day off, an extra shift on what is
// now a duty day) changes no event and has none, so no day is taken out that has no duty and none is
// worked twice. A mark's event has the UID "myday-YYYYMMDD@…": one a day, whatever the kind, the form
// or the group, so a newer file updates the day's event when its mark changes; it is neither a duty
// event's UID nor the UID of the day's event in the days file itself.

#include "member_days/day_mark.h"
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
    DayMarks Marks;              // the member's marks; those outside [From, To] are not written
    std::int64_t StampTime = 0;  // DTSTAMP, seconds since 1970 UTC
};

// The whole calendar text, CRLF line ends.
std::string DutyCalendar(const DutyCalendarRequest& request);
