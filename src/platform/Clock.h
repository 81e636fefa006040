#pragma once
// Time as the program sees it: a millisecond tick count (GetTickCount) and the local date and
// time. Scenarios and tests give a virtual clock that moves only when told; the real program a
// monotonic one.
//
// Contract: called on the program's one thread (the waker excepted); TickCount never goes
// backwards.
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "platform/Waker.h"
#include "platform/WatchedDescriptor.h"

namespace quillon::platform {

struct LocalTime {
  int year = 0;
  int month = 0;  // 1..12
  int day = 0;    // 1..31
  int hour = 0;
  int minute = 0;
  int second = 0;
  int weekday = 0;  // 0 Sunday .. 6 Saturday
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual uint64_t TickCount() = 0;
  virtual LocalTime Now() = 0;
  // True when time only moves when told (tests, scenarios): waits then move it themselves.
  virtual bool IsVirtual() const = 0;
  // Lets time pass: a real clock sleeps, a virtual one moves forward by `ms`.
  virtual void Sleep(uint64_t ms) = 0;

  // The idle event loop's wait: lets time pass until `ms` milliseconds have gone (no limit when
  // nullopt), one of `watched` is ready, or the waker is woken, whichever comes first; it may end
  // sooner. A virtual clock has nothing to wait for: it moves forward by `ms` (by nothing without
  // a limit) and returns.
  virtual void WaitFor(std::optional<uint64_t> ms, const std::vector<WatchedDescriptor>& watched) {
    (void)watched;
    if (ms) Sleep(*ms);
  }
  // What another thread calls to end a WaitFor; null when the clock never blocks (a virtual one).
  virtual std::shared_ptr<Waker> GetWaker() { return nullptr; }
};

}  // namespace quillon::platform
