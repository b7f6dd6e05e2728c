#pragma once

// Dates as SYSTEMTIME: the local time, validity and the calendar arithmetic
// the date-time picker and its month calendar need.

#include "platform/win32.h"

// The current local date and time (the day of the week filled in).
void GetLocalTime(SYSTEMTIME* time);

namespace platform::controls {

// A real date of the Gregorian calendar within 1601..30827 (the range
// SYSTEMTIME covers); the time fields must be in range too.
bool IsValidDate(const SYSTEMTIME& time);
int DaysInMonth(int year, int month);
// The date with its day of the week; the time of day is zero.
SYSTEMTIME MakeDate(int year, int month, int day);
// `date` moved by whole days, or by months with the day kept where the month
// has it (January 31 plus one month is February 28 or 29).
SYSTEMTIME AddDays(const SYSTEMTIME& date, int days);
SYSTEMTIME AddMonths(const SYSTEMTIME& date, int months);
bool SameDate(const SYSTEMTIME& a, const SYSTEMTIME& b);

}  // namespace platform::controls
