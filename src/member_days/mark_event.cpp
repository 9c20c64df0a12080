#include "mark_event.h"

#include <algorithm>
#include <cstdio>
#include <libical/ical.h>
#include <memory>
#include <vector>

namespace {

constexpr std::string_view UidPrefix = "mark-";
constexpr std::string_view UidDomain = "@varnok.orvane.example";
constexpr const char* HoursProperty = "X-VARNOK-HOURS";

struct ComponentDeleter {
    void operator()(icalcomponent* component) const { icalcomponent_free(component); }
};
using Component = std::unique_ptr<icalcomponent, ComponentDeleter>;

std::string TakeString(char* text) {
    std::string result(text == nullptr ? "" : text);
    icalmemory_free_buffer(text);
    return result;
}

std::string CompactDate(TDateTime date) {
    const std::chrono::year_month_day ymd = YearMonthDayOf(date);
    char text[16];
    std::snprintf(text, sizeof text, "%04d%02u%02u", static_cast<int>(ymd.year()),
                  static_cast<unsigned>(ymd.month()), static_cast<unsigned>(ymd.day()));
    return text;
}

icaltimetype DateValue(TDateTime date) {
    const std::chrono::year_month_day ymd = YearMonthDayOf(date);
    icaltimetype value = icaltime_null_date();
    value.year = static_cast<int>(ymd.year());
    value.month = static_cast<int>(static_cast<unsigned>(ymd.month()));
    value.day = static_cast<int>(static_cast<unsigned>(ymd.day()));
    return value;
}

// libical parses a NUL-terminated text; an event is small, so the copy costs little.
Component ParseEvent(std::string_view eventText) {
    const std::string text(eventText);
    Component component(icalparser_parse_string(text.c_str()));
    if (component && icalcomponent_isa(component.get()) != ICAL_VEVENT_COMPONENT)
        component.reset();
    return component;
}

// The first error libical noted while parsing, or empty.
std::string FirstParseError(icalcomponent* event) {
    icalproperty* error = icalcomponent_get_first_property(event, ICAL_XLICERROR_PROPERTY);
    if (error != nullptr)
        return icalproperty_get_xlicerror(error);
    for (icalcomponent* inner = icalcomponent_get_first_component(event, ICAL_ANY_COMPONENT); inner;
         inner = icalcomponent_get_next_component(event, ICAL_ANY_COMPONENT)) {
        std::string text = FirstParseError(inner);
        if (!text.empty())
            return text;
    }
    return {};
}

std::vector<icalproperty*> PropertiesOf(icalcomponent* event, icalproperty_kind kind) {
    std::vector<icalproperty*> found;
    for (icalproperty* property = icalcomponent_get_first_property(event, kind); property;
         property = icalcomponent_get_next_property(event, kind))
        found.push_back(property);
    return found;
}

std::vector<icalproperty*> HoursProperties(icalcomponent* event) {
    std::vector<icalproperty*> found;
    for (icalproperty* property : PropertiesOf(event, ICAL_X_PROPERTY)) {
        const char* name = icalproperty_get_x_name(property);
        if (name != nullptr && std::string_view(name) == HoursProperty)
            found.push_back(property);
    }
    return found;
}

void RemoveProperties(icalcomponent* event, const std::vector<icalproperty*>& properties) {
    for (icalproperty* property : properties) {
        icalcomponent_remove_property(event, property);
        icalproperty_free(property);
    }
}

void Add(icalcomponent* event, icalproperty* property) {
    icalcomponent_add_property(event, property);
}

std::string Summary(const DayMark& mark) {
    std::string summary = MarkText(mark);
    const std::string_view firstLine = std::string_view(mark.Note).substr(0, mark.Note.find('\n'));
    if (!firstLine.empty())
        summary += ": " + std::string(firstLine);
    return summary;
}

bool MeansWork(MarkKind kind) {
    return kind == MarkKind::ExtraShift;
}

std::string EventText(TDateTime date, const DayMark& mark, std::int64_t stampTime,
                      std::string_view previousEventText) {
    Component event = previousEventText.empty() ? nullptr : ParseEvent(previousEventText);
    if (event) {
        // Only what this program writes is replaced; the kind's category goes, other categories stay.
        for (const icalproperty_kind kind :
             {ICAL_UID_PROPERTY, ICAL_DTSTAMP_PROPERTY, ICAL_DTSTART_PROPERTY, ICAL_DTEND_PROPERTY,
              ICAL_DURATION_PROPERTY, ICAL_SUMMARY_PROPERTY, ICAL_DESCRIPTION_PROPERTY, ICAL_TRANSP_PROPERTY})
            RemoveProperties(event.get(), PropertiesOf(event.get(), kind));
        RemoveProperties(event.get(), HoursProperties(event.get()));
        std::vector<icalproperty*> kindCategories;
        for (icalproperty* property : PropertiesOf(event.get(), ICAL_CATEGORIES_PROPERTY)) {
            const char* value = icalproperty_get_categories(property);
            if (MarkKindNamed(value == nullptr ? "" : value))
                kindCategories.push_back(property);
        }
        RemoveProperties(event.get(), kindCategories);
    } else {
        event.reset(icalcomponent_new_vevent());
    }
    icalcomponent* target = event.get();
    // The UID is written anew, in the form the file's scan finds (libical reads some odd UID lines
    // differently), and first, before what the other program keeps.
    const std::vector<icalproperty*> others = PropertiesOf(target, ICAL_ANY_PROPERTY);
    for (icalproperty* property : others)
        icalcomponent_remove_property(target, property);
    Add(target, icalproperty_new_uid(MarkUid(date).c_str()));
    for (icalproperty* property : others)
        Add(target, property);
    Add(target, icalproperty_new_dtstamp(icaltime_from_timet_with_zone(static_cast<time_t>(stampTime), 0,
                                                                       icaltimezone_get_utc_timezone())));
    Add(target, icalproperty_new_dtstart(DateValue(date)));
    Add(target, icalproperty_new_dtend(DateValue(date + 1)));
    Add(target, icalproperty_new_summary(Summary(mark).c_str()));
    Add(target, icalproperty_new_categories(std::string(MarkKindName(mark.Kind)).c_str()));
    if (!mark.Note.empty())
        Add(target, icalproperty_new_description(mark.Note.c_str()));
    if (mark.Hours) {
        icalproperty* hours = icalproperty_new_x(HoursText(*mark.Hours).c_str());
        icalproperty_set_x_name(hours, HoursProperty);
        Add(target, hours);
    }
    Add(target, icalproperty_new_transp(MeansWork(mark.Kind) ? ICAL_TRANSP_OPAQUE : ICAL_TRANSP_TRANSPARENT));
    return TakeString(icalcomponent_as_ical_string_r(target));
}

} // namespace

std::string MarkUid(TDateTime date) {
    return std::string(UidPrefix) + CompactDate(date) + std::string(UidDomain);
}

MarkUidMatch MatchMarkUid(std::string_view uid) {
    MarkUidMatch match;
    if (!uid.starts_with(UidPrefix) || !uid.ends_with(UidDomain))
        return match;
    match.Ours = true;
    const std::string_view digits =
        uid.substr(UidPrefix.size(), uid.size() - UidPrefix.size() - UidDomain.size());
    if (digits.size() != 8 ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return match;
    const auto number = [&](std::size_t at, std::size_t length) {
        int value = 0;
        for (std::size_t i = at; i < at + length; ++i)
            value = value * 10 + (digits[i] - '0');
        return value;
    };
    const std::chrono::year_month_day date{std::chrono::year(number(0, 4)),
                                           std::chrono::month(static_cast<unsigned>(number(4, 2))),
                                           std::chrono::day(static_cast<unsigned>(number(6, 2)))};
    if (!date.ok())
        return match;
    const TDateTime serial = DateSerial(date);
    if (MarkableDays.Contains(serial))
        match.Date = serial;
    return match;
}

MarkEventRead ReadMarkEvent(std::string_view eventText) {
    MarkEventRead read;
    const Component event = ParseEvent(eventText);
    if (!event) {
        read.Problem = "it is no event libical can read";
        return read;
    }
    if (std::string error = FirstParseError(event.get()); !error.empty()) {
        read.Problem = error;
        return read;
    }
    std::optional<MarkKind> kind;
    for (icalproperty* property : PropertiesOf(event.get(), ICAL_CATEGORIES_PROPERTY)) {
        const char* value = icalproperty_get_categories(property);
        const std::optional<MarkKind> named = MarkKindNamed(value == nullptr ? "" : value);
        if (!named)
            continue;
        if (kind && *kind != *named) {
            read.Problem = "it names two kinds, " + std::string(MarkKindName(*kind)) + " and " +
                           std::string(MarkKindName(*named));
            return read;
        }
        kind = named;
    }
    if (!kind) {
        read.Problem =
            "it names no kind: CATEGORIES holds none of Leave, Sick, Traded away, Extra shift, Note";
        return read;
    }
    DayMark mark;
    mark.Kind = *kind;
    const std::vector<icalproperty*> descriptions = PropertiesOf(event.get(), ICAL_DESCRIPTION_PROPERTY);
    if (descriptions.size() > 1) {
        read.Problem = "it has two notes (DESCRIPTION)";
        return read;
    }
    if (!descriptions.empty()) {
        const char* note = icalproperty_get_description(descriptions.front());
        mark.Note = note == nullptr ? "" : note;
        if (!CodePointCount(mark.Note)) {
            read.Problem = "its note is not UTF-8 text";
            return read;
        }
    }
    const std::vector<icalproperty*> hours = HoursProperties(event.get());
    if (hours.size() > 1) {
        read.Problem = std::string("it has two ") + HoursProperty;
        return read;
    }
    if (!hours.empty()) {
        const char* text = icalproperty_get_x(hours.front());
        mark.Hours = HoursFromText(text == nullptr ? "" : text);
        if (!mark.Hours) {
            read.Problem = std::string("its hours '") + (text == nullptr ? "" : text) +
                           "' are not a number above 0 and below 48";
            return read;
        }
        if (mark.Kind != MarkKind::ExtraShift) {
            read.Problem = "only an extra shift has hours";
            return read;
        }
    }
    read.Mark = std::move(mark);
    return read;
}

std::string MarkEventText(TDateTime date, const DayMark& mark, std::int64_t stampTime,
                          std::string_view previousEventText) {
    std::string text = EventText(date, mark, stampTime, previousEventText);
    // libical writes some values it cannot read back (a category list with empty items, for one):
    // an event that would not read back as the mark is written afresh, without the other program's
    // additions to it.
    if (!previousEventText.empty() && ReadMarkEvent(text).Mark != mark)
        text = EventText(date, mark, stampTime, {});
    return text;
}

std::string EmptyDaysCalendarText() {
    const Component calendar(icalcomponent_new_vcalendar());
    icalcomponent_add_property(calendar.get(), icalproperty_new_version("2.0"));
    icalcomponent_add_property(calendar.get(), icalproperty_new_prodid("-//Orvane//Varnok for Tolmere//EN"));
    icalproperty* name = icalproperty_new_x("My days");
    icalproperty_set_x_name(name, "X-WR-CALNAME");
    icalcomponent_add_property(calendar.get(), name);
    return TakeString(icalcomponent_as_ical_string_r(calendar.get()));
}
