#include <gtest/gtest.h>

#include "MemorySource.h"
#include "transfer/FileSender.h"
#include "transfer/TransferStatus.h"

namespace quillon::transfer {
namespace {

class FileSenderTest : public ::testing::Test {
 protected:
  explicit FileSenderTest(size_t size = 16000) : source_(std::string(size, 'd')) {}

  FileSender MakeSender() {
    return FileSender(source_, source_.data().size(), "notes.txt", "C:\\docs\\notes.txt");
  }

  // Accepts a connection and answers "rcfs" and "fine"; returns the first block's actions.
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

TEST_F(FileSenderTest, DialogueStatusesAndBlocksOneAtATime) {
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

  TransferActions first = sender.Receive("fine", now_);
  EXPECT_EQ(first.send, std::string(8000, 'd'));
  // Nothing more until the socket has taken the block.
  EXPECT_TRUE(sender.Receive("fine", now_).send.empty());
  EXPECT_TRUE(sender.Tick(now_ + 999).send.empty());
  EXPECT_EQ(sender.Tick(now_ + 1000).status, "Sending... (0%) - 8kb per second");
  TransferActions second = sender.SendComplete(now_ + 1000);
  EXPECT_EQ(second.send.size(), 8000u);
  EXPECT_EQ(second.progress->value, 8000u);
  EXPECT_EQ(sender.Tick(now_ + 2000).status, "Sending... (50%) - 8kb per second");

  // After the second block of a 16000-byte file it is complete.
  TransferActions done = sender.SendComplete(now_ + 2000);
  EXPECT_EQ(done.status, kStatusSendComplete);
  EXPECT_EQ(done.send, "ende:C:\\docs\\notes.txt");
  EXPECT_TRUE(done.close);
  EXPECT_EQ(done.outcome, TransferOutcome::kComplete);
  EXPECT_FALSE(sender.WakeAt().has_value());
  // Whoever connects afterwards is turned away.
  TransferActions late = sender.Accept(now_ + 3000);
  EXPECT_TRUE(late.close);
  EXPECT_TRUE(late.send.empty());
}

class SmallFileSenderTest : public FileSenderTest {
 protected:
  SmallFileSenderTest() : FileSenderTest(8001) {}
};

TEST_F(SmallFileSenderTest, LastBlockIsWhatRemains) {
  FileSender sender = MakeSender();
  EXPECT_EQ(Start(sender).send.size(), 8000u);
  TransferActions last = sender.SendComplete(now_);
  EXPECT_EQ(last.send, "d");
  EXPECT_EQ(sender.SendComplete(now_).status, kStatusSendComplete);
}

TEST_F(SmallFileSenderTest, ANewConnectionStartsOver) {
  FileSender sender = MakeSender();
  Start(sender);
  sender.SendComplete(now_);
  TransferActions again = sender.Accept(now_);
  EXPECT_EQ(again.send, "flsz:8001");
  EXPECT_EQ(again.progress->value, 0u);
  EXPECT_EQ(Start(sender).send.size(), 8000u);
}

TEST_F(SmallFileSenderTest, FailuresBreakTheTransfer) {
  FileSender closed = MakeSender();
  Start(closed);
  TransferActions broken = closed.Closed();
  EXPECT_EQ(broken.status, kStatusSendBroken);
  EXPECT_EQ(broken.outcome, TransferOutcome::kBroken);

  FileSender unreadable = MakeSender();
  source_.Fail();
  TransferActions failed = Start(unreadable);
  EXPECT_EQ(failed.status, kStatusReadFailed);
  EXPECT_TRUE(failed.send.empty());
  EXPECT_TRUE(failed.close);
}

TEST_F(SmallFileSenderTest, AFileThatShrankIsNotPaddedOut) {
  FileSender sender = MakeSender();
  source_.data().resize(8000);
  Start(sender);
  TransferActions short_read = sender.SendComplete(now_);
  EXPECT_EQ(short_read.status, kStatusReadFailed);
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
  EXPECT_EQ(done.send, "ende:C:\\docs\\notes.txt");
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
