#include "command_parts.h"

#include "assignment_text.h"
#include "date_argument.h"
#include "schedule/duty_rotation.h"
#include "settings/alpha_color.h"
#include "settings/atomic_file.h"
#include "settings/settings_file.h"

#include <QDir>

namespace {

// The saved assignment as the window selects it: an exact entry name, else the first entry (TFD).
int SavedAssignment(const LoadedSettings& loaded) {
    const QString saved = QString::fromStdString(loaded.WorkAssign);
    for (int assignment = 0; assignment < AssignmentCount; ++assignment) {
        if (AssignmentName(assignment) == saved)
            return assignment;
    }
    return 0;
}

} // namespace

const QCommandLineOption& AssignmentOption() {
    static const QCommandLineOption option(
        QStringList{QStringLiteral("a"), QStringLiteral("assignment")},
        QStringLiteral("The group: 1 to 7, or \"Group 3\". Default: the assignment saved in the settings."),
        QStringLiteral("GROUP"));
    return option;
}

const QCommandLineOption& FromOption() {
    static const QCommandLineOption option(QStringLiteral("from"),
                                           QStringLiteral("First day, YYYY-MM-DD, today or tomorrow."),
                                           QStringLiteral("DATE"));
    return option;
}

const QCommandLineOption& ToOption() {
    static const QCommandLineOption option(QStringLiteral("to"),
                                           QStringLiteral("Last day, YYYY-MM-DD, today or tomorrow."),
                                           QStringLiteral("DATE"));
    return option;
}

const QCommandLineOption& OutputOption() {
    static const QCommandLineOption option(
        QStringList{QStringLiteral("o"), QStringLiteral("output")},
        QStringLiteral("Write to FILE; - (the default) is standard output."), QStringLiteral("FILE"));
    return option;
}

const QCommandLineOption& OpenOption() {
    static const QCommandLineOption option(
        QStringLiteral("open"),
        QStringLiteral("Write the file into the documents folder, named after the group and "
                       "the year, and open it with the desktop's program for it."));
    return option;
}

const QCommandLineOption& HelpOption() {
    static const QCommandLineOption option(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                           QStringLiteral("Show this help."));
    return option;
}

[[noreturn]] void FailUsage(const QString& message) {
    throw ToolFailure{UsageError, message};
}

void Print(std::ostream& stream, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    stream.write(bytes.constData(), bytes.size());
}

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
    parser.addOption(HelpOption());
}

bool ParseSubcommand(QCommandLineParser& parser, const char* command, const QStringList& arguments,
                     const DutyToolEnvironment& env) {
    if (!parser.parse(arguments))
        FailUsage(parser.errorText());
    if (parser.isSet(HelpOption())) {
        Print(*env.Out, HelpText(parser, QString::fromLatin1(command)));
        return false;
    }
    return true;
}

QStringList Operands(const QCommandLineParser& parser, qsizetype most) {
    QStringList operands = parser.positionalArguments();
    if (operands.size() > most)
        FailUsage(QStringLiteral("unexpected argument '%1'").arg(operands.at(most)));
    return operands;
}

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

int GroupFor(const QCommandLineParser& parser, const LoadedSettings& loaded) {
    const int assignment = AnyAssignmentFor(parser, loaded);
    if (assignment == 0 && parser.isSet(AssignmentOption()))
        FailUsage(QStringLiteral("TFD has no duty rotation: choose a group, 1 to 7"));
    if (assignment == 0)
        FailUsage(QStringLiteral("the saved assignment is TFD, which has no duty rotation: "
                                 "choose a group with --assignment"));
    return assignment;
}

int AnyAssignmentFor(const QCommandLineParser& parser, const LoadedSettings& loaded) {
    if (!parser.isSet(AssignmentOption()))
        return SavedAssignment(loaded);
    const QString text = parser.value(AssignmentOption());
    const std::optional<int> assignment = AssignmentFromText(text);
    if (!assignment)
        FailUsage(
            QStringLiteral("unknown assignment '%1': use 1 to 7 or \"Group 1\" to \"Group 7\"").arg(text));
    return *assignment;
}

TDateTime DateOperand(const QString& text, const DutyToolEnvironment& env) {
    const std::optional<TDateTime> date = DateFromArgument(text, *env.Clock);
    if (!date)
        FailUsage(QStringLiteral("'%1' is not a date: use YYYY-MM-DD, today or tomorrow").arg(text));
    return *date;
}

DayRange RangeOptions(const QCommandLineParser& parser, const DutyToolEnvironment& env, TDateTime defaultFrom,
                      std::optional<TDateTime> defaultTo) {
    DayRange range;
    range.First = parser.isSet(FromOption()) ? DateOperand(parser.value(FromOption()), env) : defaultFrom;
    if (parser.isSet(ToOption()))
        range.Last = DateOperand(parser.value(ToOption()), env);
    else if (defaultTo)
        range.Last = *defaultTo;
    else
        range.Last = DateSerial(YearMonthDayOf(range.First).year() / std::chrono::December / 31);
    if (range.First > range.Last)
        FailUsage(QStringLiteral("--from %1 is after --to %2")
                      .arg(IsoDateText(range.First), IsoDateText(range.Last)));
    return range;
}

void RequireScheduledRange(const DayRange& range) {
    for (const TDateTime date : {range.First, range.Last}) {
        if (date <= ScheduleCutoff || date > PickerMaxDate)
            FailUsage(
                QStringLiteral("%1 lies outside the duty schedule, %2 to %3")
                    .arg(IsoDateText(date), IsoDateText(ScheduleCutoff + 1), IsoDateText(PickerMaxDate)));
    }
}

void WriteOutput(const std::string& bytes, const QString& file, const DutyToolEnvironment& env) {
    if (file == QLatin1String("-")) {
        env.Out->write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return;
    }
    if (!ReplaceFileAtomically(std::filesystem::path(file.toStdU16String()), bytes))
        throw ToolFailure{IoError, QStringLiteral("cannot write %1").arg(file)};
}

void WriteAndOpen(const std::string& bytes, const QString& name, const DutyToolEnvironment& env) {
    if (env.DocumentsFolder.isEmpty() || !QDir().mkpath(env.DocumentsFolder))
        throw ToolFailure{IoError, QStringLiteral("no documents folder to write %1 into").arg(name)};
    const QString file = QDir(env.DocumentsFolder).filePath(name);
    if (!ReplaceFileAtomically(std::filesystem::path(file.toStdU16String()), bytes))
        throw ToolFailure{IoError, QStringLiteral("cannot write %1").arg(file)};
    Print(*env.Out, file + QLatin1Char('\n'));
    const QString failure =
        env.Open ? env.Open(QUrl::fromLocalFile(file)) : QStringLiteral("no desktop to open it");
    if (!failure.isEmpty())
        throw ToolFailure{IoError, QStringLiteral("cannot open %1: %2").arg(file, failure)};
}
