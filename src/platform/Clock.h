#pragma once
// Time as the program sees it: a millisecond tick count (GetTickCount) and the local date and
// time. Scenarios and tests give a virtual clock that moves only when told; the real program a
// monotonic one.
//
// Contract: called on the program's one thread; TickCount never goes backwards.
#include <cstdint>

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
};

}  // namespace quillon::platform
