#pragma once
// Date serials: a double count of days since 30 December 1899 (day 0, a Saturday); the fraction is
// the time of day. Conversions go through std::chrono calendar types and cover the years 1 to 9999.

#include <chrono>

using TDateTime = double;

// 31 December 2021: the last day without a schedule and the earliest date the picker accepts.
inline constexpr TDateTime ScheduleCutoff = 44561;
// 31 December 2100: the latest date the picker accepts.
inline constexpr TDateTime PickerMaxDate = 73415;
// Friday 6 January 2012: the first payday.
inline constexpr TDateTime PaydayAnchor = 40914;

// 1 January 0001 and 31 December 9999, the span the calendar arithmetic covers.
inline constexpr TDateTime MinDateSerial = -693593;
inline constexpr TDateTime MaxDateSerial = 2958465;

// True for a finite serial whose whole day lies in the years 1 to 9999.
bool IsValidDateSerial(TDateTime serial);

// The whole-day serial of a calendar date; the date must be ok().
TDateTime DateSerial(std::chrono::year_month_day date);
TDateTime DateSerial(int year, unsigned month, unsigned day);

// The calendar date of a serial, its fraction truncated toward zero. Precondition: IsValidDateSerial.
std::chrono::year_month_day YearMonthDayOf(TDateTime serial);

// Weekday number of a serial's whole day: 1 Sunday to 7 Saturday.
int WeekdayNumber(TDateTime serial);
