#include "duty_command.h"

#include "assignment_text.h"
#include "command_parts.h"
#include "date_argument.h"
#include "day_answer.h"
#include "duty_calendar.h"
#include "duty_csv.h"
#include "mark_commands.h"
#include "mark_parts.h"
#include "schedule/duty_rotation.h"
#include "settings_location/settings_folder.h"

#include <QDateTime>
#include <QRegularExpression>
#include <QStandardPaths>
#include <algorithm>
#include <array>
#include <iostream>
#include <string>
#include <utility>

#ifndef VARNOK_VERSION
#error "VARNOK_VERSION must be defined by the build"
#endif

namespace {

TDateTime FirstOfYear(TDateTime date) {
    return DateSerial(YearMonthDayOf(date).year() / std::chrono::January / 1);
}

QString OutputFile(const QCommandLineParser& parser) {
    return parser.isSet(OutputOption()) ? parser.value(OutputOption()) : QStringLiteral("-");
}

// The file --open writes: "Group 3 duty 2027.ics" in the documents folder, or "... 2022-2100.ics"
// for several years.
QString OpenFileName(int group, TDateTime from, TDateTime to, const char* extension) {
    const int firstYear = static_cast<int>(YearMonthDayOf(from).year());
    const int lastYear = static_cast<int>(YearMonthDayOf(to).year());
    const QString years = firstYear == lastYear ? QString::number(firstYear)
                                                : QStringLiteral("%1-%2").arg(firstYear).arg(lastYear);
    return QStringLiteral("%1 duty %2.%3").arg(AssignmentName(group), years, QLatin1String(extension));
}

void RejectOutputWithOpen(const QCommandLineParser& parser) {
    if (parser.isSet(OpenOption()) && parser.isSet(OutputOption()))
        FailUsage(QStringLiteral("--open and --output exclude each other"));
}

// "HH:MM", 00:00 to 23:59, as minutes after midnight.
int ShiftStartMinute(const QString& text) {
    static const QRegularExpression time(QStringLiteral("^([01]?\\d|2[0-3]):([0-5]\\d)$"));
    const QRegularExpressionMatch match = time.match(text.trimmed());
    if (!match.hasMatch())
        FailUsage(QStringLiteral("'%1' is not a time of day: use HH:MM, 00:00 to 23:59").arg(text));
    return match.captured(1).toInt() * 60 + match.captured(2).toInt();
}

// --remind: "HH:MM" on the evening before, or a time before the start such as "90m", "2h", "1h30m"
// or "1d", up to a week.
DutyReminder ReminderOf(const QString& text) {
    static const QRegularExpression time(QStringLiteral("^([01]?\\d|2[0-3]):([0-5]\\d)$"));
    static const QRegularExpression duration(
        QStringLiteral("^(?:(\\d{1,5})d)?(?:(\\d{1,5})h)?(?:(\\d{1,5})m)?$"),
        QRegularExpression::CaseInsensitiveOption);
    const QString trimmed = text.trimmed();
    const QRegularExpressionMatch clock = time.match(trimmed);
    if (clock.hasMatch())
        return {DutyReminder::Kind::EveningBefore,
                clock.captured(1).toInt() * 60 + clock.captured(2).toInt()};
    const QRegularExpressionMatch before = duration.match(trimmed);
    if (!trimmed.isEmpty() && before.hasMatch()) {
        const int minutes =
            before.captured(1).toInt() * 1440 + before.captured(2).toInt() * 60 + before.captured(3).toInt();
        if (minutes <= 7 * 1440)
            return {DutyReminder::Kind::Before, minutes};
    }
    FailUsage(QStringLiteral("'%1' is not a reminder: use HH:MM for the evening before, or a time before the "
                             "start such as 90m, 2h or 1h30m, at most 7d")
                  .arg(text));
}

int ShiftHours(const QString& text) {
    bool ok = false;
    const int hours = text.trimmed().toInt(&ok);
    if (!ok || hours < 1 || hours > 24)
        FailUsage(
            QStringLiteral("'%1' is not a shift length: use a whole number of hours, 1 to 24").arg(text));
    return hours;
}

int RunDay(const QStringList& arguments, const DutyToolEnvironment& env) {
    QCommandLineParser parser;
    PrepareParser(parser, "Tell whether a group is on duty on a day, and whether it is a payday.");
    parser.addPositionalArgument(QStringLiteral("DATE"),
                                 QStringLiteral("YYYY-MM-DD, today or tomorrow. Default: today."),
                                 QStringLiteral("[DATE]"));
    const QCommandLineOption all(QStringLiteral("all"),
                                 QStringLiteral("One line for each of the seven groups."));
    parser.addOptions({AssignmentOption(), all});
    if (!ParseSubcommand(parser, "day", arguments, env))
        return 0;
    const QStringList operands = Operands(parser, 1);
    const TDateTime date = operands.isEmpty() ? env.Clock->Today() : DateOperand(operands.front(), env);
    QString lines;
    if (parser.isSet(all)) {
        if (parser.isSet(AssignmentOption()))
            FailUsage(QStringLiteral("--all and --assignment exclude each other"));
        for (int group = 1; group < AssignmentCount; ++group)
            lines += DayAnswer(group, date, env.Locale) + QLatin1Char('\n');
    } else {
        const ToolSettings settings = ReadToolSettings(env, false);
        const int group = GroupFor(parser, settings.Loaded);
        lines = DayAnswer(group, date, env.Locale);
        const DayMarks marks = ReadDayMarks(settings, DayRange{date, date});
        if (const auto mark = marks.find(date); mark != marks.end()) {
            ScheduleState schedule;
            SelectAssignment(schedule, group);
            lines += QStringLiteral("; ") + MarkSummary(mark->second, DutyCodeOf(schedule, date));
        }
        lines += QLatin1Char('\n');
    }
    Print(*env.Out, lines);
    return 0;
}

int RunCsv(const QStringList& arguments, const DutyToolEnvironment& env) {
    QCommandLineParser parser;
    PrepareParser(parser, "Write a group's duty days as a CSV table, one row a day.");
    parser.addOptions({AssignmentOption(), FromOption(), ToOption(), OutputOption()});
    if (!ParseSubcommand(parser, "csv", arguments, env))
        return 0;
    Operands(parser, 0);
    const DayRange range = RangeOptions(parser, env, FirstOfYear(env.Clock->Today()), std::nullopt);
    const ToolSettings settings = ReadToolSettings(env, false);
    const int group = GroupFor(parser, settings.Loaded);
    const DayMarks marks = ReadDayMarks(settings, range);
    WriteOutput(DutyCsv(group, range.First, range.Last, marks), OutputFile(parser), env);
    return 0;
}

int RunIcs(const QStringList& arguments, const DutyToolEnvironment& env) {
    QCommandLineParser parser;
    PrepareParser(parser,
                  "Write a group's duty days as an iCalendar file for a calendar program.\n\n"
                  "Your own days from the days file go in too, where they fit the group's days as tally\n"
                  "counts them: leave, sick and traded-away days leave the duty events and become events\n"
                  "of their own, extra shifts (worked days, with the reminder) and notes are added.\n\n"
                  "Reminders are alarms in the file; whether a calendar program keeps them on import is up\n"
                  "to it. By their documentation, Outlook for Windows takes the alarm as the event's\n"
                  "reminder; calcurse marks a shift (--shift-start) with an alarm as important and warns\n"
                  "at its own notice time, but keeps no alarm on all-day events. Other programs'\n"
                  "documentation does not say: try one event before relying on it.");
    const QCommandLineOption rdo(QStringLiteral("rdo"), QStringLiteral("Add the regular days off."));
    const QCommandLineOption paydays(QStringLiteral("paydays"), QStringLiteral("Add the paydays."));
    const QCommandLineOption shiftStart(
        QStringLiteral("shift-start"),
        QStringLiteral("Duty days become shifts starting at TIME (HH:MM, local time)."),
        QStringLiteral("TIME"));
    const QCommandLineOption shiftHours(
        QStringLiteral("shift-hours"),
        QStringLiteral("The length of a shift, 1 to 24 hours; needs --shift-start."),
        QStringLiteral("HOURS"));
    const QCommandLineOption runs(
        QStringLiteral("runs"),
        QStringLiteral("One event for each run of consecutive days instead of one for "
                       "each day (some calendars then draw a run as one bar)."));
    const QCommandLineOption remind(
        QStringLiteral("remind"),
        QStringLiteral("Add a reminder to every duty event and extra shift: HH:MM on the evening before, or "
                       "a time before "
                       "the start such as 90m, 2h or 1h30m (up to 7d): before the shift with --shift-start, "
                       "else before the duty day begins at midnight."),
        QStringLiteral("WHEN"));
    const QCommandLineOption noMarks(
        QStringLiteral("no-marks"),
        QStringLiteral("Leave your own days out: the group's plain schedule, to share."));
    parser.addOptions({AssignmentOption(), FromOption(), ToOption(), rdo, paydays, runs, shiftStart,
                       shiftHours, remind, noMarks, OutputOption(), OpenOption()});
    if (!ParseSubcommand(parser, "ics", arguments, env))
        return 0;
    Operands(parser, 0);
    RejectOutputWithOpen(parser);
    DutyCalendarRequest request;
    const DayRange range = RangeOptions(parser, env, ScheduleCutoff + 1, PickerMaxDate);
    RequireScheduledRange(range);
    if (parser.isSet(shiftStart) != parser.isSet(shiftHours))
        FailUsage(QStringLiteral("--shift-start and --shift-hours go together"));
    if (parser.isSet(shiftStart))
        request.Shift =
            ShiftTimes{ShiftStartMinute(parser.value(shiftStart)), ShiftHours(parser.value(shiftHours))};
    if (parser.isSet(runs) && request.Shift)
        FailUsage(QStringLiteral("--runs and --shift-start exclude each other: a shift is one event a day"));
    if (parser.isSet(remind))
        request.Remind = ReminderOf(parser.value(remind));
    const ToolSettings settings = ReadToolSettings(env, false);
    request.Assignment = GroupFor(parser, settings.Loaded);
    request.From = range.First;
    request.To = range.Last;
    request.RegularDaysOff = parser.isSet(rdo);
    request.Paydays = parser.isSet(paydays);
    request.Runs = parser.isSet(runs);
    request.StampTime = env.StampTime;
    if (!parser.isSet(noMarks))
        request.Marks = ReadDayMarks(settings, range);
    const std::string calendar = DutyCalendar(request);
    if (parser.isSet(OpenOption()))
        WriteAndOpen(calendar, OpenFileName(request.Assignment, range.First, range.Last, "ics"), env);
    else
        WriteOutput(calendar, OutputFile(parser), env);
    return 0;
}

} // namespace

std::vector<DutySubcommand> CoreSubcommands() {
    std::vector<DutySubcommand> subcommands{{"day", &RunDay}, {"csv", &RunCsv}, {"ics", &RunIcs}};
    for (const DutySubcommand& subcommand : MarkSubcommands())
        subcommands.push_back(subcommand);
    return subcommands;
}

namespace {

// Every command of the tool, for the help; the drawing helper runs "year".
constexpr std::array<std::pair<const char*, const char*>, 7> CommandSummaries{{
    {"day", "Tell whether a group is on duty on a day (default today)."},
    {"csv", "Write a CSV table of a group's duty, one row a day (default this year)."},
    {"ics", "Write a group's duty days as an iCalendar file (default 2022 to 2100)."},
    {"year", "Draw a printable year of a group's duty as PDF or PNG (default this year)."},
    {"mark", "Mark a day of your own: leave, sick, traded away, an extra shift or a note."},
    {"marks", "List your marks, one line a mark."},
    {"tally", "Count duty days, marks and days worked for a year or a span (default this year)."},
}};

int RunTopLevel(const QStringList& arguments, const DutyToolEnvironment& env,
                const std::vector<DutySubcommand>& subcommands) {
    QCommandLineParser parser;
    QString description =
        QStringLiteral("The duty rotation of Varnok for Tolmere outside the window.\n\nCommands:\n");
    for (const auto& [name, summary] : CommandSummaries)
        description += QStringLiteral("  %1  %2\n").arg(QLatin1String(name), -5).arg(QLatin1String(summary));
    description += QStringLiteral("\nSee varnok-duty COMMAND --help for the options of each command.");
    parser.setApplicationDescription(description);
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the version."));
    parser.addOptions({HelpOption(), version});
    parser.addPositionalArgument(QStringLiteral("COMMAND"), QStringLiteral("The command to run."),
                                 QStringLiteral("COMMAND [options]"));
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    if (!parser.parse(arguments))
        FailUsage(parser.errorText());
    if (parser.isSet(HelpOption())) {
        Print(*env.Out, HelpText(parser, QString()));
        return 0;
    }
    if (parser.isSet(version)) {
        Print(*env.Out, QStringLiteral("varnok-duty " VARNOK_VERSION "\n"));
        return 0;
    }
    const QStringList rest = parser.positionalArguments();
    if (rest.isEmpty())
        FailUsage(QStringLiteral("no command given: try varnok-duty --help"));
    const auto subcommand =
        std::find_if(subcommands.begin(), subcommands.end(),
                     [&](const DutySubcommand& entry) { return rest.front() == QLatin1String(entry.Name); });
    if (subcommand == subcommands.end())
        FailUsage(QStringLiteral("unknown command '%1': try varnok-duty --help").arg(rest.front()));
    return subcommand->Run(QStringList{arguments.value(0, QStringLiteral("varnok-duty"))} + rest.mid(1), env);
}

} // namespace

int RunDutyTool(const QStringList& arguments, const DutyToolEnvironment& environment,
                const std::vector<DutySubcommand>& subcommands) {
    try {
        return RunTopLevel(arguments, environment, subcommands);
    } catch (const ToolFailure& failure) {
        Print(*environment.Err, QStringLiteral("varnok-duty: ") + failure.Message + QLatin1Char('\n'));
        return failure.ExitCode;
    }
}
ApplicationKind ApplicationKindFor(const QStringList& arguments, bool desktopSession) {
    const QStringList rest = arguments.mid(1);
    const auto command = std::find_if(rest.begin(), rest.end(), [](const QString& argument) {
        return !argument.startsWith(QLatin1Char('-'));
    });
    if (command == rest.end())
        return ApplicationKind::Core;
    const bool open = desktopSession && rest.contains(QStringLiteral("--open"));
    if (*command == QLatin1String("year"))
        return open ? ApplicationKind::DesktopGui : ApplicationKind::OffscreenGui;
    return *command == QLatin1String("ics") && open ? ApplicationKind::DesktopGui : ApplicationKind::Core;
}

std::int64_t CalendarStampTime() {
    bool ok = false;
    const qint64 epoch = qEnvironmentVariable("SOURCE_DATE_EPOCH").toLongLong(&ok);
    return ok ? epoch : QDateTime::currentSecsSinceEpoch();
}

DutyToolEnvironment SystemEnvironment(const TodayClock& clock) {
    DutyToolEnvironment environment;
    environment.Clock = &clock;
    environment.SettingsBase = DefaultSettingsBase();
    environment.Locale = QLocale::system();
    environment.Out = &std::cout;
    environment.Err = &std::cerr;
    environment.DocumentsFolder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    environment.StampTime = CalendarStampTime();
    return environment;
}
