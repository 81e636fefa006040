#pragma once
// A form's timer: raises its tick every `interval` milliseconds while enabled. Ticks come from the
// event loop, so a tick's handler may process events and thereby run other handlers, including
// further ticks of this or any other timer (as window timers do). A tick that fell due several
// times while the program was busy is raised once.
#include <cstdint>
#include <functional>
#include <string>

#include "runtime/Holding.h"

namespace quillon::runtime {

class EventLoop;
class Form;
class Runtime;

class Timer : public Holding {
 public:
  Timer(EventLoop& loop, uint32_t interval_ms, bool enabled, std::function<void()> tick = {});
  // A timer of a program: the program's end stops it, and it never ticks again.
  Timer(Runtime& runtime, uint32_t interval_ms, bool enabled, std::function<void()> tick = {});
  // A timer on a form, named as the program names it: its tick is the handler NAME_Timer
  // ("tmrCheck_Timer"), and an error that escapes it goes to the program's error report.
  Timer(Form& form, std::string name, uint32_t interval_ms, bool enabled,
        std::function<void()> tick = {});
  ~Timer();
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;

  // Re-enabling or changing the interval starts a fresh interval from now.
  void SetEnabled(bool enabled);
  bool Enabled() const { return enabled_; }
  void SetInterval(uint32_t interval_ms);
  uint32_t Interval() const { return interval_ms_; }
  void OnTick(std::function<void()> tick) { tick_ = std::move(tick); }

  // For the loop: true while the timer would tick at all.
  bool Armed() const { return enabled_ && interval_ms_ > 0; }
  uint64_t Deadline() const { return deadline_; }
  // Called by the loop when the deadline has passed.
  void Fire(uint64_t now);

  void LetGo() override { enabled_ = false; }

 private:
  void Rearm();

  EventLoop& loop_;
  Runtime* runtime_ = nullptr;
  const Form* form_ = nullptr;
  std::string handler_;  // "NAME_Timer" for a timer on a form
  uint32_t interval_ms_;
  bool enabled_;
  uint64_t deadline_ = 0;
  std::function<void()> tick_;
};

}  // namespace quillon::runtime
