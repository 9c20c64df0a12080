#include "duty_calendar.h"

#include "pattern_runs.h"
#include "schedule/duty_rotation.h"

#include <algorithm>
#include <cmath>
#include <libical/ical.h>
#include <memory>
#include <utility>
#include <vector>

namespace {

constexpr int RotationDays = 98;
constexpr const char* UidDomain = "@varnok.orvane.example";

struct ComponentDeleter {
    void operator()(icalcomponent* component) const { icalcomponent_free(component); }
};
using Component = std::unique_ptr<icalcomponent, ComponentDeleter>;

std::int64_t WholeDay(TDateTime date) {
    return static_cast<std::int64_t>(date);
}

// Non-negative remainder.
std::int64_t Modulo(std::int64_t value, std::int64_t divisor) {
    const std::int64_t remainder = value % divisor;
    return remainder < 0 ? remainder + divisor : remainder;
}

icaltimetype DateValue(std::int64_t day) {
    const std::chrono::year_month_day ymd = YearMonthDayOf(static_cast<TDateTime>(day));
    icaltimetype value = icaltime_null_date();
    value.year = static_cast<int>(ymd.year());
    value.month = static_cast<int>(static_cast<unsigned>(ymd.month()));
    value.day = static_cast<int>(static_cast<unsigned>(ymd.day()));
    return value;
}

// A floating local time: no zone, no UTC mark.
icaltimetype LocalTimeValue(std::int64_t day, int minute) {
    icaltimetype value = DateValue(day + minute / 1440);
    value.is_date = 0;
    value.hour = minute % 1440 / 60;
    value.minute = minute % 60;
    value.second = 0;
    value.zone = nullptr;
    return value;
}

std::string CompactDate(std::int64_t day) {
    const icaltimetype value = DateValue(day);
    char text[16];
    std::snprintf(text, sizeof text, "%04d%02d%02d", value.year, value.month, value.day);
    return text;
}

// A timed event's start and length.
struct Times {
    int StartMinute = 0; // after midnight of its first day
    int Minutes = 0;
};

std::optional<Times> ShiftSpan(const std::optional<ShiftTimes>& shift) {
    return shift ? std::optional(Times{shift->StartMinute, shift->Hours * 60}) : std::nullopt;
}

// One event, repeated every `interval` days up to the start `lastStart` when that lies after `first`,
// without the occurrences that start on the days of `excluded`.
struct EventSpec {
    std::string Uid;
    std::string Summary;
    std::int64_t First = 0;     // first day
    std::int64_t LastStart = 0; // first day of the last occurrence
    int Interval = RotationDays;
    int Days = 1;                    // all-day events: days per occurrence
    std::optional<Times> Timed = {}; // a timed event instead of an all-day one
    bool Busy = true;
    bool Weekly = false; // the interval counted in weeks
    std::vector<std::int64_t> Excluded = {};
    const DutyReminder* Remind = nullptr;
    std::string Description = {}; // none when empty
    std::string_view Category = {};
};

// The alarm's offset from the event's start, in seconds (negative: before it).
int TriggerSeconds(const DutyReminder& remind, int startMinute) {
    const int minutes =
        remind.When == DutyReminder::Kind::Before ? remind.Minutes : 1440 + startMinute - remind.Minutes;
    return -minutes * 60;
}

class CalendarBuilder {
public:
    CalendarBuilder(std::int64_t stampTime)
        : calendar_(icalcomponent_new_vcalendar()),
          stamp_(icaltime_from_timet_with_zone(static_cast<time_t>(stampTime), 0,
                                               icaltimezone_get_utc_timezone())) {}

    icalcomponent* Calendar() { return calendar_.get(); }

    void Add(const EventSpec& spec) {
        icalcomponent* event = icalcomponent_new_vevent();
        icalcomponent_add_property(event, icalproperty_new_uid(spec.Uid.c_str()));
        icalcomponent_add_property(event, icalproperty_new_dtstamp(stamp_));
        const auto start = [&](std::int64_t day) {
            return spec.Timed ? LocalTimeValue(day, spec.Timed->StartMinute) : DateValue(day);
        };
        icalcomponent_add_property(event, icalproperty_new_dtstart(start(spec.First)));
        if (spec.Timed) {
            icalcomponent_add_property(
                event, icalproperty_new_dtend(
                           LocalTimeValue(spec.First, spec.Timed->StartMinute + spec.Timed->Minutes)));
        } else {
            icalcomponent_add_property(event, icalproperty_new_dtend(DateValue(spec.First + spec.Days)));
        }
        if (spec.LastStart > spec.First) {
            icalrecurrencetype rule;
            icalrecurrencetype_clear(&rule);
            rule.freq = spec.Weekly ? ICAL_WEEKLY_RECURRENCE : ICAL_DAILY_RECURRENCE;
            rule.interval = static_cast<short>(spec.Weekly ? spec.Interval / 7 : spec.Interval);
            rule.until = start(spec.LastStart);
            icalcomponent_add_property(event, icalproperty_new_rrule(rule));
            for (const std::int64_t day : spec.Excluded)
                icalcomponent_add_property(event, icalproperty_new_exdate(start(day)));
        }
        icalcomponent_add_property(event, icalproperty_new_summary(spec.Summary.c_str()));
        if (!spec.Description.empty())
            icalcomponent_add_property(event, icalproperty_new_description(spec.Description.c_str()));
        if (!spec.Category.empty())
            icalcomponent_add_property(event,
                                       icalproperty_new_categories(std::string(spec.Category).c_str()));
        icalcomponent_add_property(
            event, icalproperty_new_transp(spec.Busy ? ICAL_TRANSP_OPAQUE : ICAL_TRANSP_TRANSPARENT));
        if (spec.Remind != nullptr) {
            icalcomponent* alarm = icalcomponent_new_valarm();
            icalcomponent_add_property(alarm, icalproperty_new_action(ICAL_ACTION_DISPLAY));
            icalcomponent_add_property(
                alarm, icalproperty_new_trigger(icaltriggertype_from_int(
                           TriggerSeconds(*spec.Remind, spec.Timed ? spec.Timed->StartMinute : 0))));
            icalcomponent_add_property(alarm, icalproperty_new_description(spec.Summary.c_str()));
            icalcomponent_add_component(event, alarm);
        }
        icalcomponent_add_component(calendar_.get(), event);
    }

private:
    Component calendar_;
    icaltimetype stamp_;
};

struct RunKind {
    const char* Name;    // in UIDs
    std::string Summary; // the event's title
    bool Busy;
    const DutyReminder* Remind; // nullptr for none
};

// The occurrences of one run of the rotation inside [from, to]: whole ones as one series, the rest
// (cut by the range or holding a day left out) as single events of their days that are kept.
void AddRun(CalendarBuilder& builder, const DutyCalendarRequest& request,
            const std::set<std::int64_t>& leftOut, const RunKind& kind, PatternRun run) {
    const std::int64_t from = WholeDay(request.From);
    const std::int64_t to = WholeDay(request.To);
    const std::int64_t base = WholeDay(AssignmentBaseDates[static_cast<std::size_t>(request.Assignment)]);
    const std::string stem =
        "group" + std::to_string(request.Assignment) + "-" + kind.Name + "-" + std::to_string(run.Position);
    const auto single = [&](std::int64_t first, std::int64_t last) {
        builder.Add({.Uid = stem + "-" + CompactDate(first) + UidDomain,
                     .Summary = kind.Summary,
                     .First = first,
                     .LastStart = first,
                     .Days = static_cast<int>(last - first + 1),
                     .Timed = ShiftSpan(request.Shift),
                     .Busy = kind.Busy,
                     .Remind = kind.Remind});
    };
    // The first occurrence that ends on or after `from`.
    const std::int64_t earliest = from - run.Length + 1;
    std::int64_t start = earliest + Modulo(base + run.Position - earliest, RotationDays);
    std::vector<std::int64_t> whole; // starts of the occurrences the series keeps
    for (; start <= to; start += RotationDays) {
        const std::int64_t end = start + run.Length - 1;
        const std::int64_t first = std::max(start, from);
        const std::int64_t last = std::min(end, to);
        auto left = leftOut.lower_bound(first);
        if (start >= from && end <= to && (left == leftOut.end() || *left > last)) {
            whole.push_back(start);
            continue;
        }
        // The stretches of kept days between the days left out.
        for (std::int64_t day = first; day <= last;) {
            if (left != leftOut.end() && *left == day) {
                ++left;
                ++day;
                continue;
            }
            const std::int64_t stretchEnd = left == leftOut.end() ? last : std::min(last, *left - 1);
            single(day, stretchEnd);
            day = stretchEnd + 1;
        }
    }
    if (whole.empty())
        return;
    // An occurrence missing between the first and the last kept one holds a day left out.
    std::vector<std::int64_t> excluded;
    for (std::int64_t occurrence = whole.front(), index = 0; occurrence <= whole.back();
         occurrence += RotationDays) {
        if (whole[static_cast<std::size_t>(index)] == occurrence)
            ++index;
        else
            excluded.push_back(occurrence);
    }
    builder.Add({.Uid = stem + UidDomain,
                 .Summary = kind.Summary,
                 .First = whole.front(),
                 .LastStart = whole.back(),
                 .Days = run.Length,
                 .Timed = ShiftSpan(request.Shift),
                 .Busy = kind.Busy,
                 .Excluded = std::move(excluded),
                 .Remind = kind.Remind});
}

// The runs of `code` as the events are cut: whole runs, or each day alone.
std::vector<PatternRun> EventRuns(char code, bool wholeRuns) {
    if (wholeRuns)
        return PatternRuns(code);
    std::vector<PatternRun> days;
    for (int position = 0; position < RotationDays; ++position) {
        if (ShiftPattern[static_cast<std::size_t>(position)] == code)
            days.push_back({position, 1});
    }
    return days;
}

void AddPaydays(CalendarBuilder& builder, const DutyCalendarRequest& request) {
    const std::int64_t anchor = WholeDay(PaydayAnchor);
    const std::int64_t from = std::max(WholeDay(request.From), anchor);
    const std::int64_t first = from + Modulo(anchor - from, 14);
    const std::int64_t to = WholeDay(request.To);
    if (first > to)
        return;
    builder.Add({.Uid = std::string("payday") + UidDomain,
                 .Summary = "Payday",
                 .First = first,
                 .LastStart = first + (to - first) / 14 * 14,
                 .Interval = 14,
                 .Days = 1,
                 .Timed = std::nullopt,
                 .Busy = false,
                 .Weekly = true});
}

// "Leave – Group 3", "Extra shift – Group 3 (7.5 h)", "Note: court".
std::string MarkSummary(const DayMark& mark, const std::string& group) {
    const std::string kind(MarkKindName(mark.Kind));
    if (mark.Kind == MarkKind::NoteOnly) {
        const std::string_view firstLine = std::string_view(mark.Note).substr(0, mark.Note.find('\n'));
        return firstLine.empty() ? kind : kind + ": " + std::string(firstLine);
    }
    std::string summary = kind + " \u2013 " + group;
    if (mark.Kind == MarkKind::ExtraShift && mark.Hours)
        summary += " (" + HoursText(*mark.Hours) + " h)";
    return summary;
}

// The events of the marks in the range that fit their days, and the days they take out of the
// rotation's events: the days away out of the duty events, the extra shifts out of the regular days
// off. A mark that does not fit its day changes nothing, as tally leaves it out.
std::vector<EventSpec> MarkEvents(const DutyCalendarRequest& request, const std::string& group,
                                  std::set<std::int64_t>& leftOut) {
    ScheduleState schedule;
    SelectAssignment(schedule, request.Assignment);
    std::vector<EventSpec> events;
    for (auto entry = request.Marks.lower_bound(request.From);
         entry != request.Marks.end() && entry->first <= request.To; ++entry) {
        const auto& [date, mark] = *entry;
        if (!MarkFits(mark.Kind, DutyCodeOf(schedule, date)))
            continue;
        const std::int64_t day = WholeDay(date);
        EventSpec& event = events.emplace_back(EventSpec{.Uid = "myday-" + CompactDate(day) + UidDomain,
                                                         .Summary = MarkSummary(mark, group),
                                                         .First = day,
                                                         .LastStart = day,
                                                         .Busy = false,
                                                         .Description = mark.Note,
                                                         .Category = MarkKindName(mark.Kind)});
        if (mark.Kind == MarkKind::NoteOnly)
            continue;
        leftOut.insert(day);
        if (mark.Kind != MarkKind::ExtraShift)
            continue;
        // A worked day: busy, reminded like a duty day, and a shift of its own hours.
        event.Busy = true;
        event.Remind = request.Remind ? &*request.Remind : nullptr;
        if (request.Shift) {
            const long minutes = mark.Hours ? std::lround(*mark.Hours * 60) : request.Shift->Hours * 60L;
            event.Timed = Times{request.Shift->StartMinute, static_cast<int>(std::max(1L, minutes))};
        }
    }
    return events;
}

} // namespace

std::string DutyCalendar(const DutyCalendarRequest& request) {
    CalendarBuilder builder(request.StampTime);
    icalcomponent* calendar = builder.Calendar();
    const std::string group = "Group " + std::to_string(request.Assignment);
    icalcomponent_add_property(calendar, icalproperty_new_version("2.0"));
    icalcomponent_add_property(calendar, icalproperty_new_prodid("-//Orvane//Varnok for Tolmere//EN"));
    icalcomponent_add_property(calendar, icalproperty_new_calscale("GREGORIAN"));
    icalcomponent_add_property(calendar, icalproperty_new_method(ICAL_METHOD_PUBLISH));
    icalproperty* name = icalproperty_new_x((group + " duty").c_str());
    icalproperty_set_x_name(name, "X-WR-CALNAME");
    icalcomponent_add_property(calendar, name);

    std::set<std::int64_t> leftOut;
    for (const TDateTime day : request.LeftOut)
        leftOut.insert(WholeDay(day));
    const std::vector<EventSpec> marks = MarkEvents(request, group, leftOut);
    const DutyReminder* remind = request.Remind ? &*request.Remind : nullptr;
    // A shift is one day whatever the form: a shift of 24 hours ends where the next day's begins.
    const bool runs = request.Runs && !request.Shift;
    const RunKind duty{request.Shift ? "shift"
                       : runs        ? "duty"
                                     : "dutyday",
                       "On duty \u2013 " + group, true, remind};
    for (const PatternRun& run : EventRuns(DutyOn, runs))
        AddRun(builder, request, leftOut, duty, run);
    if (request.RegularDaysOff) {
        const RunKind rdo{runs ? "rdo" : "rdoday", "Regular day off \u2013 " + group, false, nullptr};
        for (const PatternRun& run : EventRuns(DutyRdo, runs))
            AddRun(builder, request, leftOut, rdo, run);
    }
    if (request.Paydays)
        AddPaydays(builder, request);
    for (const EventSpec& mark : marks)
        builder.Add(mark);

    char* text = icalcomponent_as_ical_string_r(calendar);
    std::string result(text);
    icalmemory_free_buffer(text);
    return result;
}
