#pragma once
// The machine's clock: the tick count from the monotonic clock, the date and time from the
// system's local time.
#include "platform/Clock.h"

namespace quillon::os {

class SteadyClock : public platform::Clock {
 public:
  SteadyClock();
  uint64_t TickCount() override;
  platform::LocalTime Now() override;
  bool IsVirtual() const override { return false; }
  void Sleep(uint64_t ms) override;

 private:
  uint64_t origin_ms_;
};

}  // namespace quillon::os
