#include "runtime/Timer.h"

#include "runtime/EventLoop.h"
#include "runtime/Form.h"
#include "runtime/Runtime.h"

namespace quillon::runtime {

Timer::Timer(EventLoop& loop, uint32_t interval_ms, bool enabled, std::function<void()> tick)
    : loop_(loop), interval_ms_(interval_ms), enabled_(enabled), tick_(std::move(tick)) {
  Rearm();
  loop_.AddTimer(this);
}

Timer::Timer(Runtime& runtime, uint32_t interval_ms, bool enabled, std::function<void()> tick)
    : Timer(runtime.Loop(), interval_ms, enabled, std::move(tick)) {
  runtime_ = &runtime;
  if (runtime.Ended()) {
    enabled_ = false;
  } else {
    runtime.Hold(this);
  }
}

Timer::Timer(Form& form, std::string name, uint32_t interval_ms, bool enabled,
             std::function<void()> tick)
    : Timer(form.Rt(), interval_ms, enabled, std::move(tick)) {
  form_ = &form;
  handler_ = std::move(name) + "_Timer";
}

Timer::~Timer() {
  loop_.RemoveTimer(this);
  if (runtime_) runtime_->LetGoOf(this);
}

void Timer::SetEnabled(bool enabled) {
  // Setting Enabled to true on a running timer restarts its interval, as window timers do.
  enabled_ = enabled && !(runtime_ && runtime_->Ended());
  Rearm();
}

void Timer::SetInterval(uint32_t interval_ms) {
  interval_ms_ = interval_ms;
  Rearm();
}

void Timer::Rearm() { deadline_ = loop_.Now() + interval_ms_; }

void Timer::Fire(uint64_t now) {
  deadline_ = now + interval_ms_;
  if (runtime_ && runtime_->Ended()) {
    enabled_ = false;
    return;
  }
  // The handler may destroy this timer (unloading its form), so it runs from a copy and nothing
  // of `this` is touched afterwards.
  auto tick = tick_;
  if (!tick) return;
  if (handler_.empty()) {
    tick();
    return;
  }
  const std::string handler = handler_;
  runtime_->RunHandler(handler, form_, tick);
}

}  // namespace quillon::runtime
