#include <gtest/gtest.h>

#include <functional>
#include <vector>

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

// Every state of the receiver against every event: what it answers, whether it writes, closes
// or asks, and the state it ends in. A state is reached by the dialogue a sender would hold.
TEST(FileReceiverStateTest, EachStateAnswersEachEventAsTheDialogueAllows) {
  enum class At { kIdle, kConnecting, kSize, kName, kSave, kData, kComplete, kBroken, kCancelled };
  auto reach = [](FileReceiver& r, At at) {
    if (at == At::kIdle) return;
    r.Connect(0);
    if (at == At::kConnecting) return;
    r.Connected(0);
    if (at == At::kSize) return;
    if (at == At::kBroken) {
      r.Closed();
      return;
    }
    if (at == At::kCancelled) {
      r.Cancel();
      return;
    }
    r.Receive("flsz:10", 0);
    r.Tick(kQuiet);
    if (at == At::kName) return;
    r.Receive("flnm:a", kQuiet);
    r.Tick(2 * kQuiet);
    if (at == At::kSave) return;
    r.SaveOpened(2 * kQuiet);
    if (at == At::kData) return;
    r.Receive("0123456789", 2 * kQuiet);
  };
  using O = TransferOutcome;
  struct Event {
    const char* name;
    std::function<TransferActions(FileReceiver&)> run;
  };
  const std::vector<Event> events = {
      {"data", [](FileReceiver& r) { return r.Receive("abc", 3 * kQuiet); }},
      {"closed", [](FileReceiver& r) { return r.Closed(); }},
      {"cancel", [](FileReceiver& r) { return r.Cancel(); }},
      {"save opened", [](FileReceiver& r) { return r.SaveOpened(3 * kQuiet); }},
      {"write failed", [](FileReceiver& r) { return r.WriteFailed(); }},
  };
  // Per state, per event: the outcome after it, then what it did ("w" wrote, "c" closed, "s"
  // sent, "f" a file failure), as one short text.
  struct Row {
    At at;
    const char* name;
    std::vector<std::pair<O, std::string>> after;
  };
  const std::vector<Row> rows = {
      {At::kIdle,
       "idle",
       {{O::kRunning, ""},
        {O::kRunning, ""},
        {O::kCancelled, "c"},
        {O::kRunning, ""},
        {O::kRunning, ""}}},
      {At::kConnecting,
       "connecting",
       {{O::kBroken, "c"},
        {O::kBroken, ""},
        {O::kCancelled, "c"},
        {O::kRunning, ""},
        {O::kRunning, ""}}},
      {At::kSize,
       "awaiting size",
       {{O::kBroken, "c"},
        {O::kBroken, ""},
        {O::kCancelled, "c"},
        {O::kRunning, ""},
        {O::kRunning, ""}}},
      {At::kName,
       "awaiting name",
       {{O::kBroken, "c"},
        {O::kBroken, ""},
        {O::kCancelled, "c"},
        {O::kRunning, ""},
        {O::kRunning, ""}}},
      {At::kSave,
       "awaiting save",
       {{O::kBroken, "c"},
        {O::kBroken, ""},
        {O::kCancelled, "c"},
        {O::kRunning, "s"},
        {O::kRunning, ""}}},
      {At::kData,
       "receiving",
       {{O::kRunning, "w"},
        {O::kBroken, ""},
        {O::kCancelled, "c"},
        {O::kRunning, ""},
        {O::kBroken, "cf"}}},
      {At::kComplete,
       "complete",
       {{O::kComplete, ""},
        {O::kComplete, ""},
        {O::kComplete, "c"},
        {O::kComplete, ""},
        {O::kComplete, ""}}},
      {At::kBroken,
       "broken",
       {{O::kBroken, ""},
        {O::kBroken, ""},
        {O::kCancelled, "c"},
        {O::kBroken, ""},
        {O::kBroken, ""}}},
      {At::kCancelled,
       "cancelled",
       {{O::kCancelled, ""},
        {O::kCancelled, ""},
        {O::kCancelled, "c"},
        {O::kCancelled, ""},
        {O::kCancelled, ""}}},
  };
  for (const Row& row : rows) {
    for (size_t e = 0; e < events.size(); ++e) {
      FileReceiver receiver;
      reach(receiver, row.at);
      const TransferActions actions = events[e].run(receiver);
      std::string did;
      if (!actions.write.empty()) did += "w";
      if (actions.close) did += "c";
      if (!actions.send.empty()) did += "s";
      if (actions.file_failed) did += "f";
      EXPECT_EQ(actions.outcome, row.after[e].first) << row.name << " / " << events[e].name;
      EXPECT_EQ(did, row.after[e].second) << row.name << " / " << events[e].name;
    }
  }
}

// Large deliveries are written whole, as they came; the window is told the progress a few times
// a second and the rate once a second, not at every delivery.
TEST_F(ReceivingTest, ProgressIsShownOnAClockNotPerDelivery) {
  Open("10000000");
  const std::string delivery(250000, 'd');
  int shown = 0;
  for (int i = 0; i < 20; ++i) {
    TransferActions actions = receiver_.Receive(delivery, now_ + i * 10);
    EXPECT_EQ(actions.write.size(), delivery.size());
    if (actions.progress) ++shown;
  }
  EXPECT_EQ(shown, 0) << "within the first quarter second";
  TransferActions later = receiver_.Receive(delivery, now_ + kProgressIntervalMs);
  ASSERT_TRUE(later.progress.has_value());
  EXPECT_EQ(later.progress->value, 21u * 250000);
  EXPECT_FALSE(later.status.has_value());
  TransferActions second = receiver_.Receive(delivery, now_ + kRateIntervalMs);
  EXPECT_EQ(second.status, "Receiving... (55%) - 5500kb per second");
}

}  // namespace
}  // namespace quillon::transfer
