#pragma once
// One mark as one all-day VEVENT of the days file, read and written through libical:
//   UID          "mark-YYYYMMDD@varnok.orvane.example", built from the day, so it never changes
//   DTSTAMP      when the mark was last changed (UTC)
//   DTSTART/DTEND the day, as DATE values (DTEND the next day)
//   SUMMARY      for calendar programs only: the kind, an extra shift's hours, the note's first line
//   CATEGORIES   the kind's name ("Leave", "Sick", "Traded away", "Extra shift", "Note")
//   DESCRIPTION  the note, when there is one: a TEXT value, so libical escapes and unescapes commas,
//                semicolons, backslashes and line breaks, and any Unicode text round-trips
//   X-VARNOK-HOURS an extra shift's hours as a plain decimal ("7.5"): no standard property holds the
//                hours worked on an all-day event (DURATION would change the event's length)
//   TRANSP       TRANSPARENT on the days the member does not work for the rotation, so calendar
//                programs show them free
// The mark is read back from CATEGORIES, DESCRIPTION and X-VARNOK-HOURS alone; SUMMARY is never read.
// Other CATEGORIES values, properties and components that another program put into the event stay.

#include "day_mark.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// "mark-20270115@varnok.orvane.example".
std::string MarkUid(TDateTime date);

// What a UID says: not one of ours, or ours with its day (nothing when its digits name no markable day).
struct MarkUidMatch {
    bool Ours = false;
    std::optional<TDateTime> Date;
};
MarkUidMatch MatchMarkUid(std::string_view uid);

// The mark held by the text of one VEVENT (BEGIN:VEVENT to END:VEVENT); Problem says why there is
// none: a parse error, no known kind or two of them, a note that is not UTF-8, hours that are not a
// number in (0, 48) or hours on a kind other than Extra shift.
struct MarkEventRead {
    std::optional<DayMark> Mark;
    std::string Problem;
};
MarkEventRead ReadMarkEvent(std::string_view eventText);

// The text of the event for `mark` on `date` (CRLF line ends), stamped `stampTime` (seconds since
// 1970, UTC). With the text of the event it replaces, everything else that event holds is kept.
// `mark` must be valid (MarkProblem empty).
std::string MarkEventText(TDateTime date, const DayMark& mark, std::int64_t stampTime,
                          std::string_view previousEventText = {});

// An empty calendar to put the first mark into: VERSION, PRODID and a calendar name.
std::string EmptyDaysCalendarText();
