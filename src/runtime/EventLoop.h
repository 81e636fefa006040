#pragma once
// The program's one event loop. Everything runs on one thread; many handlers wait by processing
// pending events (DoEvents), so the loop is re-entrant: ProcessPending may be called from inside
// any handler it runs.
//
// Three kinds of waiting exist, and only one of them lets the person act:
// - ProcessPending: runs what is due now and returns; time does not move.
// - Pause (a busy wait such as WaitTicks): processes events until the time has passed. Under a
//   virtual clock it moves time itself, timer deadline by timer deadline, so it always ends, and
//   takes no person's action (a scenario's person acts between statements). Under a real clock
//   the person's actions that come meanwhile run inside it, as a program's own event loop
//   handles the mouse and keys (so Stop Script reaches a plugin that loops on Wait).
// - RunModal (a modal form, a popup menu) and RunTopLevel: hand the person's next actions to the
//   desktop until the wait ends.
//
// Under a real clock an idle loop blocks in the clock's wait until a watched socket is ready, the
// next timer falls due, the wait's own end comes or another thread wakes it (see Waker); it never
// wakes on its own in between.
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "platform/Clock.h"
#include "platform/EventSource.h"
#include "runtime/PersonSource.h"

namespace quillon::runtime {

class Timer;

class EventLoop {
 public:
  explicit EventLoop(platform::Clock& clock);
  EventLoop(const EventLoop&) = delete;
  EventLoop& operator=(const EventLoop&) = delete;

  platform::Clock& Clock() { return clock_; }
  uint64_t Now() { return clock_.TickCount(); }

  void AddSource(platform::EventSource* source);
  void RemoveSource(platform::EventSource* source);
  void SetPerson(PersonSource* person) { person_ = person; }

  // Queues work to run on the next ProcessPending (zero delay).
  void Post(std::function<void()> work);

  // Runs everything that is due now: posted work, the sources' ready events and the timers whose
  // deadline has passed. Work the program makes for itself (posted work, desktop messages) runs
  // until none is left; the outside world (sockets) gets one pass per round, taking what was ready
  // when the pass began, so a stream that never pauses cannot keep timers and the person waiting.
  // Returns true when it ran anything.
  bool ProcessPending();

  // Runs what is due; when nothing was, waits for the world: under a real clock until a socket
  // event, the next timer or a wake, under a virtual one not at all (time moves only when told).
  void RunOrWait();

  // What another thread calls to wake an idle wait of this loop; null under a virtual clock,
  // whose loop never blocks.
  std::shared_ptr<platform::Waker> Waker() { return clock_.GetWaker(); }

  // How often the loop has waited for the world under a real clock; each wait ends in one
  // wake-up. For tests: an idle loop wakes only when something comes.
  uint64_t Waits() const { return waits_; }

  // A busy wait of `ms` milliseconds (see the class comment).
  void Pause(uint64_t ms);

  // Moves a virtual clock forward to `tick`, firing every timer that falls due on the way, in
  // deadline order, with the clock set to each deadline as it fires. A real clock just waits.
  void AdvanceTo(uint64_t tick);

  // The earliest deadline of an armed timer.
  std::optional<uint64_t> NextTimerDeadline() const;

  // Waits for the person until `done` holds. Returns false when the wait ended because the person
  // left or declined (the modal thing should then close as if cancelled).
  bool RunModal(ModalKind kind, const std::function<bool()>& done);

  // The top level: hands the person's actions to the desktop until they are gone or `done`.
  void RunTopLevel(const std::function<bool()>& done = {});

  // How deeply handlers are nested in ProcessPending right now (0 at the top level).
  int Depth() const { return depth_; }

 private:
  friend class Timer;
  void AddTimer(Timer* timer);
  void RemoveTimer(Timer* timer);
  bool FireDueTimers();
  // One pass over the sources; `outside_too` false passes over those waiting on the real world.
  bool RunSources(bool outside_too);
  bool RunPosted();
  bool AnySourceWaitsOnRealWorld() const;
  // Blocks in the clock's wait until `until` (a tick; no limit when nullopt) or the next timer,
  // whichever is first, or until a watched descriptor is ready or a wake comes.
  void WaitForWorld(std::optional<uint64_t> until);

  platform::Clock& clock_;
  std::vector<platform::EventSource*> sources_;
  std::vector<Timer*> timers_;
  std::deque<std::function<void()>> posted_;
  PersonSource* person_ = nullptr;
  int depth_ = 0;
  uint64_t waits_ = 0;
};

}  // namespace quillon::runtime
