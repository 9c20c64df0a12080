#pragma once
// The one-line answer about a day: "Friday, January 15, 2027: Group 3 on duty, payday", the date in
// the locale's long form.

#include "schedule/date_serial.h"

#include <QLocale>
#include <QString>

// The line for assignment [1, 7] on a whole-day `date` (no line end). A day without a schedule says
// "<date>: no schedule for Group n".
QString DayAnswer(int assignment, TDateTime date, const QLocale& locale);
