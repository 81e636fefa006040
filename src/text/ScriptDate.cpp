#include "text/ScriptDate.h"

#include <cmath>

namespace quillon::text {
namespace {

// Days from 1970-01-01 to a proleptic Gregorian date (H. Hinnant's civil-day algorithm).
int64_t DaysFromCivil(int64_t y, int64_t m, int64_t d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t z, int& year, int& month, int& day) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  year = static_cast<int>(yoe + era * 400 + (month <= 2));
}

constexpr int64_t kUnixDayOfSerialZero = -25569;  // 1899-12-30

}  // namespace

bool IsLeapYear(int64_t year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int64_t year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month == 2 && IsLeapYear(year)) return 29;
  return kDays[(month - 1) % 12];
}

double ScriptDayNumber(int64_t year, int64_t month, int64_t day) {
  // Roll the month into the year first; days then roll by plain addition.
  int64_t months = year * 12 + (month - 1);
  int64_t y = months >= 0 ? months / 12 : -((-months + 11) / 12);
  int64_t m = months - y * 12 + 1;
  return static_cast<double>(DaysFromCivil(y, m, 1) + (day - 1) - kUnixDayOfSerialZero);
}

double ScriptTimeFraction(int64_t hour, int64_t minute, int64_t second) {
  return static_cast<double>(hour * 3600 + minute * 60 + second) / 86400.0;
}

double ScriptDateJoin(double day_number, double time_fraction) {
  double whole = std::floor(time_fraction);
  day_number += whole;
  time_fraction -= whole;
  if (day_number < 0) return day_number - time_fraction;
  return day_number + time_fraction;
}

ScriptDateParts ScriptDateSplit(double serial) {
  ScriptDateParts parts;
  if (!std::isfinite(serial)) return parts;
  double day = std::trunc(serial);
  int64_t seconds = std::llround(std::fabs(serial - day) * 86400.0);
  if (seconds >= 86400) {
    seconds -= 86400;
    day += serial < 0 ? -1 : 1;
  }
  int64_t days = static_cast<int64_t>(day);
  CivilFromDays(days + kUnixDayOfSerialZero, parts.year, parts.month, parts.day);
  parts.hour = static_cast<int>(seconds / 3600);
  parts.minute = static_cast<int>(seconds / 60 % 60);
  parts.second = static_cast<int>(seconds % 60);
  parts.weekday = static_cast<int>(((days % 7) + 7 + 6) % 7) + 1;
  return parts;
}

}  // namespace quillon::text
