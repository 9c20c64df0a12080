#pragma once
// The varnok-duty command: parses the arguments (the program name first) with QCommandLineParser,
// runs one subcommand and returns the exit code: 0 done, 1 an I/O failure (an output file that
// cannot be written or opened, a settings file with a bad color for the year sheet), 2 a usage
// error. Every failure is one line on the error stream; an output file is written whole or not at
// all. The settings file is only read; only mark writes, and only the days file (member_days).

#include "schedule/today_clock.h"

#include <QLocale>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <ostream>
#include <vector>

struct DutyToolEnvironment {
    const TodayClock* Clock = nullptr;
    std::filesystem::path SettingsBase; // the folder LocateSettingsFile would be given
    QLocale Locale;
    std::ostream* Out = nullptr; // standard output, binary: "-o -" and the answers go here
    std::ostream* Err = nullptr;
    QString DocumentsFolder;    // where --open writes
    std::int64_t StampTime = 0; // seconds since 1970 (UTC) for the calendar's DTSTAMP
    // Hands a file to the desktop; the empty text when that worked, else the reason it did not.
    std::function<QString(const QUrl&)> Open;
};

// A subcommand: its name on the command line and what runs it (the arguments hold the program name,
// then what follows the subcommand's name).
struct DutySubcommand {
    const char* Name;
    int (*Run)(const QStringList& arguments, const DutyToolEnvironment& environment);
};

// day, csv, ics, mark, marks and tally: everything that needs Qt Core only.
std::vector<DutySubcommand> CoreSubcommands();

// Runs the subcommand the arguments name, out of `subcommands`.
int RunDutyTool(const QStringList& arguments, const DutyToolEnvironment& environment,
                const std::vector<DutySubcommand>& subcommands);

// Which application object the arguments need: Qt Core alone, Qt Gui on the offscreen platform (the
// year sheet is drawn without a display), or Qt Gui on the desktop (--open, to hand a file to the
// desktop, when there is a desktop session). Only the subcommand and --open are looked at; the
// command itself checks everything.
enum class ApplicationKind { Core, OffscreenGui, DesktopGui };
ApplicationKind ApplicationKindFor(const QStringList& arguments, bool desktopSession);

// SOURCE_DATE_EPOCH when it holds a whole number of seconds, else the current time.
std::int64_t CalendarStampTime();

// The environment of a real run: `clock`, the user's settings folder, the system locale, the
// documents folder, standard output and error, and the calendar's stamp time. Open is left unset.
DutyToolEnvironment SystemEnvironment(const TodayClock& clock);
