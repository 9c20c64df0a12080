// The calendar is read back with libical and every series expanded with its recurrence iterator; the
// days the events cover must be exactly the days the rotation and the payday rule give.

#include "duty_tool/duty_calendar.h"
#include "member_days/mark_event.h"
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
    std::map<std::string, std::pair<std::string, std::string>> TextsByUid; // CATEGORIES, DESCRIPTION
};

std::string TextOf(icalcomponent* event, icalproperty_kind kind) {
    icalproperty* property = icalcomponent_get_first_property(event, kind);
    return property != nullptr ? icalproperty_get_value_as_string(property) : "";
}

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
        const char* description = icalcomponent_get_description(event);
        read.TextsByUid[read.Uids.back()] = {TextOf(event, ICAL_CATEGORIES_PROPERTY),
                                             description != nullptr ? description : ""};
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

// The member's marks in the file, in each form: a Group 3 calendar with days off, paydays and a
// reminder, from a duty day to a duty day, with marks that fit their days, marks that no longer fit
// them (after a change of assignment) and marks outside the range.
struct MarkForm {
    const char* Name;
    friend void PrintTo(const MarkForm& row, std::ostream* out) { *out << row.Name; }
    bool Runs;
    std::optional<ShiftTimes> Shift;
};

class DutyCalendarMarksTest : public testing::TestWithParam<MarkForm> {
protected:
    DutyCalendarMarksTest() {
        request_.Assignment = 3;
        request_.From = FirstWithCode(schedule_, DateSerial(2027, 1, 3), DutyOn);
        request_.To = FirstWithCode(schedule_, DateSerial(2028, 11, 20), DutyOn);
        request_.RegularDaysOff = true;
        request_.Paydays = true;
        request_.Runs = GetParam().Runs;
        request_.Shift = GetParam().Shift;
        request_.Remind = DutyReminder{DutyReminder::Kind::EveningBefore, 19 * 60};
        const auto put = [&](TDateTime date, char code, DayMark mark) {
            EXPECT_EQ(DutyCodeOf(schedule_, date), code) << IsoDay(date);
            request_.Marks[date] = std::move(mark);
        };
        run_ = FirstWithCode(schedule_, DateSerial(2027, 9, 1), DutyOn);
        while (DutyCodeOf(schedule_, run_ + 1) != DutyOn)
            run_ = FirstWithCode(schedule_, run_ + 1, DutyOn);
        away_ = {{request_.From, Leave}, // the range's first day
                 {FirstWithCode(schedule_, DateSerial(2027, 5, 1), DutyOn), Sick},
                 {run_, Traded}, // both days of a run
                 {run_ + 1, Leave},
                 {request_.To, Leave}}; // and its last
        for (const auto& [date, summary] : away_)
            put(date, DutyOn, {KindOf(summary), date == request_.From ? "summer\nback on the 9th" : "", {}});
        offDay_ = FirstWithCode(schedule_, DateSerial(2027, 3, 1), DutyOff);
        rdo_ = FirstWithCode(schedule_, DateSerial(2027, 7, 1), DutyRdo);
        laterOffDay_ = FirstWithCode(schedule_, DateSerial(2028, 2, 1), DutyOff);
        put(offDay_, DutyOff, {MarkKind::ExtraShift, "for Dana", 12});
        put(rdo_, DutyRdo, {MarkKind::ExtraShift, "", std::nullopt});
        put(laterOffDay_, DutyOff, {MarkKind::ExtraShift, "", 7.5});
        noteOnDuty_ = FirstWithCode(schedule_, DateSerial(2027, 4, 1), DutyOn);
        noteOnRdo_ = FirstWithCode(schedule_, DateSerial(2027, 4, 1), DutyRdo);
        put(noteOnDuty_, DutyOn, {MarkKind::NoteOnly, "court, room 3; bring \\ files\nat 9", {}});
        put(noteOnRdo_, DutyRdo, {MarkKind::NoteOnly, "", {}});
        misfits_ = {FirstWithCode(schedule_, DateSerial(2027, 6, 1), DutyOff),
                    FirstWithCode(schedule_, DateSerial(2027, 10, 1), DutyRdo),
                    FirstWithCode(schedule_, DateSerial(2027, 11, 1), DutyOn)};
        put(misfits_[0], DutyOff, {MarkKind::Leave, "", {}});
        put(misfits_[1], DutyRdo, {MarkKind::Sick, "", {}});
        put(misfits_[2], DutyOn, {MarkKind::ExtraShift, "double?", 12});
        outside_ = {FirstWithCode(schedule_, request_.From - 20, DutyOn),
                    FirstWithCode(schedule_, request_.To + 1, DutyOn)};
        EXPECT_LT(outside_[0], request_.From);
        for (const TDateTime date : outside_)
            put(date, DutyOn, {MarkKind::Leave, "", {}});
    }

    static constexpr const char* Leave = "Leave \u2013 Group 3";
    static constexpr const char* Sick = "Sick \u2013 Group 3";
    static constexpr const char* Traded = "Traded away \u2013 Group 3";
    static MarkKind KindOf(const std::string& summary) {
        return summary == Leave ? MarkKind::Leave : summary == Sick ? MarkKind::Sick : MarkKind::TradedAway;
    }
    static std::string IsoDay(TDateTime date) {
        const std::chrono::year_month_day ymd = YearMonthDayOf(date);
        char text[16];
        std::snprintf(text, sizeof text, "%04d%02u%02u", static_cast<int>(ymd.year()),
                      static_cast<unsigned>(ymd.month()), static_cast<unsigned>(ymd.day()));
        return text;
    }
    static std::string MarkUidOf(TDateTime date) {
        return "myday-" + IsoDay(date) + "@varnok.orvane.example";
    }

    // The UIDs of the marks that fit their days in the range.
    std::set<std::string> FittingMarkUids() const {
        std::set<std::string> uids;
        for (const auto& [date, summary] : away_)
            uids.insert(MarkUidOf(date));
        for (const TDateTime date : {offDay_, rdo_, laterOffDay_, noteOnDuty_, noteOnRdo_})
            uids.insert(MarkUidOf(date));
        return uids;
    }

    const ScheduleState schedule_ = GroupSchedule(3);
    DutyCalendarRequest request_;
    std::map<TDateTime, std::string> away_; // day -> its event's title
    TDateTime run_ = 0;
    TDateTime offDay_ = 0;
    TDateTime rdo_ = 0;
    TDateTime laterOffDay_ = 0;
    TDateTime noteOnDuty_ = 0;
    TDateTime noteOnRdo_ = 0;
    std::vector<TDateTime> misfits_;
    std::vector<TDateTime> outside_;
};

TEST_P(DutyCalendarMarksTest, AwayDaysLeaveTheDutyEventsExtraShiftsAreWorkedOnceNotesStay) {
    const ReadCalendar read = Read(DutyCalendar(request_));
    const std::string duty = "On duty \u2013 Group 3";
    const std::string rdo = "Regular day off \u2013 Group 3";
    const std::string extra = "Extra shift \u2013 Group 3";
    const std::string extra12 = extra + " (12 h)";
    const std::string extra7 = extra + " (7.5 h)";
    EXPECT_EQ(DaysOf(read, duty), ExpectedDays(request_.From, request_.To, [&](TDateTime date) {
                  return DutyCodeOf(schedule_, date) == DutyOn && !away_.contains(date);
              }));
    EXPECT_EQ(DaysOf(read, rdo), ExpectedDays(request_.From, request_.To, [&](TDateTime date) {
                  return DutyCodeOf(schedule_, date) == DutyRdo && date != rdo_;
              }));
    EXPECT_EQ(DaysOf(read, "Payday"), ExpectedDays(request_.From, request_.To, IsPayday));
    EXPECT_EQ(DaysOf(read, extra12), (DayCount{{offDay_, 1}}));
    EXPECT_EQ(DaysOf(read, extra), (DayCount{{rdo_, 1}}));
    EXPECT_EQ(DaysOf(read, extra7), (DayCount{{laterOffDay_, 1}}));
    // The days worked: every duty day not away, and every extra shift, each once.
    DayCount worked = DaysOf(read, duty);
    for (const std::string& summary : {extra, extra12, extra7}) {
        for (const auto& [date, count] : DaysOf(read, summary))
            worked[date] += count;
    }
    EXPECT_EQ(worked, ExpectedDays(request_.From, request_.To, [&](TDateTime date) {
                  return (DutyCodeOf(schedule_, date) == DutyOn && !away_.contains(date)) ||
                         date == offDay_ || date == rdo_ || date == laterOffDay_;
              }));
    for (const char* summary : {Leave, Sick, Traded}) {
        DayCount days;
        for (const auto& [date, title] : away_) {
            if (title == summary)
                days[date] = 1;
        }
        EXPECT_EQ(DaysOf(read, summary), days) << summary;
    }
    EXPECT_EQ(DaysOf(read, "Note: court, room 3; bring \\ files"), (DayCount{{noteOnDuty_, 1}}));
    EXPECT_EQ(DaysOf(read, "Note"), (DayCount{{noteOnRdo_, 1}}));
    EXPECT_EQ(read.DaysBySummary.size(), 11u) << "no other titles: nothing of the misfits";

    // One event a fitting mark, with its kind and note; no mark outside the range or off its day.
    std::set<std::string> markUids;
    for (const std::string& uid : read.Uids) {
        if (uid.starts_with("myday-"))
            markUids.insert(uid);
    }
    EXPECT_EQ(markUids, FittingMarkUids());
    EXPECT_EQ(std::set<std::string>(read.Uids.begin(), read.Uids.end()).size(), read.Uids.size());
    const auto texts = [&](TDateTime date) { return read.TextsByUid.at(MarkUidOf(date)); };
    EXPECT_EQ(texts(request_.From),
              (std::pair<std::string, std::string>{"Leave", "summer\nback on the 9th"}));
    EXPECT_EQ(texts(run_), (std::pair<std::string, std::string>{"Traded away", ""}));
    EXPECT_EQ(texts(offDay_), (std::pair<std::string, std::string>{"Extra shift", "for Dana"}));
    EXPECT_EQ(texts(noteOnDuty_),
              (std::pair<std::string, std::string>{"Note", "court, room 3; bring \\ files\nat 9"}));

    // Extra shifts are worked days: reminded as duty is; the rest are not.
    const std::vector<AlarmRead> reminded{{request_.Shift ? 7 * 60 - 12 * 60 : -5 * 60, "DISPLAY", ""}};
    for (const std::string& summary : {duty, extra, extra12, extra7}) {
        std::vector<AlarmRead> alarms = reminded;
        alarms.front().Description = summary;
        ExpectAlarms(read, summary, alarms);
    }
    for (const std::string summary : {Leave, Sick, Traded, "Note"})
        ExpectAlarms(read, summary, {});
    if (request_.Shift) {
        // As tally counts an extra shift: its own hours, or a shift's.
        EXPECT_EQ(read.TimesBySummary.at(extra12), (std::pair{7 * 60, 12 * 60}));
        EXPECT_EQ(read.TimesBySummary.at(extra7), (std::pair{7 * 60, 7 * 60 + 30}));
        EXPECT_EQ(read.TimesBySummary.at(extra), (std::pair{7 * 60, 24 * 60}));
    }
    for (const char* summary : {Leave, Sick, Traded, "Note"})
        EXPECT_FALSE(read.TimesBySummary.contains(summary)) << summary << " is all day";
}

INSTANTIATE_TEST_SUITE_P(Forms, DutyCalendarMarksTest,
                         testing::Values(MarkForm{"Days", false, std::nullopt},
                                         MarkForm{"Runs", true, std::nullopt},
                                         MarkForm{"Shifts", false, ShiftTimes{7 * 60, 24}}),
                         [](const testing::TestParamInfo<MarkForm>& info) {
                             return std::string(info.param.Name);
                         });

// A newer file updates the marks' events: one UID a day, the same whatever the stamp, the reminder,
// the form or the day's kind, and none that a duty event or the days file's own event of the day has.
TEST_P(DutyCalendarMarksTest, MarkUidsAreOneADayAndStable) {
    const std::vector<std::string> first = SortedUids(request_);
    request_.StampTime = 2000000000;
    request_.Remind.reset();
    EXPECT_EQ(SortedUids(request_), first);
    request_.Marks[run_] = DayMark{MarkKind::Sick, "flu", {}};
    EXPECT_EQ(SortedUids(request_), first);

    std::set<std::string> markUids;
    for (const std::string& uid : first) {
        if (uid.starts_with("myday-"))
            markUids.insert(uid);
    }
    EXPECT_EQ(markUids, FittingMarkUids());
    for (const auto& [date, mark] : request_.Marks)
        EXPECT_FALSE(std::binary_search(first.begin(), first.end(), MarkUid(date))) << MarkUid(date);
    DutyCalendarRequest otherForm = request_;
    otherForm.Runs = !request_.Runs && !request_.Shift;
    otherForm.Shift.reset();
    std::set<std::string> otherMarkUids;
    for (const std::string& uid : SortedUids(otherForm)) {
        if (uid.starts_with("myday-"))
            otherMarkUids.insert(uid);
    }
    EXPECT_EQ(otherMarkUids, markUids);
}

} // namespace
