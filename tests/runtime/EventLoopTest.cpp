#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
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

TEST_F(EventLoopTest, AHandlerThatThrowsLeavesNoNestingBehind) {
  loop_.Post([&] {
    EXPECT_EQ(loop_.Depth(), 1);
    loop_.Post([] { throw std::runtime_error("inner"); });
    EXPECT_THROW(loop_.ProcessPending(), std::runtime_error);
    EXPECT_EQ(loop_.Depth(), 1);  // the nested call's level is given back
    throw std::runtime_error("outer");
  });
  EXPECT_THROW(loop_.ProcessPending(), std::runtime_error);
  EXPECT_EQ(loop_.Depth(), 0);
  // The loop goes on as before: work posted now runs, at the top level.
  loop_.Post([&] { log_.push_back("after@" + std::to_string(loop_.Depth())); });
  EXPECT_TRUE(loop_.ProcessPending());
  EXPECT_EQ(log_, std::vector<std::string>{"after@1"});
}

// A source with a stream of `items` items, one ready per pass, each ready only after the one
// before was taken (as bytes arrive while the program handles the ones before).
class StreamSource : public platform::EventSource {
 public:
  StreamSource(bool outside, int items, std::vector<std::string>& log)
      : outside_(outside), left_(items), log_(log) {}
  bool DispatchReady() override {
    if (left_ == 0) return false;
    log_.push_back("item" + std::to_string(++taken_));
    --left_;
    return true;
  }
  bool WaitsOnRealWorld() const override { return outside_ && left_ > 0; }

 private:
  bool outside_;
  int left_;
  int taken_ = 0;
  std::vector<std::string>& log_;
};

TEST_F(EventLoopTest, AStreamFromOutsideGivesTimersTheirTurnWhileWorkOfTheProgramRunsToItsEnd) {
  struct Case {
    bool outside;
    std::vector<std::string> first_call;
  };
  const Case cases[] = {
      // Socket bytes that keep coming: one pass per round, so the due tick runs in the same call.
      {true, {"item1", "tick", "item2"}},
      // Messages the program makes for itself run until none is left, before the tick.
      {false, {"item1", "item2", "item3", "item4", "tick"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.outside ? "outside" : "program");
    sim::VirtualClock clock{0};
    EventLoop loop{clock};
    std::vector<std::string> log;
    StreamSource stream(c.outside, 4, log);
    loop.AddSource(&stream);
    Timer timer(loop, 10, true, [&] { log.push_back("tick"); });
    clock.Sleep(10);
    EXPECT_TRUE(loop.ProcessPending());
    EXPECT_EQ(log, c.first_call);
    // Whatever is left comes with the next calls.
    while (loop.ProcessPending()) {
    }
    EXPECT_EQ(std::count(log.begin(), log.end(), "item4"), 1);
    loop.RemoveSource(&stream);
  }
}

}  // namespace
}  // namespace quillon::runtime
