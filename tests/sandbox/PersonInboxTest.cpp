// The person's lines reach the loop from another thread; the loop keeps its events running while
// it waits and wakes when a line arrives.
#include <gtest/gtest.h>

#include <atomic>
#include <sstream>
#include <thread>

#include "os/SteadyClock.h"
#include "runtime/EventLoop.h"
#include "sandbox/PersonInbox.h"

namespace quillon::sandbox {
namespace {

using std::chrono::milliseconds;

TEST(PersonInboxTest, ALineFromAnotherThreadWakesTheWaitThatKeepsTheDesktopRunning) {
  PersonInbox inbox;
  std::atomic<int> idles = 0;
  std::thread person([&] {
    // Put only after the waiting side has run its events a few times.
    while (idles < 3) std::this_thread::sleep_for(milliseconds(1));
    inbox.Put("type \"hi\"");
  });
  std::optional<std::string> line = inbox.Take([&] { ++idles; }, milliseconds(1));
  person.join();
  EXPECT_EQ(line, "type \"hi\"");
  EXPECT_GE(idles, 3);
}

TEST(PersonInboxTest, LinesComeInOrderAndTheEndComesAfterTheLast) {
  PersonInbox inbox;
  inbox.Put("one");
  inbox.Put("two");
  inbox.Close();
  int idles = 0;
  auto idle = [&] { ++idles; };
  EXPECT_EQ(inbox.Take(idle, milliseconds(1)), "one");
  EXPECT_EQ(inbox.Take(idle, milliseconds(1)), "two");
  EXPECT_EQ(inbox.Take(idle, milliseconds(1)), std::nullopt);
  EXPECT_EQ(idles, 0);  // nothing had to be waited for
}

TEST(PersonInboxTest, AReaderThreadFeedsTheLinesOfAStreamAndClosesAtItsEnd) {
  auto inbox = std::make_shared<PersonInbox>();
  std::istringstream in("wait 1s\r\n\nexpect no dialog");
  PersonInbox::ReadOnThread(inbox, in);
  std::vector<std::string> lines;
  while (auto line = inbox->Take({}, milliseconds(5))) lines.push_back(*line);
  EXPECT_EQ(lines, (std::vector<std::string>{"wait 1s\r", "", "expect no dialog"}));
}

TEST(PersonInboxTest, UnderTheMachinesClockTheLoopSleepsUntilTheLineComes) {
  os::SteadyClock clock;
  runtime::EventLoop loop(clock);
  PersonInbox inbox(loop.Waker());
  int ran = 0;
  loop.Post([&] { ++ran; });
  std::thread person([&] {
    std::this_thread::sleep_for(milliseconds(30));
    inbox.Put("type \"hi\"");
  });
  std::optional<std::string> line = inbox.Take(loop);
  person.join();
  EXPECT_EQ(line, "type \"hi\"");
  EXPECT_EQ(ran, 1);  // the loop's events ran while it waited
  // The wait for the line woke once, for the line, where steps would have woken every few
  // milliseconds.
  EXPECT_LE(loop.Waits(), 1u);
  inbox.Close();
  EXPECT_EQ(inbox.Take(loop), std::nullopt);
}

TEST(PersonInboxTest, APagesStatementKeepsItsUserAndTheDesktopsArePublishedBeforeEachWait) {
  os::SteadyClock clock;
  runtime::EventLoop loop(clock);
  PersonInbox inbox(loop.Waker());
  std::atomic<int> before_waits = 0;
  inbox.SetBeforeWait([&] { ++before_waits; });
  auto reply = std::make_shared<PendingReply>();
  std::thread page([&] {
    while (before_waits == 0) std::this_thread::sleep_for(milliseconds(1));
    inbox.Put(PersonInbox::Said{"click chat-button", "sam", reply});
  });
  std::optional<PersonInbox::Said> said = inbox.TakeSaid(loop);
  page.join();
  ASSERT_TRUE(said);
  EXPECT_EQ(said->text, "click chat-button");
  EXPECT_EQ(said->user, "sam");
  EXPECT_EQ(said->reply, reply);
  // Once before the one wait, not in a loop of its own.
  EXPECT_GE(before_waits, 1);
  EXPECT_LE(before_waits, 2);
}

TEST(PersonInboxTest, TheEndOfThePromptIsNotTheEndWhileAPageStillTalks) {
  auto inbox = std::make_shared<PersonInbox>();
  std::istringstream in("dump\n");
  PersonInbox::ReadOnThread(inbox, in, false);
  EXPECT_EQ(inbox->Take({}, milliseconds(5)), "dump");
  std::thread page([&] {
    std::this_thread::sleep_for(milliseconds(30));
    inbox->Put("help");
  });
  EXPECT_EQ(inbox->Take({}, milliseconds(5)), "help");
  page.join();
}

TEST(PersonInboxTest, AReplyIsSettledOnceAndTheWaiterSeesTheFirstSettlement) {
  PendingReply reply;
  EXPECT_FALSE(reply.Wait(milliseconds(1)));
  std::thread loop([&] {
    std::this_thread::sleep_for(milliseconds(20));
    reply.Settle({true, true, "it waits for the person", 7});
    reply.Settle({false, false, "ended", 9});
  });
  auto result = reply.Wait(milliseconds(10000));
  loop.join();
  ASSERT_TRUE(result);
  EXPECT_TRUE(result->running);
  EXPECT_EQ(result->version, 7u);
  EXPECT_EQ(reply.Wait(milliseconds(0))->text, "it waits for the person");
}

}  // namespace
}  // namespace quillon::sandbox
