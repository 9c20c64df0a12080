#pragma once
// The pieces the varnok-duty subcommands are made of: the failure that ends a command with one line
// and an exit code, the shared options, parsing with --help, the read-only settings, the group to
// put out, dates, and the writing of output files (whole or not at all).

#include "duty_command.h"
#include "member_days/day_mark.h"
#include "schedule/date_serial.h"
#include "settings/settings_file.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <ostream>
#include <string>

inline constexpr int UsageError = 2;
inline constexpr int IoError = 1;

// Thrown to end a command; RunDutyTool prints "varnok-duty: <Message>" and returns ExitCode.
struct ToolFailure {
    int ExitCode;
    QString Message;
};

[[noreturn]] void FailUsage(const QString& message);

// The text as UTF-8.
void Print(std::ostream& stream, const QString& text);

// -a/--assignment GROUP, --from DATE, --to DATE, -o/--output FILE, --open, -h/--help.
const QCommandLineOption& AssignmentOption();
const QCommandLineOption& FromOption();
const QCommandLineOption& ToOption();
const QCommandLineOption& OutputOption();
const QCommandLineOption& OpenOption();
const QCommandLineOption& HelpOption();

// Qt's help text with "varnok-duty COMMAND" in its usage line instead of the path the program was
// started by; an empty command for the top level.
QString HelpText(const QCommandLineParser& parser, const QString& command);

// The description and --help of a subcommand's parser.
void PrepareParser(QCommandLineParser& parser, const char* summary);

// Parses (a usage error on failure) and answers --help; false when help was printed.
bool ParseSubcommand(QCommandLineParser& parser, const char* command, const QStringList& arguments,
                     const DutyToolEnvironment& env);

// The subcommand's positional arguments; more than `most` is a usage error.
QStringList Operands(const QCommandLineParser& parser, qsizetype most);

struct ToolSettings {
    SettingsState State;
    LoadedSettings Loaded;
};

// The user's settings, read where the program reads them, without creating or writing anything.
// Colors are read, and must be valid (an I/O failure otherwise), only when `withColors`.
ToolSettings ReadToolSettings(const DutyToolEnvironment& env, bool withColors);

// The group of --assignment, else the saved one (as the window selects it); TFD, an unknown
// assignment or nothing saved is a usage error.
int GroupFor(const QCommandLineParser& parser, const LoadedSettings& loaded);

// The assignment of --assignment, else the saved one, TFD (0) included; an unknown assignment is a
// usage error.
int AnyAssignmentFor(const QCommandLineParser& parser, const LoadedSettings& loaded);

// A date argument, or a usage error.
TDateTime DateOperand(const QString& text, const DutyToolEnvironment& env);

// The days of --from and --to: without --from `defaultFrom`; without --to `defaultTo`, or the last day
// of the first day's year when that is nothing. A usage error when the first day lies after the last.
DayRange RangeOptions(const QCommandLineParser& parser, const DutyToolEnvironment& env, TDateTime defaultFrom,
                      std::optional<TDateTime> defaultTo);

// A usage error unless both ends of `range` lie in the duty schedule, 2022-01-01 to 2100-12-31.
void RequireScheduledRange(const DayRange& range);

// "-" is standard output; anything else is replaced whole through the atomic writer.
void WriteOutput(const std::string& bytes, const QString& file, const DutyToolEnvironment& env);

// --open: `name` in the documents folder (made when missing), its path on standard output, then the
// file handed to the desktop.
void WriteAndOpen(const std::string& bytes, const QString& name, const DutyToolEnvironment& env);
