// The calendar is read back with libical and every series expanded with its recurrence iterator; the
// days the events cover must be exactly the days the rotation and the payday rule give.

#include "duty_tool/duty_calendar.h"
#include "schedule/duty_rotation.h"
#include "schedule/payday.h"

#include <gtest/gtest.h>
#include <libical/ical.h>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

using DayCount = std::map<TDateTime, int>; // day -> number of events covering it

struct ComponentDeleter {
    void operator()(icalcomponent* component) const { icalcomponent_free(component); }
};

TDateTime SerialOf(icaltimetype time) {
    return DateSerial(time.year, static_cast<unsigned>(time.month), static_cast<unsigned>(time.day));
}

struct ReadCalendar {
    std::map<std::string, DayCount> DaysBySummary; // all-day events: every day covered; timed: start days
    std::vector<std::string> Uids;
    std::map<std::string, std::pair<int, int>>
        TimesBySummary; // timed events: start minute, length in minutes
    std::vector<std::string> Stamps;
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
        DayCount& count = read.DaysBySummary[summary];
        const auto cover = [&](icaltimetype occurrence) {
            for (int day = 0; day < days; ++day)
                ++count[SerialOf(occurrence) + day];
        };
        icalproperty* rrule = icalcomponent_get_first_property(event, ICAL_RRULE_PROPERTY);
        if (rrule == nullptr) {
            cover(start);
            continue;
        }
        icalrecur_iterator* iterator = icalrecur_iterator_new(icalproperty_get_rrule(rrule), start);
        EXPECT_NE(iterator, nullptr);
        for (icaltimetype next = icalrecur_iterator_next(iterator); !icaltime_is_null_time(next);
             next = icalrecur_iterator_next(iterator))
            cover(next);
        icalrecur_iterator_free(iterator);
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

class DutyCalendarTest : public testing::TestWithParam<RangeCase> {};

TEST_P(DutyCalendarTest, EventsCoverExactlyTheDutyDaysRegularDaysOffAndPaydays) {
    for (int group = 1; group <= 7; ++group) {
        SCOPED_TRACE("Group " + std::to_string(group));
        ScheduleState schedule;
        SelectAssignment(schedule, group);
        DutyCalendarRequest request;
        request.Assignment = group;
        request.From = GetParam().From;
        request.To = GetParam().To;
        request.RegularDaysOff = true;
        request.Paydays = true;
        const ReadCalendar read = Read(DutyCalendar(request));
        const std::string name = "Group " + std::to_string(group);
        const auto codeIs = [&](char code) {
            return [&, code](TDateTime date) { return DutyCodeOf(schedule, date) == code; };
        };
        EXPECT_LE(read.DaysBySummary.size(), 3u);
        EXPECT_EQ(DaysOf(read, "On duty \u2013 " + name),
                  ExpectedDays(request.From, request.To, codeIs(DutyOn)));
        EXPECT_EQ(DaysOf(read, "Regular day off \u2013 " + name),
                  ExpectedDays(request.From, request.To, codeIs(DutyRdo)));
        EXPECT_EQ(DaysOf(read, "Payday"), ExpectedDays(request.From, request.To, IsPayday));
        EXPECT_EQ(std::set<std::string>(read.Uids.begin(), read.Uids.end()).size(), read.Uids.size());
    }
}

TEST_P(DutyCalendarTest, ShiftsStartOnEveryDutyDay) {
    for (int group = 1; group <= 7; ++group) {
        SCOPED_TRACE("Group " + std::to_string(group));
        ScheduleState schedule;
        SelectAssignment(schedule, group);
        DutyCalendarRequest request;
        request.Assignment = group;
        request.From = GetParam().From;
        request.To = GetParam().To;
        request.Shift = ShiftTimes{7 * 60 + 30, 12};
        const ReadCalendar read = Read(DutyCalendar(request));
        const std::string summary = "On duty \u2013 Group " + std::to_string(group);
        const DayCount expected = ExpectedDays(
            request.From, request.To, [&](TDateTime date) { return DutyCodeOf(schedule, date) == DutyOn; });
        EXPECT_EQ(DaysOf(read, summary), expected);
        if (!expected.empty()) {
            EXPECT_EQ(read.TimesBySummary.at(summary), (std::pair{7 * 60 + 30, 12 * 60}));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Ranges, DutyCalendarTest,
    testing::Values(RangeCase{"WholeSchedule", ScheduleCutoff + 1, PickerMaxDate},
                    // Starts and ends inside runs of every length, for one group or another.
                    RangeCase{"CutRange", DateSerial(2023, 3, 17), DateSerial(2031, 8, 2)},
                    RangeCase{"OneDay", DateSerial(2027, 1, 15), DateSerial(2027, 1, 15)},
                    RangeCase{"ShorterThanARun", DateSerial(2022, 1, 2), DateSerial(2022, 1, 4)}),
    [](const testing::TestParamInfo<RangeCase>& info) { return std::string(info.param.Name); });

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

TEST(DutyCalendar, UidsStayWhenTheStampOrTheRangeEndChanges) {
    DutyCalendarRequest request;
    request.Assignment = 4;
    request.StampTime = 1;
    const std::vector<std::string> uids = Read(DutyCalendar(request)).Uids;
    request.StampTime = 2000000000;
    EXPECT_EQ(Read(DutyCalendar(request)).Uids, uids);
    request.To = DateSerial(2090, 12, 31);
    std::vector<std::string> shorter = Read(DutyCalendar(request)).Uids;
    std::vector<std::string> whole = uids;
    std::sort(shorter.begin(), shorter.end());
    std::sort(whole.begin(), whole.end());
    std::vector<std::string> kept;
    std::set_intersection(shorter.begin(), shorter.end(), whole.begin(), whole.end(),
                          std::back_inserter(kept));
    EXPECT_EQ(kept.size(), 21u) << "every duty run's series keeps its UID";
}

TEST(DutyCalendar, LinesEndInCarriageReturnLineFeed) {
    const std::string text = DutyCalendar({});
    EXPECT_EQ(text.rfind("BEGIN:VCALENDAR\r\n", 0), 0u);
    for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1))
        ASSERT_EQ(text[at - 1], '\r') << at;
}

} // namespace
