#pragma once
// TFormatSettings: the locale's names and date format, copied once at start-up so that painting never
// asks the platform again.

#include "schedule/date_serial.h"

#include <QDate>
#include <QLocale>
#include <QString>
#include <array>

struct TFormatSettings {
    std::array<QString, 12> LongMonthNames; // January first
    std::array<QString, 12> ShortMonthNames;
    std::array<QString, 7> ShortDayNames; // Sunday first
    QString ShortDateFormat;              // QDate format string, four-digit year
    QLocale Locale;                       // for the digits and names of formatted dates
};

// Conversions between a whole-day serial and a QDate (whose calendar has no year 0).
QDate QDateOf(TDateTime date);
TDateTime SerialOf(const QDate& date);

// A copy of the locale's settings. The short date format keeps the year whole ("M/d/yyyy" rather than
// "M/d/yy") so the status line never shows an ambiguous year.
TFormatSettings FormatSettingsFrom(const QLocale& locale);

// `date` in the short date format.
QString FormatShortDate(const TFormatSettings& format, TDateTime date);

// The month title: the long month name alone in `currentYear`, else the short name, a blank and the
// year ("September", "Sep 2025").
QString MonthTitle(const TFormatSettings& format, TDateTime date, int currentYear);
