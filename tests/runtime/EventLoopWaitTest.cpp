// Under a real clock an idle loop sleeps in the clock's wait and wakes only for what comes: the
// next timer, a watched socket, a wake from another thread. Counted in wake-ups, not in time.
#include <gtest/gtest.h>

#include <optional>
#include <thread>
#include <vector>

#include "os/SteadyClock.h"
#include "runtime/EventLoop.h"
#include "runtime/Timer.h"

namespace quillon::runtime {
namespace {

// A real (not virtual) clock whose waits are recorded; each wait lets its whole time pass, as if
// nothing but the time-out had ended it.
class RecordingClock : public platform::Clock {
 public:
  struct WaitCall {
    std::optional<uint64_t> ms;
    std::vector<int> descriptors;
  };
  uint64_t TickCount() override { return tick_; }
  platform::LocalTime Now() override { return {}; }
  bool IsVirtual() const override { return false; }
  void Sleep(uint64_t ms) override { tick_ += ms; }
  void WaitFor(std::optional<uint64_t> ms,
               const std::vector<platform::WatchedDescriptor>& watched) override {
    WaitCall call{ms, {}};
    for (const auto& entry : watched) call.descriptors.push_back(entry.descriptor);
    calls.push_back(call);
    if (ms) tick_ += *ms;
  }

  std::vector<WaitCall> calls;

 private:
  uint64_t tick_ = 1000;
};

// A socket-like source: watches descriptor 7 for reading and never has anything.
class QuietSocket : public platform::EventSource {
 public:
  bool DispatchReady() override { return false; }
  bool WaitsOnRealWorld() const override { return true; }
  void Watch(std::vector<platform::WatchedDescriptor>& watched) const override {
    watched.push_back({7, true, false});
  }
};

TEST(EventLoopWaitTest, AnIdlePauseWakesOnlyForItsTimersAndItsEnd) {
  RecordingClock clock;
  EventLoop loop(clock);
  QuietSocket socket;
  loop.AddSource(&socket);
  int ticks = 0;
  Timer timer(loop, 300, true, [&] { ++ticks; });
  loop.Pause(1000);
  EXPECT_EQ(ticks, 3);
  // Three waits end at the timer's deadlines, the last at the pause's end; each watches the
  // socket. (Waiting in steps of a few milliseconds took hundreds.)
  ASSERT_EQ(loop.Waits(), 4u);
  ASSERT_EQ(clock.calls.size(), 4u);
  const uint64_t expected_ms[] = {300, 300, 300, 100};
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(clock.calls[i].ms, expected_ms[i]);
    EXPECT_EQ(clock.calls[i].descriptors, std::vector<int>{7});
  }
  loop.RemoveSource(&socket);
}

TEST(EventLoopWaitTest, WorkThatIsDueRunsWithoutWaiting) {
  RecordingClock clock;
  EventLoop loop(clock);
  int ran = 0;
  loop.Post([&] {
    ++ran;
    loop.Post([&] { ++ran; });
  });
  loop.RunOrWait();
  EXPECT_EQ(ran, 2);
  EXPECT_EQ(loop.Waits(), 0u);
  // With nothing due and no timer, the wait has no time limit: only the world ends it.
  loop.RunOrWait();
  ASSERT_EQ(clock.calls.size(), 1u);
  EXPECT_EQ(clock.calls[0].ms, std::nullopt);
}

TEST(EventLoopWaitTest, AnotherThreadWakesTheIdleLoopOfTheMachinesClock) {
  os::SteadyClock clock;
  EventLoop loop(clock);
  std::shared_ptr<platform::Waker> waker = loop.Waker();
  ASSERT_NE(waker, nullptr);
  // A wake given before the wait ends that wait at once.
  waker->Wake();
  loop.RunOrWait();
  EXPECT_EQ(loop.Waits(), 1u);
  // A wake while the loop waits, with no time limit: nothing else could end it.
  std::thread other([waker] { waker->Wake(); });
  loop.RunOrWait();
  other.join();
  EXPECT_EQ(loop.Waits(), 2u);
}

}  // namespace
}  // namespace quillon::runtime
