// The machine's clock waits in poll: a ready descriptor or a wake ends the wait, and a wake that
// came before the wait is not lost.
#include <gtest/gtest.h>
#include <unistd.h>

#include <thread>

#include "os/SteadyClock.h"

namespace quillon::os {
namespace {

class Pipe {
 public:
  Pipe() { EXPECT_EQ(pipe(fds_), 0); }
  ~Pipe() {
    close(fds_[0]);
    close(fds_[1]);
  }
  int ReadEnd() const { return fds_[0]; }
  void Put() { EXPECT_EQ(write(fds_[1], "x", 1), 1); }

 private:
  int fds_[2] = {-1, -1};
};

TEST(SteadyClockTest, AWaitWithoutLimitEndsForAReadyDescriptorOrAWake) {
  SteadyClock clock;
  Pipe pipe;
  const std::vector<platform::WatchedDescriptor> watched = {{pipe.ReadEnd(), true, false}};
  // Each case would wait for ever if its cause did not end the wait.
  pipe.Put();
  clock.WaitFor(std::nullopt, watched);  // the descriptor was ready before the wait
  std::shared_ptr<platform::Waker> waker = clock.GetWaker();
  ASSERT_NE(waker, nullptr);
  waker->Wake();
  waker->Wake();  // two wakes before a wait end that one wait only
  clock.WaitFor(std::nullopt, {});
  std::thread other([waker] { waker->Wake(); });
  clock.WaitFor(std::nullopt, {});
  other.join();
  // The wake was cleared by the wait it ended: a limited wait now runs to its time-out.
  const uint64_t before = clock.TickCount();
  clock.WaitFor(20, {});
  EXPECT_GE(clock.TickCount(), before + 19);
}

TEST(SteadyClockTest, AWakerHeldByAnotherThreadOutlivesTheClock) {
  std::shared_ptr<platform::Waker> waker;
  {
    SteadyClock clock;
    waker = clock.GetWaker();
  }
  waker->Wake();  // wakes nothing, and harms nothing
}

}  // namespace
}  // namespace quillon::os
