#include "duty_command.h"

#include "assignment_text.h"
#include "date_argument.h"
#include "day_answer.h"
#include "duty_calendar.h"
#include "duty_csv.h"

#include "schedule/duty_rotation.h"
#include "year_sheet/year_sheet.h"
#include "settings/alpha_color.h"
#include "settings/atomic_file.h"
#include "settings/settings_file.h"

#include <QCommandLineParser>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QPageSize>
#include <QRegularExpression>

#include <algorithm>
#include <array>
#include <string>

#ifndef VARNOK_VERSION
#error "VARNOK_VERSION must be defined by the build"
#endif

namespace {

constexpr int UsageError = 2;
constexpr int IoError = 1;

// A failure of the command; RunDutyTool prints its one line and returns its code.
struct ToolFailure {
    int ExitCode;
    QString Message;
};

[[noreturn]] void FailUsage(const QString& message) {
    throw ToolFailure{UsageError, message};
}

struct Subcommand {
    const char* Name;
    const char* Summary;
    int (*Run)(const QStringList& arguments, const DutyToolEnvironment& environment);
};

void Print(std::ostream& stream, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    stream.write(bytes.constData(), bytes.size());
}

const QCommandLineOption AssignmentOption(
    QStringList{QStringLiteral("a"), QStringLiteral("assignment")},
    QStringLiteral("The group: 1 to 7, or \"Group 3\". Default: the assignment saved in the settings."),
    QStringLiteral("GROUP"));

const QCommandLineOption OutputOption(QStringList{QStringLiteral("o"), QStringLiteral("output")},
                                      QStringLiteral("Write to FILE; - (the default) is standard output."),
                                      QStringLiteral("FILE"));
const QCommandLineOption FromOption(QStringLiteral("from"), QStringLiteral("First day, YYYY-MM-DD, today or tomorrow."),
                                    QStringLiteral("DATE"));
const QCommandLineOption ToOption(QStringLiteral("to"), QStringLiteral("Last day, YYYY-MM-DD, today or tomorrow."),
                                  QStringLiteral("DATE"));

const QCommandLineOption OpenOption(QStringLiteral("open"),
                                    QStringLiteral("Write the file into the documents folder, named after the group and "
                                                   "the year, and open it with the desktop's program for it."));

const QCommandLineOption HelpOption(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                    QStringLiteral("Show this help."));

// Qt's help text with "varnok-duty COMMAND" in its usage line instead of the path the program was
// started by.
QString HelpText(const QCommandLineParser& parser, const QString& command) {
    QString text = parser.helpText();
    const qsizetype lineEnd = text.indexOf(QLatin1Char('\n'));
    const qsizetype options = text.indexOf(QStringLiteral(" [options]"));
    if (options < 0 || options > lineEnd)
        return text;
    QString usage = QStringLiteral("Usage: varnok-duty");
    if (!command.isEmpty())
        usage += QLatin1Char(' ') + command;
    return usage + text.mid(options);
}

void PrepareParser(QCommandLineParser& parser, const char* summary) {
    parser.setApplicationDescription(QString::fromLatin1(summary));
    parser.addOption(HelpOption);
}

// Parses and answers --help; returns false when help was printed.
bool ParseSubcommand(QCommandLineParser& parser, const char* command, const QStringList& arguments,
                     const DutyToolEnvironment& env) {
    if (!parser.parse(arguments))
        FailUsage(parser.errorText());
    if (parser.isSet(HelpOption)) {
        Print(*env.Out, HelpText(parser, QString::fromLatin1(command)));
        return false;
    }
    return true;
}

// The subcommand's positional arguments; more than `most` is a usage error.
QStringList Operands(const QCommandLineParser& parser, qsizetype most) {
    QStringList operands = parser.positionalArguments();
    if (operands.size() > most)
        FailUsage(QStringLiteral("unexpected argument '%1'").arg(operands.at(most)));
    return operands;
}

struct ToolSettings {
    SettingsState State;
    LoadedSettings Loaded;
};

// The user's settings, read where the program reads them, without creating or writing anything.
// Colors are read (and must be valid) only when the output uses them.
ToolSettings ReadToolSettings(const DutyToolEnvironment& env, bool withColors) {
    ToolSettings settings;
    FindSettingsFile(settings.State, env.SettingsBase);
    try {
        settings.Loaded = withColors ? LoadSettings(settings.State) : LoadConfigSettings(settings.State);
    } catch (const ColorConversionError& error) {
        throw ToolFailure{IoError, QStringLiteral("settings file %1: %2")
                                       .arg(QString::fromStdString(settings.State.IniFileName),
                                            QString::fromStdString(error.what()))};
    }
    return settings;
}

// The saved assignment as the window selects it: an exact entry name, else the first entry (TFD).
int SavedAssignment(const LoadedSettings& loaded) {
    const QString saved = QString::fromStdString(loaded.WorkAssign);
    for (int assignment = 0; assignment < AssignmentCount; ++assignment) {
        if (AssignmentName(assignment) == saved)
            return assignment;
    }
    return 0;
}

// The group of --assignment, else the saved one; TFD has no rotation to put out.
int GroupFor(const QCommandLineParser& parser, const LoadedSettings& loaded) {
    if (parser.isSet(AssignmentOption)) {
        const QString text = parser.value(AssignmentOption);
        const std::optional<int> assignment = AssignmentFromText(text);
        if (!assignment)
            FailUsage(QStringLiteral("unknown assignment '%1': use 1 to 7 or \"Group 1\" to \"Group 7\"").arg(text));
        if (*assignment == 0)
            FailUsage(QStringLiteral("TFD has no duty rotation: choose a group, 1 to 7"));
        return *assignment;
    }
    const int saved = SavedAssignment(loaded);
    if (saved == 0)
        FailUsage(QStringLiteral("the saved assignment is TFD, which has no duty rotation: "
                                 "choose a group with --assignment"));
    return saved;
}

TDateTime DateOperand(const QString& text, const DutyToolEnvironment& env) {
    const std::optional<TDateTime> date = DateFromArgument(text, *env.Clock);
    if (!date)
        FailUsage(QStringLiteral("'%1' is not a date: use YYYY-MM-DD, today or tomorrow").arg(text));
    return *date;
}

struct DateRange {
    TDateTime From;
    TDateTime To;
};

// --from and --to, each falling back to its default; the first must not lie after the second.
DateRange RangeFor(const QCommandLineParser& parser, const DutyToolEnvironment& env, TDateTime defaultFrom,
                   TDateTime defaultTo) {
    const DateRange range{parser.isSet(FromOption) ? DateOperand(parser.value(FromOption), env) : defaultFrom,
                          parser.isSet(ToOption) ? DateOperand(parser.value(ToOption), env) : defaultTo};
    if (range.From > range.To)
        FailUsage(QStringLiteral("--from %1 is after --to %2").arg(IsoDateText(range.From), IsoDateText(range.To)));
    return range;
}

TDateTime FirstOfYear(TDateTime date) {
    return DateSerial(YearMonthDayOf(date).year() / std::chrono::January / 1);
}

TDateTime LastOfYear(TDateTime date) {
    return DateSerial(YearMonthDayOf(date).year() / std::chrono::December / 31);
}

// To standard output for "-" or no -o, else the whole file through the atomic writer.
void WriteOutput(const std::string& bytes, const QCommandLineParser& parser, const DutyToolEnvironment& env) {
    const QString file = parser.isSet(OutputOption) ? parser.value(OutputOption) : QStringLiteral("-");
    if (file == QLatin1String("-")) {
        env.Out->write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return;
    }
    if (!ReplaceFileAtomically(std::filesystem::path(file.toStdU16String()), bytes))
        throw ToolFailure{IoError, QStringLiteral("cannot write %1").arg(file)};
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

// --open: the file goes into the documents folder (made when missing) and to the desktop.
void WriteAndOpen(const std::string& bytes, const QString& name, const DutyToolEnvironment& env) {
    if (env.DocumentsFolder.isEmpty() || !QDir().mkpath(env.DocumentsFolder))
        throw ToolFailure{IoError, QStringLiteral("no documents folder to write %1 into").arg(name)};
    const QString file = QDir(env.DocumentsFolder).filePath(name);
    if (!ReplaceFileAtomically(std::filesystem::path(file.toStdU16String()), bytes))
        throw ToolFailure{IoError, QStringLiteral("cannot write %1").arg(file)};
    Print(*env.Out, file + QLatin1Char('\n'));
    const QString failure = env.Open(QUrl::fromLocalFile(file));
    if (!failure.isEmpty())
        throw ToolFailure{IoError, QStringLiteral("cannot open %1: %2").arg(file, failure)};
}

void RejectOutputWithOpen(const QCommandLineParser& parser) {
    if (parser.isSet(OpenOption) && parser.isSet(OutputOption))
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

int ShiftHours(const QString& text) {
    bool ok = false;
    const int hours = text.trimmed().toInt(&ok);
    if (!ok || hours < 1 || hours > 24)
        FailUsage(QStringLiteral("'%1' is not a shift length: use a whole number of hours, 1 to 24").arg(text));
    return hours;
}

int RunDay(const QStringList& arguments, const DutyToolEnvironment& env) {
    QCommandLineParser parser;
    PrepareParser(parser, "Tell whether a group is on duty on a day, and whether it is a payday.");
    parser.addPositionalArgument(QStringLiteral("DATE"), QStringLiteral("YYYY-MM-DD, today or tomorrow. Default: today."),
                                 QStringLiteral("[DATE]"));
    const QCommandLineOption all(QStringLiteral("all"), QStringLiteral("One line for each of the seven groups."));
    parser.addOptions({AssignmentOption, all});
    if (!ParseSubcommand(parser, "day", arguments, env))
        return 0;
    const QStringList operands = Operands(parser, 1);
    const TDateTime date = operands.isEmpty() ? env.Clock->Today() : DateOperand(operands.front(), env);
    QString lines;
    if (parser.isSet(all)) {
        if (parser.isSet(AssignmentOption))
            FailUsage(QStringLiteral("--all and --assignment exclude each other"));
        for (int group = 1; group < AssignmentCount; ++group)
            lines += DayAnswer(group, date, env.Locale) + QLatin1Char('\n');
    } else {
        const ToolSettings settings = ReadToolSettings(env, false);
        lines = DayAnswer(GroupFor(parser, settings.Loaded), date, env.Locale) + QLatin1Char('\n');
    }
    Print(*env.Out, lines);
    return 0;
}

int RunCsv(const QStringList& arguments, const DutyToolEnvironment& env) {
    QCommandLineParser parser;
    PrepareParser(parser, "Write a group's duty days as a CSV table, one row a day.");
    parser.addOptions({AssignmentOption, FromOption, ToOption, OutputOption});
    if (!ParseSubcommand(parser, "csv", arguments, env))
        return 0;
    Operands(parser, 0);
    const TDateTime today = env.Clock->Today();
    const TDateTime from = parser.isSet(FromOption) ? DateOperand(parser.value(FromOption), env) : FirstOfYear(today);
    const DateRange range = RangeFor(parser, env, from, LastOfYear(from));
    const ToolSettings settings = ReadToolSettings(env, false);
    WriteOutput(DutyCsv(GroupFor(parser, settings.Loaded), range.From, range.To), parser, env);
    return 0;
}

int RunIcs(const QStringList& arguments, const DutyToolEnvironment& env) {
    QCommandLineParser parser;
    PrepareParser(parser, "Write a group's duty days as an iCalendar file for a calendar program.");
    const QCommandLineOption rdo(QStringLiteral("rdo"), QStringLiteral("Add the regular days off."));
    const QCommandLineOption paydays(QStringLiteral("paydays"), QStringLiteral("Add the paydays."));
    const QCommandLineOption shiftStart(QStringLiteral("shift-start"),
                                        QStringLiteral("Duty days become shifts starting at TIME (HH:MM, local time)."),
                                        QStringLiteral("TIME"));
    const QCommandLineOption shiftHours(QStringLiteral("shift-hours"),
                                        QStringLiteral("The length of a shift, 1 to 24 hours; needs --shift-start."),
                                        QStringLiteral("HOURS"));
    parser.addOptions({AssignmentOption, FromOption, ToOption, rdo, paydays, shiftStart, shiftHours, OutputOption,
                       OpenOption});
    if (!ParseSubcommand(parser, "ics", arguments, env))
        return 0;
    Operands(parser, 0);
    RejectOutputWithOpen(parser);
    DutyCalendarRequest request;
    const DateRange range = RangeFor(parser, env, ScheduleCutoff + 1, PickerMaxDate);
    for (const TDateTime date : {range.From, range.To}) {
        if (date <= ScheduleCutoff || date > PickerMaxDate)
            FailUsage(QStringLiteral("%1 lies outside the duty schedule, %2 to %3")
                          .arg(IsoDateText(date), IsoDateText(ScheduleCutoff + 1), IsoDateText(PickerMaxDate)));
    }
    if (parser.isSet(shiftStart) != parser.isSet(shiftHours))
        FailUsage(QStringLiteral("--shift-start and --shift-hours go together"));
    if (parser.isSet(shiftStart))
        request.Shift = ShiftTimes{ShiftStartMinute(parser.value(shiftStart)), ShiftHours(parser.value(shiftHours))};
    const ToolSettings settings = ReadToolSettings(env, false);
    request.Assignment = GroupFor(parser, settings.Loaded);
    request.From = range.From;
    request.To = range.To;
    request.RegularDaysOff = parser.isSet(rdo);
    request.Paydays = parser.isSet(paydays);
    request.StampTime = env.StampTime;
    const std::string calendar = DutyCalendar(request);
    if (parser.isSet(OpenOption))
        WriteAndOpen(calendar, OpenFileName(request.Assignment, range.From, range.To, "ics"), env);
    else
        WriteOutput(calendar, parser, env);
    return 0;
}

// A page size by its key as QPageSize names it: A4, Letter, Legal, A3, Tabloid and the rest.
QPageSize PageSizeNamed(const QString& text) {
    for (int id = 0; id <= QPageSize::LastPageSize; ++id) {
        const auto size = static_cast<QPageSize::PageSizeId>(id);
        if (size != QPageSize::Custom && QPageSize::key(size).compare(text.trimmed(), Qt::CaseInsensitive) == 0)
            return QPageSize(size);
    }
    FailUsage(QStringLiteral("unknown page size '%1': use A4, Letter, Legal, A3 or another standard name").arg(text));
}

constexpr int FirstSheetYear = 2022;
constexpr int LastSheetYear = 2100;

int SheetYear(const QString& text) {
    bool ok = false;
    const int year = text.trimmed().toInt(&ok);
    if (!ok)
        FailUsage(QStringLiteral("'%1' is not a year").arg(text));
    if (year < FirstSheetYear || year > LastSheetYear)
        FailUsage(QStringLiteral("%1 lies outside the duty schedule's years, %2 to %3")
                      .arg(year)
                      .arg(FirstSheetYear)
                      .arg(LastSheetYear));
    return year;
}

int RunYear(const QStringList& arguments, const DutyToolEnvironment& env) {
    QCommandLineParser parser;
    PrepareParser(parser, "Draw a printable sheet of a group's duty year as a PDF or a PNG.");
    parser.addPositionalArgument(QStringLiteral("YEAR"), QStringLiteral("2022 to 2100. Default: this year."),
                                 QStringLiteral("[YEAR]"));
    const QCommandLineOption paydays(QStringLiteral("paydays"),
                                     QStringLiteral("Underline the paydays (also when the saved payday switch is on)."));
    const QCommandLineOption pageSize(QStringLiteral("page-size"),
                                      QStringLiteral("Paper size, such as A4, Letter, Legal or A3. Default: Letter "
                                                     "where the locale measures in inches, else A4."),
                                      QStringLiteral("SIZE"));
    const QCommandLineOption output(QStringList{QStringLiteral("o"), QStringLiteral("output")},
                                    QStringLiteral("Write to FILE.pdf or FILE.png; - (the default) is standard "
                                                   "output, as PDF."),
                                    QStringLiteral("FILE"));
    parser.addOptions({AssignmentOption, paydays, pageSize, output, OpenOption});
    if (!ParseSubcommand(parser, "year", arguments, env))
        return 0;
    const QStringList operands = Operands(parser, 1);
    if (parser.isSet(OpenOption) && parser.isSet(output))
        FailUsage(QStringLiteral("--open and --output exclude each other"));
    const int year = operands.isEmpty() ? static_cast<int>(YearMonthDayOf(env.Clock->Today()).year())
                                        : SheetYear(operands.front());
    if (operands.isEmpty() && (year < FirstSheetYear || year > LastSheetYear))
        FailUsage(QStringLiteral("this year, %1, lies outside the duty schedule's years: name a year").arg(year));
    const QString file = parser.isSet(output) ? parser.value(output) : QStringLiteral("-");
    bool png = false;
    if (file != QLatin1String("-")) {
        const QString suffix = QFileInfo(file).suffix().toLower();
        if (suffix != QLatin1String("pdf") && suffix != QLatin1String("png"))
            FailUsage(QStringLiteral("%1: the year sheet is written as a .pdf or a .png file").arg(file));
        png = suffix == QLatin1String("png");
    }
    YearSheetRequest request;
    request.PageSize = parser.isSet(pageSize) ? PageSizeNamed(parser.value(pageSize))
                                              : DefaultYearSheetPageSize(env.Locale);
    const ToolSettings settings = ReadToolSettings(env, true);
    request.Year = year;
    request.Assignment = GroupFor(parser, settings.Loaded);
    request.Settings = settings.State;
    request.ShowPaydays = parser.isSet(paydays) || settings.Loaded.ShowPaydays;
    request.Locale = env.Locale;
    const QByteArray sheet = png ? YearSheetPng(request) : YearSheetPdf(request);
    const std::string bytes(sheet.constData(), static_cast<std::size_t>(sheet.size()));
    if (parser.isSet(OpenOption)) {
        WriteAndOpen(bytes, QStringLiteral("%1 duty %2.pdf").arg(AssignmentName(request.Assignment)).arg(year), env);
    } else if (file == QLatin1String("-")) {
        env.Out->write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    } else if (!ReplaceFileAtomically(std::filesystem::path(file.toStdU16String()), bytes)) {
        throw ToolFailure{IoError, QStringLiteral("cannot write %1").arg(file)};
    }
    return 0;
}

constexpr std::array<Subcommand, 4> Subcommands{{
    {"day", "Tell whether a group is on duty on a day (default today).", &RunDay},
    {"csv", "Write a CSV table of a group's duty, one row a day (default this year).", &RunCsv},
    {"ics", "Write a group's duty days as an iCalendar file (default 2022 to 2100).", &RunIcs},
    {"year", "Draw a printable year of a group's duty as PDF or PNG (default this year).", &RunYear},
}};

const Subcommand* FindSubcommand(const QString& name) {
    for (const Subcommand& subcommand : Subcommands) {
        if (name == QLatin1String(subcommand.Name))
            return &subcommand;
    }
    return nullptr;
}

int RunTopLevel(const QStringList& arguments, const DutyToolEnvironment& env) {
    QCommandLineParser parser;
    QString description = QStringLiteral("The duty rotation of Varnok for Tolmere outside the window.\n\nCommands:\n");
    for (const Subcommand& subcommand : Subcommands)
        description += QStringLiteral("  %1  %2\n").arg(QLatin1String(subcommand.Name), -5).arg(QLatin1String(subcommand.Summary));
    description += QStringLiteral("\nSee varnok-duty COMMAND --help for the options of each command.");
    parser.setApplicationDescription(description);
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the version."));
    parser.addOptions({HelpOption, version});
    parser.addPositionalArgument(QStringLiteral("COMMAND"), QStringLiteral("The command to run."),
                                 QStringLiteral("COMMAND [options]"));
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    if (!parser.parse(arguments))
        FailUsage(parser.errorText());
    if (parser.isSet(HelpOption)) {
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
    const Subcommand* subcommand = FindSubcommand(rest.front());
    if (subcommand == nullptr)
        FailUsage(QStringLiteral("unknown command '%1': try varnok-duty --help").arg(rest.front()));
    return subcommand->Run(QStringList{arguments.value(0, QStringLiteral("varnok-duty"))} + rest.mid(1), env);
}

} // namespace

int RunDutyTool(const QStringList& arguments, const DutyToolEnvironment& environment) {
    try {
        return RunTopLevel(arguments, environment);
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
