#include <gtest/gtest.h>

#include "transfer/FileReceiver.h"
#include "transfer/Protocol.h"
#include "transfer/TransferStatus.h"

namespace quillon::transfer {
namespace {

constexpr int64_t kQuiet = kMessageQuietMs;

// A receiver that has been told the size and name and has opened its output file.
class ReceivingTest : public ::testing::Test {
 protected:
  // Runs the dialogue up to "fine" for a file of `size` bytes; returns what SaveOpened did.
  TransferActions Open(std::string_view size_text) {
    receiver_.Connect(now_);
    receiver_.Connected(now_);
    receiver_.Receive("flsz:" + std::string(size_text), now_);
    now_ += kQuiet;
    EXPECT_EQ(receiver_.Tick(now_).send, "rcfs");
    receiver_.Receive("flnm:a.bin", now_);
    now_ += kQuiet;
    EXPECT_EQ(receiver_.Tick(now_).ask_save_name, "a.bin");
    TransferActions opened = receiver_.SaveOpened(now_);
    EXPECT_EQ(opened.send, "fine");
    return opened;
  }

  // Feeds deliveries and returns the bytes the receiver wrote.
  std::string Feed(std::initializer_list<std::string> deliveries) {
    std::string written;
    for (const auto& delivery : deliveries) written += receiver_.Receive(delivery, now_).write;
    return written;
  }

  FileReceiver receiver_;
  int64_t now_ = 1000;
};

TEST_F(ReceivingTest, StatusesOfAWholeTransferInOrder) {
  EXPECT_EQ(receiver_.Connect(now_).status, kStatusConnecting);
  EXPECT_EQ(receiver_.Connected(now_).status, kStatusConnected);
  EXPECT_TRUE(receiver_.Receive("flsz:20000", now_).send.empty());
  // The size is complete only once its bytes have stopped for a moment.
  EXPECT_TRUE(receiver_.Tick(now_ + kQuiet - 1).send.empty());
  TransferActions size_read = receiver_.Tick(now_ + kQuiet);
  EXPECT_EQ(size_read.send, "rcfs");
  EXPECT_EQ(size_read.progress->maximum, 20000u);
  now_ += kQuiet;
  receiver_.Receive("flnm:", now_);
  receiver_.Receive("notes.txt", now_ + 5);
  now_ += 5 + kQuiet;
  EXPECT_EQ(receiver_.WakeAt(), now_);
  EXPECT_EQ(receiver_.Tick(now_).ask_save_name, "notes.txt");
  EXPECT_EQ(receiver_.SaveOpened(now_).send, "fine");
  EXPECT_EQ(Feed({std::string(8000, 'a')}).size(), 8000u);
  EXPECT_EQ(receiver_.Tick(now_ + 1000).status, "Receiving... (40%) - 8kb per second");
  EXPECT_EQ(receiver_.Tick(now_ + 2000).status, "Receiving... (40%) - 0kb per second");
  receiver_.Receive(std::string(8000, 'b'), now_);
  // The file is complete when the count is reached, before "ende:" arrives.
  TransferActions last = receiver_.Receive(std::string(4000, 'c'), now_);
  EXPECT_EQ(last.status, kStatusReceived);
  EXPECT_EQ(last.outcome, TransferOutcome::kComplete);
  EXPECT_FALSE(last.close);
  EXPECT_TRUE(receiver_.Receive("ende:C:\\x\\notes.txt", now_).write.empty());
  EXPECT_FALSE(receiver_.Closed().status.has_value());
  EXPECT_EQ(receiver_.Outcome(), TransferOutcome::kComplete);
}

// Blocks that begin like the sender's messages are data all the same, and the "ende:" joined to
// the last block is not.
TEST_F(ReceivingTest, DataThatLooksLikeMessagesIsStillData) {
  Open("15");
  EXPECT_EQ(Feed({"ende:", "flsz:9flnm:x", "ende:/path"}), "ende:flsz:9flnm");
  EXPECT_EQ(receiver_.Outcome(), TransferOutcome::kComplete);
}

TEST_F(ReceivingTest, AnEmptyFileIsCompleteAtOnceAndFull) {
  TransferActions opened = Open("0");
  EXPECT_EQ(opened.status, kStatusReceived);
  EXPECT_EQ(opened.progress->maximum, 0u);
  EXPECT_EQ(opened.outcome, TransferOutcome::kComplete);
  EXPECT_EQ(Feed({"ende:x"}), "");
}

TEST_F(ReceivingTest, EarlyCloseAndFailuresBreakWithAReason) {
  Open("100");
  Feed({std::string(40, 'x')});
  TransferActions closed = receiver_.Closed();
  EXPECT_EQ(closed.status, kStatusReceiveBroken);
  EXPECT_EQ(closed.outcome, TransferOutcome::kBroken);
  EXPECT_EQ(Feed({std::string(60, 'x')}), "");

  FileReceiver never_connected;
  never_connected.Connect(0);
  EXPECT_EQ(never_connected.Closed().status, kStatusConnectFailed);

  FileReceiver disk_full;
  disk_full.Connect(0);
  disk_full.Receive("flsz:5", 0);
  disk_full.Receive("flnm:a", kQuiet);
  disk_full.Tick(2 * kQuiet);
  TransferActions failed = disk_full.SaveFailed();
  EXPECT_EQ(failed.status, kStatusSaveFailed);
  EXPECT_TRUE(failed.close);
}

// Each case runs the dialogue with hostile bytes from the sender; none may get as far as asking
// where to save, and each is refused with its reason and the connection closed.
TEST(FileReceiverTest, RefusesBadSizesWrongOrderAndHugeNames) {
  struct Case {
    std::vector<std::string> deliveries;
    std::string_view status;
  };
  const std::string huge_name = "flnm:" + std::string(kMaxOfferedName + 1, 'n');
  const Case cases[] = {
      {{"flsz:"}, kStatusBadSize},
      {{"flsz:-5"}, kStatusBadSize},
      {{"flsz:12a"}, kStatusBadSize},
      {{"flsz: 12"}, kStatusBadSize},
      {{"flsz:12.5"}, kStatusBadSize},
      {{"flsz:00000000000000000001"}, kStatusBadSize},  // 20 digits
      {{"flsz:9223372036854775808"}, kStatusBadSize},   // one past the largest signed size
      {{"flsz:9999999999999999999"}, kStatusBadSize},
      {{"flnm:x.txt"}, kStatusProtocolError},
      {{"ende:C:\\x"}, kStatusProtocolError},
      {{"raw file data"}, kStatusProtocolError},
      {{"fl"}, kStatusProtocolError},
      {{"flsz:10", "flsz:10"}, kStatusProtocolError},
      {{"flsz:10", huge_name}, kStatusBadName},
      {{"flsz:10", "flnm:a", "early data"}, kStatusProtocolError},
  };
  for (const auto& c : cases) {
    FileReceiver receiver;
    receiver.Connect(0);
    receiver.Connected(0);
    int64_t now = 0;
    TransferActions last;
    for (const auto& delivery : c.deliveries) {
      last = receiver.Receive(delivery, now);
      if (last.outcome != TransferOutcome::kRunning) break;
      now += kQuiet;
    }
    if (last.outcome == TransferOutcome::kRunning) last = receiver.Tick(now + kQuiet);
    EXPECT_EQ(last.status, c.status) << c.deliveries.back();
    EXPECT_TRUE(last.close) << c.deliveries.back();
    EXPECT_FALSE(last.ask_save_name.has_value()) << c.deliveries.back();
    EXPECT_EQ(receiver.Outcome(), TransferOutcome::kBroken) << c.deliveries.back();
  }
}

TEST(FileReceiverTest, TakesTheLargestSizeAndAPlainNameFromAHostileOne) {
  FileReceiver receiver;
  receiver.Connect(0);
  receiver.Receive("flsz:9223372036854775807", 0);
  EXPECT_EQ(receiver.Tick(kQuiet).send, "rcfs");
  EXPECT_EQ(receiver.FileSize(), 9223372036854775807u);
  // The name arrives as Windows-1252 bytes: 0xE9 is "é".
  receiver.Receive("flnm:..\\..\\Windows\\caf\xe9.exe", kQuiet);
  EXPECT_EQ(receiver.Tick(2 * kQuiet).ask_save_name, "caf\u00e9.exe");
}

TEST(FileReceiverTest, CancelEndsItAndClosesTheConnection) {
  FileReceiver receiver;
  receiver.Connect(0);
  receiver.Receive("flsz:10", 0);
  TransferActions cancelled = receiver.Cancel();
  EXPECT_TRUE(cancelled.close);
  EXPECT_EQ(cancelled.outcome, TransferOutcome::kCancelled);
  EXPECT_FALSE(receiver.Tick(kQuiet).send.size());
}

}  // namespace
}  // namespace quillon::transfer
