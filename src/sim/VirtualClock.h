#pragma once
// A clock that moves only when told: scenarios and tests run on it, so that what happens at a
// given time happens the same way on every run.
#include "platform/Clock.h"

namespace quillon::sim {

class VirtualClock : public platform::Clock {
 public:
  // Starts at tick `start` and the local time 2026-06-15 09:00:00 (a Monday), unless given.
  explicit VirtualClock(uint64_t start = 1000000);
  VirtualClock(uint64_t start, const platform::LocalTime& wall);

  uint64_t TickCount() override { return tick_; }
  platform::LocalTime Now() override;
  bool IsVirtual() const override { return true; }
  void Sleep(uint64_t ms) override { tick_ += ms; }

  void SetWallTime(const platform::LocalTime& wall);

 private:
  uint64_t tick_;
  uint64_t wall_base_tick_;
  int64_t wall_base_seconds_;  // seconds since 1899-12-30 of the wall time at wall_base_tick_
};

}  // namespace quillon::sim
