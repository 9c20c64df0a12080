// The calendar file as a real calendar program shows it: calcurse, which reads iCalendar with its own
// parser and expands repeating events with its own code (not libical), imports the file into a
// fresh data folder and lists a year day by day, without a display or a network. The days it lists
// must be exactly the days of the rotation and the payday rule.

#include "duty_tool/duty_calendar.h"
#include "schedule/duty_rotation.h"
#include "schedule/payday.h"
#include "tool_process.h"

#include <QDate>
#include <QRegularExpression>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <string>

namespace {

using DayCount = std::map<TDateTime, int>;       // day -> entries listed on it
using Listing = std::map<std::string, DayCount>; // title -> its days

struct ClientRun {
    QString Failure; // empty when the import and the listing worked
    QByteArray ImportReport;
    Listing Days;
};

QProcessEnvironment ClientEnvironment(const QString& home) {
    QProcessEnvironment environment;
    environment.insert(QStringLiteral("PATH"), QStringLiteral("/usr/bin:/bin"));
    environment.insert(QStringLiteral("HOME"), home);
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/.config"));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/.local/share"));
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    return environment;
}

// Runs calcurse to its end with no terminal, no display and nothing on standard input.
QString RunClient(const QStringList& arguments, const QString& home, QByteArray& out) {
    QProcess calcurse;
    calcurse.setProcessEnvironment(ClientEnvironment(home));
    calcurse.setWorkingDirectory(home);
    calcurse.start(QStringLiteral(VARNOK_CALCURSE), arguments);
    calcurse.closeWriteChannel();
    if (!calcurse.waitForStarted(10000))
        return QStringLiteral("calcurse did not start (%1): scripts/install-deps test installs it")
            .arg(QStringLiteral(VARNOK_CALCURSE));
    if (!calcurse.waitForFinished(60000) || calcurse.exitStatus() != QProcess::NormalExit)
        return QStringLiteral("calcurse did not finish");
    out = calcurse.readAllStandardOutput();
    if (calcurse.exitCode() != 0)
        return QStringLiteral("calcurse exited with %1: %2")
            .arg(calcurse.exitCode())
            .arg(QString::fromUtf8(calcurse.readAllStandardError()));
    return {};
}

// Imports the file into an empty calcurse and lists every day of `year`.
ClientRun ImportAndList(const QByteArray& calendar, int year) {
    ClientRun run;
    QTemporaryDir home;
    const QString data = home.filePath(QStringLiteral("calcurse"));
    const QString file = home.filePath(QStringLiteral("duty.ics"));
    QDir().mkpath(data);
    QFile ics(file);
    if (!ics.open(QIODevice::WriteOnly) || ics.write(calendar) != calendar.size()) {
        run.Failure = QStringLiteral("cannot write the calendar file");
        return run;
    }
    ics.close();
    run.Failure =
        RunClient({QStringLiteral("-D"), data, QStringLiteral("-i"), file}, home.path(), run.ImportReport);
    if (!run.Failure.isEmpty())
        return run;
    QByteArray listing;
    const QString first = QStringLiteral("%1-01-01").arg(year);
    const QString last = QStringLiteral("%1-12-31").arg(year);
    run.Failure = RunClient(
        {QStringLiteral("-D"), data, QStringLiteral("-Q"), QStringLiteral("--input-datefmt"),
         QStringLiteral("4"), QStringLiteral("--output-datefmt"), QStringLiteral("%F"),
         QStringLiteral("--from"), first, QStringLiteral("--to"), last, QStringLiteral("--format-event"),
         QStringLiteral("%m\\n"), QStringLiteral("--format-recur-event"), QStringLiteral("%m\\n")},
        home.path(), listing);
    if (!run.Failure.isEmpty())
        return run;
    // A line "YYYY-MM-DD:" opens a day; each line after it names one of its events.
    static const QRegularExpression dayLine(QStringLiteral("^(\\d{4})-(\\d{2})-(\\d{2}):$"));
    std::optional<TDateTime> day;
    for (const QByteArray& line : listing.split('\n')) {
        const QString text = QString::fromUtf8(line);
        const QRegularExpressionMatch match = dayLine.match(text);
        if (match.hasMatch()) {
            day =
                DateSerial(match.captured(1).toInt(), match.captured(2).toUInt(), match.captured(3).toUInt());
        } else if (!text.isEmpty()) {
            if (!day) {
                run.Failure = QStringLiteral("an event before any day: ") + text;
                return run;
            }
            ++run.Days[text.toStdString()][*day];
        }
    }
    return run;
}

DayCount DaysOf(const Listing& listing, const std::string& title) {
    const auto found = listing.find(title);
    return found == listing.end() ? DayCount{} : found->second;
}

// The days of `year` inside [from, to] for which `wanted` holds, each once.
DayCount ExpectedDays(int year, TDateTime from, TDateTime to, const auto& wanted) {
    DayCount days;
    for (TDateTime date = DateSerial(year, 1, 1); date <= DateSerial(year, 12, 31); ++date) {
        if (date >= from && date <= to && wanted(date))
            days[date] = 1;
    }
    return days;
}

// What calcurse lists for one group and year against the rotation, less the days left out, beside
// `otherTitles` titles of other events.
void ExpectTheRotation(const ClientRun& run, int group, int year, TDateTime from, TDateTime to, bool paydays,
                       const std::set<TDateTime>& leftOut = {}, std::size_t otherTitles = 0) {
    ASSERT_TRUE(run.Failure.isEmpty()) << run.Failure.toStdString();
    EXPECT_TRUE(run.ImportReport.contains(" / 0 skipped")) << run.ImportReport.toStdString();
    ScheduleState schedule;
    SelectAssignment(schedule, group);
    const auto codeIs = [&](char code) {
        return [&, code](TDateTime date) {
            return DutyCodeOf(schedule, date) == code && !leftOut.contains(date);
        };
    };
    const std::string name = "Group " + std::to_string(group);
    EXPECT_EQ(DaysOf(run.Days, "On duty \u2013 " + name), ExpectedDays(year, from, to, codeIs(DutyOn)));
    EXPECT_EQ(DaysOf(run.Days, "Regular day off \u2013 " + name),
              ExpectedDays(year, from, to, codeIs(DutyRdo)));
    EXPECT_EQ(DaysOf(run.Days, "Payday"),
              paydays ? ExpectedDays(year, from, to, [](TDateTime date) { return IsPayday(date); })
                      : DayCount{});
    EXPECT_LE(run.Days.size(), 3u + otherTitles);
}

struct CommandCase {
    const char* Name;
    friend void PrintTo(const CommandCase& row, std::ostream* out) { *out << row.Name; }
    QStringList Arguments; // after "ics"
    int Group;
    int Year;
    TDateTime From = ScheduleCutoff + 1;
    TDateTime To = PickerMaxDate;
};

class CalendarClientTest : public testing::TestWithParam<CommandCase> {};

// The file as a member makes it, through the real command.
TEST_P(CalendarClientTest, CalcurseListsEveryDutyDayDayOffAndPayday) {
    const CommandCase& row = GetParam();
    const ToolHome home;
    const ToolRun made =
        home.Run(QStringList{"ics", "-a", QString::number(row.Group), "--rdo"} + row.Arguments);
    ASSERT_EQ(made.ExitCode, 0) << made.Err.toStdString();
    ExpectTheRotation(ImportAndList(made.Out, row.Year), row.Group, row.Year, row.From, row.To,
                      row.Arguments.contains(QStringLiteral("--paydays")));
}

INSTANTIATE_TEST_SUITE_P(
    Files, CalendarClientTest,
    testing::Values(CommandCase{"Group3In2027", {"--paydays"}, 3, 2027},
                    // The last year: each series ends with its UNTIL day.
                    CommandCase{"Group3In2100", {"--paydays"}, 3, 2100},
                    CommandCase{"Group7RemindedIn2063", {"--paydays", "--remind", "18:00"}, 7, 2063},
                    // A range that starts and ends inside runs.
                    CommandCase{"Group1CutIn2022",
                                {"--from", "2022-03-17", "--to", "2022-10-02"},
                                1,
                                2022,
                                DateSerial(2022, 3, 17),
                                DateSerial(2022, 10, 2)}),
    [](const testing::TestParamInfo<CommandCase>& info) { return std::string(info.param.Name); });

// One duty day left out of its series with an EXDATE, and a few more: calcurse shows every other day.
TEST(CalendarClient, CalcurseLeavesOutTheExcludedDaysAndShowsEveryOtherDay) {
    const int group = 3;
    ScheduleState schedule;
    SelectAssignment(schedule, group);
    const auto first = [&](TDateTime date, char code) {
        while (DutyCodeOf(schedule, date) != code)
            ++date;
        return date;
    };
    const TDateTime duty = first(DateSerial(2027, 4, 1), DutyOn);
    const TDateTime run = first(DateSerial(2027, 9, 1), DutyOn);
    DutyCalendarRequest request;
    request.Assignment = group;
    request.RegularDaysOff = true;
    request.Paydays = true;
    request.Remind = DutyReminder{DutyReminder::Kind::Before, 90};
    request.LeftOut = {duty, run, run + 1, first(DateSerial(2027, 6, 1), DutyRdo)};
    const QByteArray calendar = QByteArray::fromStdString(DutyCalendar(request));
    EXPECT_TRUE(calendar.contains("\r\nEXDATE;VALUE=DATE:")) << "the days are left out with EXDATEs";
    ExpectTheRotation(ImportAndList(calendar, 2027), group, 2027, request.From, request.To, true,
                      request.LeftOut);
    // The next rotation keeps those days.
    ExpectTheRotation(ImportAndList(calendar, 2028), group, 2028, request.From, request.To, true,
                      request.LeftOut);
}

// The member's own days, marked with the real command and written by ics into the file: calcurse
// lists exactly the days worked (the duty days less those away, plus the extra shifts, each once),
// the days away and the notes. A mark made under another group that does not fit Group 3's day
// changes nothing.
TEST(CalendarClient, CalcurseListsTheDaysWorkedWithTheMarks) {
    const int year = 2027;
    ScheduleState schedule;
    SelectAssignment(schedule, 3);
    const auto first = [&](TDateTime date, char code) {
        while (DutyCodeOf(schedule, date) != code)
            ++date;
        return date;
    };
    const TDateTime leave = first(DateSerial(year, 3, 1), DutyOn);
    const TDateTime sick = first(DateSerial(year, 6, 1), DutyOn);
    const TDateTime traded = first(DateSerial(year, 9, 1), DutyOn);
    const TDateTime extraOff = first(DateSerial(year, 4, 1), DutyOff);
    const TDateTime extraRdo = first(DateSerial(year, 10, 1), DutyRdo);
    const TDateTime note = first(DateSerial(year, 5, 1), DutyOn);
    ScheduleState group5;
    SelectAssignment(group5, 5);
    TDateTime misfit = DateSerial(year, 7, 1); // Group 5 on duty, Group 3 not
    while (DutyCodeOf(group5, misfit) != DutyOn || DutyCodeOf(schedule, misfit) == DutyOn)
        ++misfit;

    const ToolHome home;
    home.WriteSettings("[Config]\nWorkAssign=Group 3\n");
    const auto iso = [](TDateTime date) {
        const std::chrono::year_month_day ymd = YearMonthDayOf(date);
        return QDate(static_cast<int>(ymd.year()), static_cast<int>(static_cast<unsigned>(ymd.month())),
                     static_cast<int>(static_cast<unsigned>(ymd.day())))
            .toString(Qt::ISODate);
    };
    for (const QStringList& mark :
         {QStringList{iso(leave), "leave", "--note", "summer"}, QStringList{iso(sick), "sick"},
          QStringList{iso(traded), "traded-away"}, QStringList{iso(extraOff), "extra-shift", "--hours", "12"},
          QStringList{iso(extraRdo), "extra-shift"}, QStringList{iso(note), "note", "--note", "court"},
          QStringList{iso(misfit), "leave", "-a", "5"}}) {
        const ToolRun marked = home.Run(QStringList{"mark"} + mark);
        ASSERT_EQ(marked.ExitCode, 0) << marked.Err.toStdString();
    }
    const ToolRun made = home.Run({"ics", "--rdo", "--paydays"});
    ASSERT_EQ(made.ExitCode, 0) << made.Err.toStdString();
    const ClientRun run = ImportAndList(made.Out, year);
    ExpectTheRotation(run, 3, year, ScheduleCutoff + 1, PickerMaxDate, true,
                      {leave, sick, traded, extraOff, extraRdo}, 6);
    const std::string extra = "Extra shift \u2013 Group 3";
    EXPECT_EQ(DaysOf(run.Days, "Leave \u2013 Group 3"), (DayCount{{leave, 1}}));
    EXPECT_EQ(DaysOf(run.Days, "Sick \u2013 Group 3"), (DayCount{{sick, 1}}));
    EXPECT_EQ(DaysOf(run.Days, "Traded away \u2013 Group 3"), (DayCount{{traded, 1}}));
    EXPECT_EQ(DaysOf(run.Days, extra + " (12 h)"), (DayCount{{extraOff, 1}}));
    EXPECT_EQ(DaysOf(run.Days, extra), (DayCount{{extraRdo, 1}}));
    EXPECT_EQ(DaysOf(run.Days, "Note: court"), (DayCount{{note, 1}}));
    DayCount worked = DaysOf(run.Days, "On duty \u2013 Group 3");
    for (const std::string& title : {extra, extra + " (12 h)"}) {
        for (const auto& [date, count] : DaysOf(run.Days, title))
            worked[date] += count;
    }
    EXPECT_EQ(worked, ExpectedDays(year, ScheduleCutoff + 1, PickerMaxDate, [&](TDateTime date) {
                  return (DutyCodeOf(schedule, date) == DutyOn && date != leave && date != sick &&
                          date != traded) ||
                         date == extraOff || date == extraRdo;
              }));
    EXPECT_EQ(run.Days.size(), 9u) << "the misfit has no event";
}

} // namespace
