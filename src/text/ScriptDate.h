#pragma once
// The calendar arithmetic of script dates. A date is a double: whole days since 1899-12-30 (day
// 0), the time of day as the fraction. Before day 0 the whole part counts backwards while the
// fraction still counts forwards from midnight, so -1.25 is 1899-12-29 06:00.
#include <cstdint>

namespace quillon::text {

struct ScriptDateParts {
  int year = 1899;
  int month = 12;
  int day = 30;
  int hour = 0;
  int minute = 0;
  int second = 0;
  int weekday = 7;  // 1 is Sunday
};

// The earliest date a script may hold, 100-01-01, and the first it may not, 10000-01-01.
inline constexpr double kScriptDateMin = -657434.0;
inline constexpr double kScriptDateEnd = 2958466.0;

// Whole days of a calendar date. Months and days out of range roll over into the next or
// previous ones (month 13 is January of the next year, day 0 the last day of the month before),
// as DateSerial does.
double ScriptDayNumber(int64_t year, int64_t month, int64_t day);
// The fraction of a day of a time; hours, minutes and seconds may roll over as TimeSerial's do,
// so the result may fall outside [0, 1).
double ScriptTimeFraction(int64_t hour, int64_t minute, int64_t second);
// Joins a day number and a time fraction the way dates before day 0 need it.
double ScriptDateJoin(double day_number, double time_fraction);
// The parts of a date, the time rounded to the nearest second.
ScriptDateParts ScriptDateSplit(double serial);
bool IsLeapYear(int64_t year);
int DaysInMonth(int64_t year, int month);

}  // namespace quillon::text
