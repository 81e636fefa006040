// A sender and a receiver joined by a pipe that cuts and joins the byte stream at random points
// and reports sends as complete at random moments, as TCP may. Every run must move the file
// exactly, whatever the cuts.
#include <gtest/gtest.h>

#include <random>

#include "MemorySource.h"
#include "transfer/FileReceiver.h"
#include "transfer/FileSender.h"
#include "transfer/Protocol.h"
#include "transfer/TransferStatus.h"

namespace quillon::transfer {
namespace {

struct RunResult {
  std::string written;
  TransferOutcome sender_outcome = TransferOutcome::kRunning;
  TransferOutcome receiver_outcome = TransferOutcome::kRunning;
  std::string sender_status;
  std::string receiver_status;
  std::string offered_name;
  int max_blocks_in_flight = 0;
};

class Pipe {
 public:
  Pipe(const std::string& file, uint32_t seed)
      : source_(file), sender_(source_, file.size(), "data.bin", "C:\\data.bin"), rng_(seed) {}

  RunResult Run() {
    ApplyReceiver(receiver_.Connect(now_));
    ApplySender(sender_.Accept(now_));
    ApplyReceiver(receiver_.Connected(now_));
    for (int step = 0; step < 200000 && !Finished(); ++step) Step();
    result_.sender_outcome = sender_.Outcome();
    result_.receiver_outcome = receiver_.Outcome();
    return result_;
  }

 private:
  bool Finished() const {
    return sender_.Outcome() != TransferOutcome::kRunning &&
           receiver_.Outcome() != TransferOutcome::kRunning && to_receiver_.empty() &&
           to_sender_.empty();
  }

  void Step() {
    switch (rng_() % 6) {
      case 0:
      case 1:
        if (!to_receiver_.empty()) {
          const std::string piece = Cut(to_receiver_);
          ApplyReceiver(receiver_.Receive(piece, now_));
        } else if (sender_closed_ && !receiver_closed_) {
          receiver_closed_ = true;
          ApplyReceiver(receiver_.Closed());
        }
        break;
      case 2:
        if (!to_sender_.empty()) ApplySender(sender_.Receive(Cut(to_sender_), now_));
        break;
      case 3:
        if (unreported_sends_ > 0) {
          --unreported_sends_;
          // The socket has taken the bytes; they may still be on their way.
          blocks_in_flight_ = 0;
          ApplySender(sender_.SendComplete(now_));
        }
        break;
      case 4:
        if (asked_) {
          asked_ = false;
          ApplyReceiver(receiver_.SaveOpened(now_));
        }
        break;
      default:
        // Time moves on only while nothing is in flight to the receiver, as the pieces of one
        // send arrive together in practice.
        if (to_receiver_.empty()) {
          now_ += rng_() % 1200;
          ApplySender(sender_.Tick(now_));
          ApplyReceiver(receiver_.Tick(now_));
        }
        break;
    }
  }

  // Takes a random prefix of the bytes in flight: any split, and joins of whatever was queued.
  std::string Cut(std::string& queue) {
    const size_t count =
        1 + rng_() % (rng_() % 2 ? queue.size() : std::min<size_t>(queue.size(), 7));
    std::string piece = queue.substr(0, count);
    queue.erase(0, count);
    return piece;
  }

  void ApplySender(const TransferActions& actions) {
    if (!actions.send.empty()) {
      to_receiver_ += actions.send;
      ++unreported_sends_;
      if (actions.status != kStatusSendingInformation && actions.status != kStatusAwaitingName &&
          actions.status != kStatusSendComplete) {
        result_.max_blocks_in_flight = std::max(result_.max_blocks_in_flight, ++blocks_in_flight_);
      }
    }
    if (actions.status) result_.sender_status = *actions.status;
    if (actions.close) sender_closed_ = true;
  }

  void ApplyReceiver(const TransferActions& actions) {
    result_.written += actions.write;
    to_sender_ += actions.send;
    if (actions.status) result_.receiver_status = *actions.status;
    if (actions.ask_save_name) {
      result_.offered_name = *actions.ask_save_name;
      asked_ = true;
    }
  }

  MemorySource source_;
  FileSender sender_;
  FileReceiver receiver_;
  std::mt19937 rng_;
  int64_t now_ = 0;
  std::string to_receiver_;
  std::string to_sender_;
  int unreported_sends_ = 0;
  int blocks_in_flight_ = 0;
  bool asked_ = false;
  bool sender_closed_ = false;
  bool receiver_closed_ = false;
  RunResult result_;
};

std::string FileOfSize(size_t size, uint32_t seed) {
  std::mt19937 rng(seed);
  std::string file(size, '\0');
  for (auto& c : file) c = static_cast<char>(rng());
  return file;
}

// Blocks that begin with the sender's own message heads, and a last block that is one.
std::string FileOfMessageHeads() {
  std::string file = "ende:" + std::string(kBlockSize - 5, 'a');
  file += "flsz:" + std::string(kBlockSize - 5, 'b');
  file += "flnm:" + std::string(kBlockSize - 5, 'c');
  file += "ende:";
  return file;
}

TEST(TransferPipeTest, EveryCutOfTheStreamMovesTheFileExactly) {
  std::vector<std::string> files;
  for (size_t size : {0, 1, 7999, 8000, 8001, 16000, 40123}) files.push_back(FileOfSize(size, 5));
  files.push_back(FileOfMessageHeads());
  for (const std::string& file : files) {
    for (uint32_t seed = 1; seed <= 25; ++seed) {
      const RunResult result = Pipe(file, seed).Run();
      ASSERT_EQ(result.sender_outcome, TransferOutcome::kComplete)
          << "size " << file.size() << " seed " << seed << ": " << result.sender_status;
      ASSERT_EQ(result.receiver_outcome, TransferOutcome::kComplete)
          << "size " << file.size() << " seed " << seed << ": " << result.receiver_status;
      ASSERT_TRUE(result.written == file) << "size " << file.size() << " seed " << seed;
      EXPECT_EQ(result.sender_status, kStatusSendComplete);
      EXPECT_EQ(result.receiver_status, kStatusReceived);
      EXPECT_EQ(result.offered_name, "data.bin");
      EXPECT_LE(result.max_blocks_in_flight, 1);
    }
  }
}

}  // namespace
}  // namespace quillon::transfer
