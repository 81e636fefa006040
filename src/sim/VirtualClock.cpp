#include "sim/VirtualClock.h"

namespace quillon::sim {
namespace {

// Days since 1970-01-01 of a civil date (proleptic Gregorian).
int64_t DaysFromCivil(int y, int m, int d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

platform::LocalTime CivilFromSeconds(int64_t seconds) {
  int64_t days = seconds >= 0 ? seconds / 86400 : (seconds - 86399) / 86400;
  int64_t rest = seconds - days * 86400;
  platform::LocalTime t;
  t.hour = static_cast<int>(rest / 3600);
  t.minute = static_cast<int>(rest % 3600 / 60);
  t.second = static_cast<int>(rest % 60);
  t.weekday = static_cast<int>(((days % 7) + 11) % 7);  // 1970-01-01 was a Thursday
  int64_t z = days + 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  t.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  t.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  t.year = static_cast<int>(yoe + era * 400 + (t.month <= 2));
  return t;
}

}  // namespace

VirtualClock::VirtualClock(uint64_t start)
    : VirtualClock(start, platform::LocalTime{2026, 6, 15, 9, 0, 0, 1}) {}

VirtualClock::VirtualClock(uint64_t start, const platform::LocalTime& wall) : tick_(start) {
  SetWallTime(wall);
}

void VirtualClock::SetWallTime(const platform::LocalTime& wall) {
  wall_base_tick_ = tick_;
  wall_base_seconds_ = DaysFromCivil(wall.year, wall.month, wall.day) * 86400 + wall.hour * 3600 +
                       wall.minute * 60 + wall.second;
}

platform::LocalTime VirtualClock::Now() {
  return CivilFromSeconds(wall_base_seconds_ +
                          static_cast<int64_t>((tick_ - wall_base_tick_) / 1000));
}

}  // namespace quillon::sim
