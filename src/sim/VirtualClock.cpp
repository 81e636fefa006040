#include "sim/VirtualClock.h"

#include "text/ScriptDate.h"

namespace quillon::sim {

VirtualClock::VirtualClock(uint64_t start)
    : VirtualClock(start, platform::LocalTime{2026, 6, 15, 9, 0, 0, 1}) {}

VirtualClock::VirtualClock(uint64_t start, const platform::LocalTime& wall) : tick_(start) {
  SetWallTime(wall);
}

void VirtualClock::SetWallTime(const platform::LocalTime& wall) {
  wall_base_tick_ = tick_;
  // The calendar is the one script dates use: whole days since 1899-12-30.
  double day = text::ScriptDayNumber(wall.year, wall.month, wall.day);
  wall_base_seconds_ =
      static_cast<int64_t>(day) * 86400 + wall.hour * 3600 + wall.minute * 60 + wall.second;
}

platform::LocalTime VirtualClock::Now() {
  int64_t seconds = wall_base_seconds_ + static_cast<int64_t>((tick_ - wall_base_tick_) / 1000);
  int64_t days = seconds >= 0 ? seconds / 86400 : (seconds - 86399) / 86400;
  int64_t rest = seconds - days * 86400;
  text::ScriptDateParts date = text::ScriptDateSplit(static_cast<double>(days));
  return platform::LocalTime{date.year,
                             date.month,
                             date.day,
                             static_cast<int>(rest / 3600),
                             static_cast<int>(rest % 3600 / 60),
                             static_cast<int>(rest % 60),
                             date.weekday - 1};
}

}  // namespace quillon::sim
