#pragma once
// The machine's clock: the tick count from the monotonic clock, the date and time from the
// system's local time. Its idle wait polls the watched sockets and its wake signal, with the time
// left as the poll's time-out.
#include <memory>

#include "os/WakeSignal.h"
#include "platform/Clock.h"

namespace quillon::os {

class SteadyClock : public platform::Clock {
 public:
  SteadyClock();
  uint64_t TickCount() override;
  platform::LocalTime Now() override;
  bool IsVirtual() const override { return false; }
  void Sleep(uint64_t ms) override;
  void WaitFor(std::optional<uint64_t> ms,
               const std::vector<platform::WatchedDescriptor>& watched) override;
  std::shared_ptr<platform::Waker> GetWaker() override { return wake_; }

 private:
  uint64_t origin_ms_;
  std::shared_ptr<WakeSignal> wake_ = std::make_shared<WakeSignal>();
};

}  // namespace quillon::os
