#pragma once
// The one-line answer about a day: "Friday, January 15, 2027: Group 3 on duty, payday", the date in
// the locale's long form.

#include "schedule/date_serial.h"

#include <QLocale>
#include <QString>

// "on duty", "off duty", "regular day off" or "no schedule" for the codes L, K, Y and Z.
QString DutyWords(char code);

// The line for assignment [1, 7] on a whole-day `date` (no line end). A day without a schedule says
// "<date>: no schedule for Group n".
QString DayAnswer(int assignment, TDateTime date, const QLocale& locale);
