#pragma once
// The printable year sheet: twelve month grids of one group's duty days, drawn like the calendar page
// (Sunday first, the locale's month and day names, day numbers in the duty colors, paydays
// underlined on request), under a title with the agency name, the group and the year, and a legend.
// Uses Qt Gui only: a QGuiApplication must exist (any platform, "offscreen" included).

#include "schedule/date_serial.h"
#include "settings/settings_state.h"

#include <QByteArray>
#include <QLocale>
#include <QPageSize>
#include <QString>
#include <map>
#include <vector>

// A member's mark on a day of the sheet: its letter in a small disc in the top corner of the day's
// cell; a mark that does not fit the day's code is drawn as a ring around the letter instead.
struct YearSheetMark {
    char Letter = 'N';   // A to Z
    bool Counted = true; // false: drawn hollow, and the legend explains the ring
};

// A legend entry for a kind of mark: its letter and its name.
struct YearSheetMarkKey {
    char Letter = 'N';
    QString Name;
};

struct YearSheetRequest {
    int Year = 2022;          // [2022, 2100]
    int Assignment = 1;       // [1, 7]: Group 1 to Group 7
    SettingsState Settings;   // the five colors and the agency name; the file name is not used
    bool ShowPaydays = false; // underline paydays
    QLocale Locale;           // month and day names
    QPageSize PageSize;       // of the PDF; DefaultYearSheetPageSize when the user names none
    std::map<TDateTime, YearSheetMark> Marks; // by whole-day serial; days outside Year are not drawn
    std::vector<YearSheetMarkKey> MarkKeys;   // the kinds the legend explains, in order; it names those
                                              // whose letter a mark of Year has
};

// Letter where the locale measures in inches, else A4.
QPageSize DefaultYearSheetPageSize(const QLocale& locale);

// The sheet as a PDF with selectable vector text, one page of request.PageSize (the locale's default
// when that is not valid). Throws std::out_of_range when Year or Assignment lies outside its range.
QByteArray YearSheetPdf(const YearSheetRequest& request);

// The sheet as a PNG, 2000 pixels on the long side, of the page's proportions and print size.
// Throws std::out_of_range as YearSheetPdf does.
QByteArray YearSheetPng(const YearSheetRequest& request);
