#include "runtime/EventLoop.h"

#include <algorithm>
#include <cassert>

#include "runtime/ScopedValue.h"
#include "runtime/Timer.h"

namespace quillon::runtime {
namespace {

// Under a virtual clock a socket answer still takes real time: an idle wait lets this much
// virtual time pass at a time while a source waits on the real world.
constexpr uint64_t kRealIdleStepMs = 2;

// Guards against a handler that processes events from inside itself without end.
constexpr int kMaxDepth = 200;

}  // namespace

EventLoop::EventLoop(platform::Clock& clock) : clock_(clock) {}

void EventLoop::AddSource(platform::EventSource* source) { sources_.push_back(source); }

void EventLoop::RemoveSource(platform::EventSource* source) { std::erase(sources_, source); }

void EventLoop::AddTimer(Timer* timer) { timers_.push_back(timer); }

void EventLoop::RemoveTimer(Timer* timer) { std::erase(timers_, timer); }

void EventLoop::Post(std::function<void()> work) { posted_.push_back(std::move(work)); }

std::optional<uint64_t> EventLoop::NextTimerDeadline() const {
  std::optional<uint64_t> next;
  for (const Timer* timer : timers_) {
    if (timer->Armed() && (!next || timer->Deadline() < *next)) next = timer->Deadline();
  }
  return next;
}

bool EventLoop::FireDueTimers() {
  // One timer at a time, earliest deadline first, looking again after each tick: a tick may
  // create, destroy, enable or disable timers.
  bool fired = false;
  std::vector<Timer*> fired_now;
  for (;;) {
    uint64_t now = Now();
    Timer* due = nullptr;
    for (Timer* timer : timers_) {
      if (!timer->Armed() || timer->Deadline() > now) continue;
      if (std::find(fired_now.begin(), fired_now.end(), timer) != fired_now.end()) continue;
      if (!due || timer->Deadline() < due->Deadline()) due = timer;
    }
    if (!due) return fired;
    // A timer whose interval is shorter than the time its own tick takes must not starve the
    // loop: each timer ticks at most once per call.
    fired_now.push_back(due);
    fired = true;
    due->Fire(now);
  }
}

bool EventLoop::RunSources(bool outside_too) {
  bool ran = false;
  std::vector<platform::EventSource*> sources = sources_;
  for (platform::EventSource* source : sources) {
    // A handler run by an earlier source may have removed this one.
    if (std::find(sources_.begin(), sources_.end(), source) == sources_.end()) continue;
    if (!outside_too && source->WaitsOnRealWorld()) continue;
    if (source->DispatchReady()) ran = true;
  }
  return ran;
}

bool EventLoop::RunPosted() {
  bool ran = false;
  while (!posted_.empty()) {
    auto work = std::move(posted_.front());
    posted_.pop_front();
    work();
    ran = true;
  }
  return ran;
}

bool EventLoop::AnySourceWaitsOnRealWorld() const {
  return std::any_of(sources_.begin(), sources_.end(),
                     [](const platform::EventSource* s) { return s->WaitsOnRealWorld(); });
}

bool EventLoop::ProcessPending() {
  if (depth_ >= kMaxDepth) return false;
  // Lowered again however the handlers below end, a throw included.
  ScopedValue<int> nested(depth_, depth_ + 1);
  auto drain = [this] {
    bool ran_any = false;
    // The sockets' first pass takes what they had ready; what the program makes of it runs to
    // the end, but bytes that arrive meanwhile wait for the next round.
    for (bool first = true;; first = false) {
      bool ran = RunPosted();
      if (RunSources(first)) ran = true;
      if (!ran) return ran_any;
      ran_any = true;
    }
  };
  bool ran_any = drain();
  // Timers get one round per call, so a timer whose tick takes longer than its interval cannot
  // keep the call from returning; what the ticks posted is then run.
  if (FireDueTimers()) {
    drain();
    ran_any = true;
  }
  return ran_any;
}

void EventLoop::RunOrWait() {
  if (ProcessPending() || clock_.IsVirtual()) return;
  WaitForWorld(std::nullopt);
}

void EventLoop::WaitForWorld(std::optional<uint64_t> until) {
  if (auto deadline = NextTimerDeadline(); deadline && (!until || *deadline < *until)) {
    until = deadline;
  }
  std::optional<uint64_t> ms;
  if (until) {
    const uint64_t now = Now();
    ms = *until > now ? *until - now : 0;
  }
  // Work posted but not run (a call too deeply nested to run it) must not wait for the world.
  if (!posted_.empty()) ms = 0;
  std::vector<platform::WatchedDescriptor> watched;
  for (const platform::EventSource* source : sources_) source->Watch(watched);
  ++waits_;
  clock_.WaitFor(ms, watched);
}

void EventLoop::Pause(uint64_t ms) {
  const uint64_t end = Now() + ms;
  for (;;) {
    const bool ran = ProcessPending();
    uint64_t now = Now();
    if (now >= end) return;
    if (clock_.IsVirtual()) {
      uint64_t next = end;
      if (auto deadline = NextTimerDeadline(); deadline && *deadline > now && *deadline < next) {
        next = *deadline;
      }
      // A socket answer takes real time: let a little of it pass before moving virtual time on.
      if (AnySourceWaitsOnRealWorld()) next = std::min(next, now + kRealIdleStepMs);
      clock_.Sleep(next - now);
    } else if (!ran) {
      // Only after a round that found nothing: what a round ran may have made more work ready.
      if (person_ && person_->TakeReadyAction()) continue;
      WaitForWorld(end);
    }
  }
}

void EventLoop::AdvanceTo(uint64_t tick) {
  for (;;) {
    const bool ran = ProcessPending();
    uint64_t now = Now();
    if (now >= tick) return;
    uint64_t next = tick;
    if (auto deadline = NextTimerDeadline(); deadline && *deadline > now && *deadline < next) {
      next = *deadline;
    }
    if (clock_.IsVirtual()) {
      clock_.Sleep(next - now);
    } else if (!ran) {
      WaitForWorld(tick);
    }
  }
}

bool EventLoop::RunModal(ModalKind kind, const std::function<bool()>& done) {
  for (;;) {
    ProcessPending();
    if (done()) return true;
    if (!person_) return false;
    PersonAction action = person_->TakeAction(kind);
    if (action != PersonAction::kTaken) {
      ProcessPending();
      return done();
    }
  }
}

void EventLoop::RunTopLevel(const std::function<bool()>& done) {
  for (;;) {
    ProcessPending();
    if (done && done()) return;
    if (!person_ || person_->TakeAction(ModalKind::kTopLevel) != PersonAction::kTaken) return;
  }
}

}  // namespace quillon::runtime
