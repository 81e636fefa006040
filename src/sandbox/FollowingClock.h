#pragma once
// The clock of a sandbox that plays a scenario and then stays live: virtual while the scenario
// plays (its waits move time, so it runs the same way every time), then, from Follow() on,
// moving with the machine's monotonic clock from where the scenario left it, with the machine
// clock's idle wait and waker. Ticks never go backwards across the switch, and the simulated
// calendar goes on from the scenario's date.
#include <memory>

#include "os/SteadyClock.h"
#include "platform/Clock.h"
#include "sim/VirtualClock.h"

namespace quillon::sandbox {

class FollowingClock : public platform::Clock {
 public:
  FollowingClock() = default;

  // The loop's thread: from now on time follows the machine's clock.
  void Follow();
  bool Following() const { return following_; }

  uint64_t TickCount() override;
  platform::LocalTime Now() override;
  bool IsVirtual() const override { return !following_; }
  void Sleep(uint64_t ms) override;
  void WaitFor(std::optional<uint64_t> ms,
               const std::vector<platform::WatchedDescriptor>& watched) override;
  // The machine clock's waker, also while virtual: the page's thread may wake the loop at any
  // time, and a virtual loop that never blocks takes no harm from it.
  std::shared_ptr<platform::Waker> GetWaker() override { return steady_.GetWaker(); }

 private:
  // Brings the virtual tick up to the machine's time since Follow().
  void CatchUp();

  sim::VirtualClock virtual_;
  os::SteadyClock steady_;
  bool following_ = false;
  uint64_t steady_at_follow_ = 0;
  uint64_t virtual_at_follow_ = 0;
};

}  // namespace quillon::sandbox
