#pragma once
// The varnok-duty command: parses the arguments (the program name first) with QCommandLineParser,
// runs one subcommand and returns the exit code: 0 done, 1 an I/O failure (an output file that
// cannot be written, a settings file with a bad color for the year sheet), 2 a usage error. Every failure is one line
// on the error stream; an output file is written whole or not at all. The settings file is only read.

#include "schedule/today_clock.h"

#include <QLocale>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <ostream>

struct DutyToolEnvironment {
    const TodayClock* Clock = nullptr;
    std::filesystem::path SettingsBase; // the folder LocateSettingsFile would be given
    QLocale Locale;
    std::ostream* Out = nullptr; // standard output, binary: "-o -" and the answers go here
    std::ostream* Err = nullptr;
    QString DocumentsFolder;     // where --open writes
    std::int64_t StampTime = 0;  // seconds since 1970 (UTC) for the calendar's DTSTAMP
    // Hands a file to the desktop; the empty text when that worked, else the reason it did not.
    std::function<QString(const QUrl&)> Open;
};

int RunDutyTool(const QStringList& arguments, const DutyToolEnvironment& environment);

// Which application object the arguments need: Qt Core alone, Qt Gui on the offscreen platform (the
// year sheet is drawn without a display), or Qt Gui on the desktop (--open, to hand a file to the
// desktop, when there is a desktop session). Only the subcommand and --open are looked at; the
// command itself checks everything.
enum class ApplicationKind { Core, OffscreenGui, DesktopGui };
ApplicationKind ApplicationKindFor(const QStringList& arguments, bool desktopSession);

// SOURCE_DATE_EPOCH when it holds a whole number of seconds, else the current time.
std::int64_t CalendarStampTime();
