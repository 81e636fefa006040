#include <gtest/gtest.h>

#include "MemorySource.h"
#include "transfer/FileSender.h"
#include "transfer/Protocol.h"
#include "transfer/TransferStatus.h"

namespace quillon::transfer {
namespace {

constexpr size_t kWindow = FileSender::kWindowBytes;

class FileSenderTest : public ::testing::Test {
 protected:
  explicit FileSenderTest(size_t size = 16000) : source_(std::string(size, 'd')) {}

  FileSender MakeSender() { return FileSender(source_, source_.data().size(), "notes.txt"); }

  // Accepts a connection and answers "rcfs" and "fine"; returns the first data's actions.
  TransferActions Start(FileSender& sender) {
    sender.Accept(now_);
    sender.SendComplete(now_);
    sender.Receive("rcfs", now_);
    sender.SendComplete(now_);
    return sender.Receive("fine", now_);
  }

  MemorySource source_;
  int64_t now_ = 0;
};

TEST_F(FileSenderTest, DialogueStatusesAndTheEndNamingTheFileAlone) {
  FileSender sender = MakeSender();
  TransferActions accepted = sender.Accept(now_);
  EXPECT_EQ(accepted.status, kStatusSendingInformation);
  EXPECT_EQ(accepted.send, "flsz:16000");
  EXPECT_TRUE(sender.Receive("fine", now_).send.empty()) << "no data before the name";
  sender.SendComplete(now_);
  TransferActions named = sender.Receive("rc", now_);
  EXPECT_TRUE(named.send.empty());
  named = sender.Receive("fs", now_);
  EXPECT_EQ(named.status, kStatusAwaitingName);
  EXPECT_EQ(named.send, "flnm:notes.txt");
  sender.SendComplete(now_);

  // The whole small file goes at once; nothing more until the socket has taken it.
  TransferActions data = sender.Receive("fine", now_);
  EXPECT_EQ(data.send, std::string(16000, 'd'));
  EXPECT_TRUE(sender.Receive("fine", now_).send.empty());
  EXPECT_FALSE(sender.Tick(now_ + 999).status.has_value());
  EXPECT_EQ(sender.Tick(now_ + 1000).status, "Sending... (0%) - 16kb per second");

  TransferActions done = sender.SendComplete(now_ + 1000);
  EXPECT_EQ(done.status, kStatusSendComplete);
  EXPECT_EQ(done.progress->value, 16000u);
  EXPECT_EQ(done.send, "ende:notes.txt");
  EXPECT_TRUE(done.close);
  EXPECT_EQ(done.outcome, TransferOutcome::kComplete);
  EXPECT_FALSE(sender.WakeAt().has_value());
  // Whoever connects afterwards is turned away.
  TransferActions late = sender.Accept(now_ + 3000);
  EXPECT_TRUE(late.close);
  EXPECT_TRUE(late.send.empty());
}

// Sizes around the window and the block: how the file is cut into sends, and when the end goes.
TEST(FileSenderSizesTest, SendsAreWholeBlocksUpToTheWindowAndTheEndFollowsTheLastByte) {
  struct Case {
    size_t size;
    std::vector<size_t> sends;  // data sends, each reported sent before the next is asked for
  };
  const std::vector<Case> cases = {
      {1, {1}},
      {kBlockSize, {kBlockSize}},
      {kBlockSize + 1, {kBlockSize + 1}},
      {kWindow, {kWindow}},
      {kWindow + 1, {kWindow, 1}},
      {2 * kWindow + kBlockSize - 1, {kWindow, kWindow, kBlockSize - 1}},
  };
  for (const Case& c : cases) {
    MemorySource source(std::string(c.size, 's'));
    FileSender sender(source, c.size, "f");
    sender.Accept(0);
    sender.SendComplete(0);
    sender.Receive("rcfs", 0);
    sender.SendComplete(0);
    std::vector<size_t> sends;
    TransferActions actions = sender.Receive("fine", 0);
    while (actions.outcome == TransferOutcome::kRunning && !actions.send.empty()) {
      sends.push_back(actions.send.size());
      actions = sender.SendComplete(0);
    }
    EXPECT_EQ(sends, c.sends) << "size " << c.size;
    EXPECT_EQ(actions.send, "ende:f") << "size " << c.size;
    EXPECT_EQ(actions.outcome, TransferOutcome::kComplete) << "size " << c.size;
  }
}

TEST(FileSenderSizesTest, ProgressFollowsTheClockAndCountsOnlyWhatTheSocketTook) {
  const size_t size = 4 * kWindow;
  MemorySource source(std::string(size, 'p'));
  FileSender sender(source, size, "p");
  sender.Accept(0);
  sender.SendComplete(0);
  sender.Receive("rcfs", 0);
  sender.SendComplete(0);
  sender.Receive("fine", 0);
  // Taken within the first quarter second: nothing shown yet.
  EXPECT_FALSE(sender.SendComplete(100).progress.has_value());
  ASSERT_EQ(sender.WakeAt(), kProgressIntervalMs);
  TransferActions shown = sender.SendComplete(kProgressIntervalMs);
  ASSERT_TRUE(shown.progress.has_value());
  EXPECT_EQ(shown.progress->value, 2 * kWindow);
  EXPECT_EQ(shown.progress->maximum, size);
  // A tick with nothing taken shows the same.
  EXPECT_EQ(sender.Tick(2 * kProgressIntervalMs).progress->value, 2 * kWindow);
  TransferActions rate = sender.Tick(kRateIntervalMs);
  EXPECT_EQ(rate.status,
            "Sending... (50%) - " + std::to_string(3 * kWindow / 1000) + "kb per second");
}

class SmallFileSenderTest : public FileSenderTest {
 protected:
  SmallFileSenderTest() : FileSenderTest(8001) {}
};

TEST_F(SmallFileSenderTest, ANewConnectionStartsOver) {
  FileSender sender = MakeSender();
  Start(sender);
  TransferActions again = sender.Accept(now_);
  EXPECT_EQ(again.send, "flsz:8001");
  EXPECT_EQ(again.progress->value, 0u);
  // The sends of the old connection are not waited for: the new one starts from the first byte.
  EXPECT_EQ(Start(sender).send, std::string(8001, 'd'));
}

TEST_F(SmallFileSenderTest, FailuresBreakTheTransfer) {
  FileSender closed = MakeSender();
  Start(closed);
  TransferActions broken = closed.Closed();
  EXPECT_EQ(broken.status, kStatusSendBroken);
  EXPECT_EQ(broken.outcome, TransferOutcome::kBroken);
  EXPECT_FALSE(broken.file_failed);

  FileSender unreadable = MakeSender();
  source_.Fail();
  TransferActions failed = Start(unreadable);
  EXPECT_EQ(failed.status, kStatusReadFailed);
  EXPECT_TRUE(failed.file_failed);
  EXPECT_TRUE(failed.send.empty());
  EXPECT_TRUE(failed.close);
}

TEST(FileSenderSizesTest, AFileThatShrankIsNotPaddedOut) {
  MemorySource source(std::string(kWindow + 10, 'd'));
  FileSender sender(source, kWindow + 10, "f");
  sender.Accept(0);
  sender.SendComplete(0);
  sender.Receive("rcfs", 0);
  sender.SendComplete(0);
  EXPECT_EQ(sender.Receive("fine", 0).send.size(), kWindow);
  source.data().resize(kWindow + 5);
  TransferActions short_read = sender.SendComplete(0);
  EXPECT_EQ(short_read.status, kStatusReadFailed);
  EXPECT_TRUE(short_read.file_failed);
  EXPECT_TRUE(short_read.send.empty());
}

class EmptyFileSenderTest : public FileSenderTest {
 protected:
  EmptyFileSenderTest() : FileSenderTest(0) {}
};

TEST_F(EmptyFileSenderTest, AnEmptyFileCompletesAtOnce) {
  FileSender sender = MakeSender();
  EXPECT_EQ(sender.Accept(now_).send, "flsz:0");
  TransferActions done = Start(sender);
  EXPECT_EQ(done.send, "ende:notes.txt");
  EXPECT_EQ(done.status, kStatusSendComplete);
  EXPECT_EQ(source_.reads(), 0);
}

TEST_F(FileSenderTest, CancelTurnsAwayLaterConnections) {
  FileSender sender = MakeSender();
  EXPECT_TRUE(sender.Cancel().close);
  EXPECT_EQ(sender.Outcome(), TransferOutcome::kCancelled);
  EXPECT_TRUE(sender.Accept(now_).close);
}

}  // namespace
}  // namespace quillon::transfer
