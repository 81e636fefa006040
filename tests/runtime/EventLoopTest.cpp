#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/EventLoop.h"
#include "runtime/Timer.h"
#include "sim/VirtualClock.h"

namespace quillon::runtime {
namespace {

class EventLoopTest : public ::testing::Test {
 protected:
  sim::VirtualClock clock_{0};
  EventLoop loop_{clock_};
  std::vector<std::string> log_;
};

TEST_F(EventLoopTest, TimersFireInDeadlineOrderWhileTimeMoves) {
  Timer fast(loop_, 50, true,
             [&] { log_.push_back("fast@" + std::to_string(clock_.TickCount())); });
  Timer slow(loop_, 120, true,
             [&] { log_.push_back("slow@" + std::to_string(clock_.TickCount())); });
  Timer off(loop_, 10, false, [&] { log_.push_back("off"); });
  loop_.AdvanceTo(150);
  std::vector<std::string> expected = {"fast@50", "fast@100", "slow@120", "fast@150"};
  EXPECT_EQ(log_, expected);
}

TEST_F(EventLoopTest, TickMayProcessEventsAndRunOtherTicksNestedInside) {
  Timer other(loop_, 30, true,
              [&] { log_.push_back("other@" + std::to_string(clock_.TickCount())); });
  Timer busy(loop_, 20, true, {});
  busy.OnTick([&] {
    busy.SetEnabled(false);
    log_.push_back("busy begins");
    loop_.Pause(100);  // a busy wait: the other timer ticks inside it
    log_.push_back("busy ends@" + std::to_string(clock_.TickCount()));
  });
  loop_.AdvanceTo(20);
  std::vector<std::string> expected = {"busy begins", "other@30",  "other@60",
                                       "other@90",    "other@120", "busy ends@120"};
  EXPECT_EQ(log_, expected);
}

TEST_F(EventLoopTest, TimerDestroyedByItsOwnTickIsNotTouchedAgain) {
  auto timer = std::make_unique<Timer>(loop_, 10, true);
  timer->OnTick([&] {
    log_.push_back("tick");
    timer.reset();
  });
  loop_.AdvanceTo(100);
  EXPECT_EQ(log_, std::vector<std::string>{"tick"});
}

TEST_F(EventLoopTest, PausesEndUnderAVirtualClockEvenWithNothingDue) {
  loop_.Pause(250);
  EXPECT_EQ(clock_.TickCount(), 250u);
  loop_.Post([&] { log_.push_back("posted"); });
  EXPECT_TRUE(loop_.ProcessPending());
  EXPECT_EQ(log_, std::vector<std::string>{"posted"});
  EXPECT_FALSE(loop_.ProcessPending());
}

class ScriptedPerson : public PersonSource {
 public:
  explicit ScriptedPerson(std::vector<std::function<PersonAction(ModalKind)>> steps)
      : steps_(std::move(steps)) {}
  PersonAction TakeAction(ModalKind kind) override {
    if (next_ >= steps_.size()) return PersonAction::kGone;
    return steps_[next_++](kind);
  }

 private:
  std::vector<std::function<PersonAction(ModalKind)>> steps_;
  size_t next_ = 0;
};

TEST_F(EventLoopTest, ModalWaitTakesThePersonsActionsUntilItCloses) {
  bool open = true;
  std::vector<ModalKind> kinds;
  ScriptedPerson person({
      [&](ModalKind kind) {
        kinds.push_back(kind);
        return PersonAction::kTaken;
      },
      [&](ModalKind kind) {
        kinds.push_back(kind);
        open = false;  // the person closes the window
        return PersonAction::kTaken;
      },
      [&](ModalKind kind) {
        kinds.push_back(kind);
        return PersonAction::kTaken;
      },
  });
  loop_.SetPerson(&person);
  loop_.Post([&] { EXPECT_TRUE(loop_.RunModal(ModalKind::kForm, [&] { return !open; })); });
  loop_.RunTopLevel();
  EXPECT_EQ(kinds,
            (std::vector<ModalKind>{ModalKind::kForm, ModalKind::kForm, ModalKind::kTopLevel}));
}

}  // namespace
}  // namespace quillon::runtime
