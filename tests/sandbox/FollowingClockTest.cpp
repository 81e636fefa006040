// A scenario plays on virtual time and the desktop then stays live on the machine's time, going
// on from where the scenario left the clock.
#include <gtest/gtest.h>

#include <thread>

#include "sandbox/FollowingClock.h"

namespace quillon::sandbox {
namespace {

TEST(FollowingClockTest, VirtualUntilToldThenMovingWithTheMachineFromWhereItWas) {
  FollowingClock clock;
  EXPECT_TRUE(clock.IsVirtual());
  uint64_t start = clock.TickCount();
  clock.Sleep(60000);  // a scenario's "wait 1m" passes at once
  EXPECT_EQ(clock.TickCount(), start + 60000);
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_EQ(clock.TickCount(), start + 60000);  // real time does not move it yet
  platform::LocalTime scenario_time = clock.Now();

  clock.Follow();
  EXPECT_FALSE(clock.IsVirtual());
  EXPECT_TRUE(clock.GetWaker());
  uint64_t followed = clock.TickCount();
  EXPECT_GE(followed, start + 60000);  // never backwards across the switch
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  uint64_t later = clock.TickCount();
  EXPECT_GE(later, followed + 25);
  EXPECT_LT(later, followed + 5000);
  // The calendar goes on from the scenario's date, not the machine's.
  EXPECT_EQ(clock.Now().year, scenario_time.year);
  EXPECT_EQ(clock.Now().day, scenario_time.day);
  // The idle wait now really waits, and a wake ends it.
  auto waker = clock.GetWaker();
  std::thread wake([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    waker->Wake();
  });
  auto before = std::chrono::steady_clock::now();
  clock.WaitFor(std::nullopt, {});
  wake.join();
  EXPECT_GE(std::chrono::steady_clock::now() - before, std::chrono::milliseconds(15));
}

}  // namespace
}  // namespace quillon::sandbox
