// The calendar is read back with libical and every series expanded with its recurrence iterator; the
// days the events cover must be exactly the days the rotation and the payday rule give.

#include "duty_tool/duty_calendar.h"
#include "schedule/duty_rotation.h"
#include "schedule/payday.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <iterator>
#include <libical/ical.h>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace {

using DayCount = std::map<TDateTime, int>; // day -> number of events covering it

struct ComponentDeleter {
    void operator()(icalcomponent* component) const { icalcomponent_free(component); }
};

TDateTime SerialOf(icaltimetype time) {
    return DateSerial(time.year, static_cast<unsigned>(time.month), static_cast<unsigned>(time.day));
}

// An event's alarm: where it fires, in minutes from midnight at the start of the event's first day.
struct AlarmRead {
    int Minute;
    std::string Action;
    std::string Description;
    bool operator==(const AlarmRead&) const = default;
    friend std::ostream& operator<<(std::ostream& out, const AlarmRead& alarm) {
        return out << alarm.Action << " at minute " << alarm.Minute << " '" << alarm.Description << "'";
    }
};

struct ReadCalendar {
    std::map<std::string, DayCount> DaysBySummary; // all-day events: every day covered; timed: start days
    std::vector<std::string> Uids;
    std::map<std::string, std::pair<int, int>>
        TimesBySummary; // timed events: start minute, length in minutes
    std::vector<std::string> Stamps;
    std::map<std::string, std::vector<std::vector<AlarmRead>>> AlarmsBySummary; // one list per event
    std::map<std::string, std::set<int>> RepeatingLengthsBySummary; // days of an occurrence of a series
    std::size_t Exdates = 0;
};

ReadCalendar Read(const std::string& text) {
    ReadCalendar read;
    const std::unique_ptr<icalcomponent, ComponentDeleter> calendar(icalparser_parse_string(text.c_str()));
    if (!calendar || icalcomponent_isa(calendar.get()) != ICAL_VCALENDAR_COMPONENT) {
        ADD_FAILURE() << "libical read no calendar";
        return read;
    }
    EXPECT_EQ(icalcomponent_count_errors(calendar.get()), 0);
    for (icalcomponent* event = icalcomponent_get_first_component(calendar.get(), ICAL_VEVENT_COMPONENT);
         event != nullptr; event = icalcomponent_get_next_component(calendar.get(), ICAL_VEVENT_COMPONENT)) {
        read.Uids.emplace_back(icalcomponent_get_uid(event));
        read.Stamps.emplace_back(icaltime_as_ical_string(icalcomponent_get_dtstamp(event)));
        const std::string summary = icalcomponent_get_summary(event);
        const icaltimetype start = icalcomponent_get_dtstart(event);
        const icaltimetype end = icalcomponent_get_dtend(event);
        int days = 1;
        if (start.is_date) {
            EXPECT_TRUE(end.is_date) << summary;
            days = static_cast<int>(SerialOf(end) - SerialOf(start));
        } else {
            EXPECT_EQ(start.zone, nullptr) << "not floating";
            EXPECT_FALSE(icaltime_is_utc(start));
            const int startMinute = start.hour * 60 + start.minute;
            const int length = static_cast<int>(SerialOf(end) - SerialOf(start)) * 1440 + end.hour * 60 +
                               end.minute - startMinute;
            read.TimesBySummary[summary] = {startMinute, length};
        }
        EXPECT_GE(days, 1);
        std::vector<AlarmRead>& alarms = read.AlarmsBySummary[summary].emplace_back();
        for (icalcomponent* alarm = icalcomponent_get_first_component(event, ICAL_VALARM_COMPONENT);
             alarm != nullptr; alarm = icalcomponent_get_next_component(event, ICAL_VALARM_COMPONENT)) {
            icalproperty* trigger = icalcomponent_get_first_property(alarm, ICAL_TRIGGER_PROPERTY);
            icalproperty* action = icalcomponent_get_first_property(alarm, ICAL_ACTION_PROPERTY);
            if (trigger == nullptr || action == nullptr) {
                ADD_FAILURE() << "an alarm without TRIGGER or ACTION";
                continue;
            }
            const icaltriggertype when = icalproperty_get_trigger(trigger);
            EXPECT_TRUE(icaltime_is_null_time(when.time)) << "a trigger relative to the start";
            EXPECT_EQ(icalproperty_get_first_parameter(trigger, ICAL_RELATED_PARAMETER), nullptr)
                << "relative to the start, the default";
            const char* description = icalcomponent_get_description(alarm);
            alarms.push_back({(start.is_date ? 0 : start.hour * 60 + start.minute) +
                                  icaldurationtype_as_int(when.duration) / 60,
                              icalproperty_get_value_as_string(action),
                              description != nullptr ? description : ""});
        }
        DayCount& count = read.DaysBySummary[summary];
        const auto cover = [&](icaltimetype occurrence) {
            for (int day = 0; day < days; ++day)
                ++count[SerialOf(occurrence) + day];
        };
        icalproperty* rrule = icalcomponent_get_first_property(event, ICAL_RRULE_PROPERTY);
        if (rrule == nullptr) {
            EXPECT_EQ(icalcomponent_get_first_property(event, ICAL_EXDATE_PROPERTY), nullptr);
            cover(start);
            continue;
        }
        read.RepeatingLengthsBySummary[summary].insert(days);
        std::vector<icaltimetype> exdates;
        for (icalproperty* exdate = icalcomponent_get_first_property(event, ICAL_EXDATE_PROPERTY);
             exdate != nullptr; exdate = icalcomponent_get_next_property(event, ICAL_EXDATE_PROPERTY)) {
            exdates.push_back(icalproperty_get_exdate(exdate));
            EXPECT_EQ(exdates.back().is_date, start.is_date) << "an EXDATE of the start's value type";
        }
        read.Exdates += exdates.size();
        std::size_t matched = 0;
        icalrecur_iterator* iterator = icalrecur_iterator_new(icalproperty_get_rrule(rrule), start);
        EXPECT_NE(iterator, nullptr);
        for (icaltimetype next = icalrecur_iterator_next(iterator); !icaltime_is_null_time(next);
             next = icalrecur_iterator_next(iterator)) {
            const bool excluded = std::any_of(exdates.begin(), exdates.end(), [&](icaltimetype exdate) {
                return icaltime_compare(exdate, next) == 0;
            });
            if (excluded)
                ++matched;
            else
                cover(next);
        }
        icalrecur_iterator_free(iterator);
        EXPECT_EQ(matched, exdates.size()) << "every EXDATE is the start of an occurrence";
    }
    return read;
}

// The days of the events with this title; none when there is no such event.
DayCount DaysOf(const ReadCalendar& read, const std::string& summary) {
    const auto found = read.DaysBySummary.find(summary);
    return found == read.DaysBySummary.end() ? DayCount{} : found->second;
}

// Every day in [from, to] for which `wanted` holds, each covered once.
DayCount ExpectedDays(TDateTime from, TDateTime to, const auto& wanted) {
    DayCount days;
    for (TDateTime date = from; date <= to; ++date) {
        if (wanted(date))
            days[date] = 1;
    }
    return days;
}

struct RangeCase {
    const char* Name;
    friend void PrintTo(const RangeCase& row, std::ostream* out) { *out << row.Name; }
    TDateTime From;
    TDateTime To;
};

const RangeCase Ranges[] = {
    {"WholeSchedule", ScheduleCutoff + 1, PickerMaxDate},
    // Starts and ends inside runs of every length, for one group or another.
    {"CutRange", DateSerial(2023, 3, 17), DateSerial(2031, 8, 2)},
    {"OneDay", DateSerial(2027, 1, 15), DateSerial(2027, 1, 15)},
    {"ShorterThanARun", DateSerial(2022, 1, 2), DateSerial(2022, 1, 4)},
};

// How the duty events are cut, and their reminder with where it fires: minutes from midnight at the
// start of an event's first day.
struct FormCase {
    const char* Name;
    friend void PrintTo(const FormCase& row, std::ostream* out) { *out << row.Name; }
    bool Runs;
    std::optional<DutyReminder> Remind;
    int AlarmMinute;
};

const FormCase Forms[] = {
    {"Days", false, std::nullopt, 0},
    {"Runs", true, std::nullopt, 0},
    {"DaysRemindedAt1800", false, DutyReminder{DutyReminder::Kind::EveningBefore, 18 * 60}, -6 * 60},
    {"Runs90MinutesBefore", true, DutyReminder{DutyReminder::Kind::Before, 90}, -90},
};

// Every day in [from, to] for which the group's code is `code`, each covered once.
DayCount DaysWithCode(const ScheduleState& schedule, TDateTime from, TDateTime to, char code) {
    return ExpectedDays(from, to, [&](TDateTime date) { return DutyCodeOf(schedule, date) == code; });
}

ScheduleState GroupSchedule(int group) {
    ScheduleState schedule;
    SelectAssignment(schedule, group);
    return schedule;
}

// Each event of the title carries exactly `alarms`.
void ExpectAlarms(const ReadCalendar& read, const std::string& summary,
                  const std::vector<AlarmRead>& alarms) {
    const auto found = read.AlarmsBySummary.find(summary);
    if (found == read.AlarmsBySummary.end())
        return;
    for (const std::vector<AlarmRead>& event : found->second)
        EXPECT_EQ(event, alarms) << summary;
}

class DutyCalendarTest : public testing::TestWithParam<std::tuple<RangeCase, FormCase>> {};

TEST_P(DutyCalendarTest, EventsCoverExactlyTheDutyDaysRegularDaysOffAndPaydays) {
    const auto& [range, form] = GetParam();
    for (int group = 1; group <= 7; ++group) {
        SCOPED_TRACE("Group " + std::to_string(group));
        const ScheduleState schedule = GroupSchedule(group);
        DutyCalendarRequest request;
        request.Assignment = group;
        request.From = range.From;
        request.To = range.To;
        request.RegularDaysOff = true;
        request.Paydays = true;
        request.Runs = form.Runs;
        request.Remind = form.Remind;
        const ReadCalendar read = Read(DutyCalendar(request));
        const std::string name = "Group " + std::to_string(group);
        const std::string duty = "On duty \u2013 " + name;
        const std::string rdo = "Regular day off \u2013 " + name;
        EXPECT_LE(read.DaysBySummary.size(), 3u);
        EXPECT_EQ(DaysOf(read, duty), DaysWithCode(schedule, request.From, request.To, DutyOn));
        EXPECT_EQ(DaysOf(read, rdo), DaysWithCode(schedule, request.From, request.To, DutyRdo));
        EXPECT_EQ(DaysOf(read, "Payday"), ExpectedDays(request.From, request.To, IsPayday));
        EXPECT_EQ(std::set<std::string>(read.Uids.begin(), read.Uids.end()).size(), read.Uids.size());
        EXPECT_EQ(read.Exdates, 0u);
        if (!form.Runs) {
            // What a client that shortens a repeating event of several days to its first day needs.
            for (const auto& [summary, lengths] : read.RepeatingLengthsBySummary)
                EXPECT_EQ(lengths, std::set<int>{1}) << summary;
        }
        std::vector<AlarmRead> alarms;
        if (form.Remind)
            alarms.push_back({form.AlarmMinute, "DISPLAY", duty});
        ExpectAlarms(read, duty, alarms);
        ExpectAlarms(read, rdo, {});
        ExpectAlarms(read, "Payday", {});
    }
}

INSTANTIATE_TEST_SUITE_P(RangesAndForms, DutyCalendarTest,
                         testing::Combine(testing::ValuesIn(Ranges), testing::ValuesIn(Forms)),
                         [](const testing::TestParamInfo<DutyCalendarTest::ParamType>& info) {
                             return std::string(std::get<0>(info.param).Name) + "_" +
                                    std::get<1>(info.param).Name;
                         });

class DutyShiftTest : public testing::TestWithParam<RangeCase> {};

TEST_P(DutyShiftTest, ShiftsStartOnEveryDutyDayWithTheirReminder) {
    const struct {
        std::optional<DutyReminder> Remind;
        std::vector<AlarmRead> Alarms; // minutes from midnight of the shift's day
    } reminders[] = {
        {std::nullopt, {}},
        {DutyReminder{DutyReminder::Kind::EveningBefore, 18 * 60}, {{-6 * 60, "DISPLAY", ""}}},
        {DutyReminder{DutyReminder::Kind::EveningBefore, 0}, {{-24 * 60, "DISPLAY", ""}}},
        {DutyReminder{DutyReminder::Kind::Before, 90}, {{6 * 60, "DISPLAY", ""}}},
    };
    for (int group = 1; group <= 7; ++group) {
        for (const auto& reminder : reminders) {
            SCOPED_TRACE("Group " + std::to_string(group));
            const ScheduleState schedule = GroupSchedule(group);
            DutyCalendarRequest request;
            request.Assignment = group;
            request.From = GetParam().From;
            request.To = GetParam().To;
            request.Shift = ShiftTimes{7 * 60 + 30, 12};
            request.Remind = reminder.Remind;
            request.Runs = true; // no effect on shifts
            const ReadCalendar read = Read(DutyCalendar(request));
            const std::string summary = "On duty \u2013 Group " + std::to_string(group);
            const DayCount expected = DaysWithCode(schedule, request.From, request.To, DutyOn);
            EXPECT_EQ(DaysOf(read, summary), expected);
            if (!expected.empty()) {
                EXPECT_EQ(read.TimesBySummary.at(summary), (std::pair{7 * 60 + 30, 12 * 60}));
            }
            std::vector<AlarmRead> alarms = reminder.Alarms;
            for (AlarmRead& alarm : alarms)
                alarm.Description = summary;
            ExpectAlarms(read, summary, alarms);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Ranges, DutyShiftTest, testing::ValuesIn(Ranges),
                         [](const testing::TestParamInfo<RangeCase>& info) {
                             return std::string(info.param.Name);
                         });

// The first day on or after `date` with the code.
TDateTime FirstWithCode(const ScheduleState& schedule, TDateTime date, char code) {
    while (DutyCodeOf(schedule, date) != code)
        ++date;
    return date;
}

struct LeftOutForm {
    const char* Name;
    friend void PrintTo(const LeftOutForm& row, std::ostream* out) { *out << row.Name; }
    bool Runs;
    bool Shift;
};

class DutyCalendarLeftOutTest : public testing::TestWithParam<LeftOutForm> {};

// Days left out lose their duty or regular-day-off event wherever they lie: inside a series, on its
// first or last occurrence, on either day of a run, on a range end that cuts a run. Every other day
// keeps its event, and the series keep their UIDs.
TEST_P(DutyCalendarLeftOutTest, DaysLeftOutHaveNoEventAndEveryOtherDayStays) {
    const int group = 3;
    const ScheduleState schedule = GroupSchedule(group);
    DutyCalendarRequest request;
    request.Assignment = group;
    request.From = DateSerial(2023, 3, 17);
    request.To = DateSerial(2031, 8, 2);
    request.RegularDaysOff = true;
    request.Paydays = true;
    request.Runs = GetParam().Runs;
    if (GetParam().Shift)
        request.Shift = ShiftTimes{7 * 60, 24};
    request.Remind = DutyReminder{DutyReminder::Kind::EveningBefore, 20 * 60};
    const std::vector<std::string> uidsBefore = Read(DutyCalendar(request)).Uids;

    const TDateTime dutyIn2027 = FirstWithCode(schedule, DateSerial(2027, 1, 1), DutyOn);
    const TDateTime runIn2028 = FirstWithCode(schedule, DateSerial(2028, 6, 1), DutyOn);
    const TDateTime runIn2029 = FirstWithCode(schedule, DateSerial(2029, 2, 1), DutyOn);
    const TDateTime rdoIn2030 = FirstWithCode(schedule, DateSerial(2030, 3, 1), DutyRdo);
    request.LeftOut = {
        dutyIn2027,
        runIn2028,
        runIn2028 + 1, // a whole run
        runIn2029 + 1, // the second day of a run
        rdoIn2030,
        rdoIn2030 + 2,                                            // two days of a block of days off
        FirstWithCode(schedule, DateSerial(2027, 5, 1), DutyOff), // a day off: nothing to leave out
        FirstWithCode(schedule, request.From, DutyOn),            // the first duty day of the range
        FirstWithCode(schedule, request.From + 98, DutyOn),       // and of the next rotation
        request.To,
        request.To - 1,         // the range's last days
        DateSerial(2040, 1, 1), // after the range
    };
    const ReadCalendar read = Read(DutyCalendar(request));
    const auto kept = [&](char code) {
        return ExpectedDays(request.From, request.To, [&](TDateTime date) {
            return DutyCodeOf(schedule, date) == code && !request.LeftOut.contains(date);
        });
    };
    const std::string name = "Group " + std::to_string(group);
    EXPECT_EQ(DaysOf(read, "On duty \u2013 " + name), kept(DutyOn));
    EXPECT_EQ(DaysOf(read, "Regular day off \u2013 " + name), kept(DutyRdo));
    EXPECT_EQ(DaysOf(read, "Payday"), ExpectedDays(request.From, request.To, IsPayday));
    EXPECT_GE(read.Exdates, 4u);
    ExpectAlarms(read, "On duty \u2013 " + name, {{-4 * 60, "DISPLAY", "On duty \u2013 " + name}});

    std::set<std::string> uids(read.Uids.begin(), read.Uids.end());
    EXPECT_EQ(uids.size(), read.Uids.size());
    for (const std::string& uid : uidsBefore) {
        // Series have no date in their UID, single events do.
        if (uid.find("-20") == std::string::npos) {
            EXPECT_TRUE(uids.contains(uid)) << uid;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Forms, DutyCalendarLeftOutTest,
                         testing::Values(LeftOutForm{"Days", false, false}, LeftOutForm{"Runs", true, false},
                                         LeftOutForm{"Shifts", false, true}),
                         [](const testing::TestParamInfo<LeftOutForm>& info) {
                             return std::string(info.param.Name);
                         });

TEST(DutyCalendar, SameRequestSameBytesAndTheStampIsTheGivenTime) {
    DutyCalendarRequest request;
    request.Assignment = 2;
    request.RegularDaysOff = true;
    request.Paydays = true;
    request.StampTime = 1700000000; // 2023-11-14 22:13:20 UTC
    const std::string first = DutyCalendar(request);
    EXPECT_EQ(DutyCalendar(request), first);
    const ReadCalendar read = Read(first);
    ASSERT_FALSE(read.Stamps.empty());
    for (const std::string& stamp : read.Stamps)
        EXPECT_EQ(stamp, "20231114T221320Z");
}

std::vector<std::string> SortedUids(const DutyCalendarRequest& request) {
    std::vector<std::string> uids = Read(DutyCalendar(request)).Uids;
    std::sort(uids.begin(), uids.end());
    return uids;
}

TEST(DutyCalendar, UidsStayWhenTheStampOrTheRangeEndChanges) {
    for (const bool runs : {false, true}) {
        SCOPED_TRACE(runs ? "runs" : "days");
        DutyCalendarRequest request;
        request.Assignment = 4;
        request.Runs = runs;
        request.StampTime = 1;
        const std::vector<std::string> whole = SortedUids(request);
        request.StampTime = 2000000000;
        request.Remind = DutyReminder{};
        EXPECT_EQ(SortedUids(request), whole);
        request.To = DateSerial(2090, 12, 31);
        const std::vector<std::string> shorter = SortedUids(request);
        std::vector<std::string> kept;
        std::set_intersection(shorter.begin(), shorter.end(), whole.begin(), whole.end(),
                              std::back_inserter(kept));
        EXPECT_EQ(kept.size(), runs ? 21u : 42u) << "every duty series keeps its UID";
    }
}

// A file of one form imported over one of the other would double the events rather than mix them.
TEST(DutyCalendar, TheFormsShareNoUid) {
    DutyCalendarRequest request;
    request.Assignment = 6;
    request.From = DateSerial(2024, 2, 3);
    request.RegularDaysOff = true;
    const std::vector<std::string> days = SortedUids(request);
    request.Runs = true;
    const std::vector<std::string> runs = SortedUids(request);
    request.Shift = ShiftTimes{};
    request.RegularDaysOff = false;
    const std::vector<std::string> shifts = SortedUids(request);
    std::vector<std::string> shared;
    std::set_intersection(days.begin(), days.end(), runs.begin(), runs.end(), std::back_inserter(shared));
    std::set_intersection(days.begin(), days.end(), shifts.begin(), shifts.end(), std::back_inserter(shared));
    std::set_intersection(runs.begin(), runs.end(), shifts.begin(), shifts.end(), std::back_inserter(shared));
    EXPECT_TRUE(shared.empty()) << shared.front();
    EXPECT_EQ(days.size(), 42u + 24u);
}

TEST(DutyCalendar, LinesEndInCarriageReturnLineFeed) {
    const std::string text = DutyCalendar({});
    EXPECT_EQ(text.rfind("BEGIN:VCALENDAR\r\n", 0), 0u);
    for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1))
        ASSERT_EQ(text[at - 1], '\r') << at;
}

} // namespace
