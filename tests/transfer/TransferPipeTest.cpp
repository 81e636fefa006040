// A sender and a receiver joined by a pipe that behaves as a socket may: it takes each send into a
// buffer of its own, moves bytes onto the wire a random piece at a time (short writes) and reports
// a send complete once its last byte is on the wire; the wire holds only so much; the receiver
// reads it now and then (sometimes slowly), in pieces that split and join the sends. Every run
// must move the file exactly, whatever the cuts, with many blocks in flight.
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
  uint64_t max_data_in_flight = 0;  // file bytes handed over and not yet reported sent
};

class Pipe {
 public:
  Pipe(const std::string& file, uint32_t seed)
      : source_(file), sender_(source_, file.size(), "data.bin"), rng_(seed) {
    // Some runs read slowly: the receiver reads seldom and little.
    slow_reader_ = seed % 3 == 0;
  }

  RunResult Run() {
    ApplyReceiver(receiver_.Connect(now_));
    ApplySender(sender_.Accept(now_));
    ApplyReceiver(receiver_.Connected(now_));
    for (int step = 0; step < 2000000 && !Finished(); ++step) Step();
    result_.sender_outcome = sender_.Outcome();
    result_.receiver_outcome = receiver_.Outcome();
    return result_;
  }

 private:
  bool Finished() const {
    return sender_.Outcome() != TransferOutcome::kRunning &&
           receiver_.Outcome() != TransferOutcome::kRunning && socket_.empty() &&
           to_receiver_.empty() && to_sender_.empty();
  }

  // The wire holds this much; the socket keeps the rest until there is room.
  static constexpr size_t kWireBytes = 300000;

  void Step() {
    switch (rng_() % 6) {
      case 0:
      case 1:
        if (slow_reader_ && rng_() % 4 != 0) break;
        if (!to_receiver_.empty()) {
          const std::string piece = Cut(to_receiver_);
          ApplyReceiver(receiver_.Receive(piece, now_));
        } else if (sender_closed_ && socket_.empty() && !receiver_closed_) {
          receiver_closed_ = true;
          ApplyReceiver(receiver_.Closed());
        }
        break;
      case 2:
        if (!to_sender_.empty()) ApplySender(sender_.Receive(Cut(to_sender_), now_));
        break;
      case 3:
        // A short write: a random piece of what the socket holds goes onto the wire, as far as
        // the wire has room; each send whose last byte has gone is reported complete.
        if (!socket_.empty() && to_receiver_.size() < kWireBytes) {
          const size_t room = kWireBytes - to_receiver_.size();
          const size_t count = std::min<size_t>(1 + rng_() % room, socket_.size());
          to_receiver_.append(socket_, 0, count);
          socket_.erase(0, count);
          written_ += count;
        }
        while (!send_ends_.empty() && send_ends_.front() <= written_) {
          send_ends_.erase(send_ends_.begin());
          data_in_flight_ -= data_sizes_.front();
          data_sizes_.erase(data_sizes_.begin());
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
      socket_ += actions.send;
      queued_ += actions.send.size();
      send_ends_.push_back(queued_);
      // File data follows the name in one send when "rcfs" and "fine" came joined.
      std::string_view data_part = actions.send;
      if (data_part.starts_with("flsz:") || data_part == "ende:data.bin") data_part = {};
      if (data_part.starts_with("flnm:data.bin")) data_part.remove_prefix(13);
      const uint64_t data = data_part.size();
      data_sizes_.push_back(data);
      data_in_flight_ += data;
      result_.max_data_in_flight = std::max(result_.max_data_in_flight, data_in_flight_);
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
  std::string socket_;       // handed to the socket, not yet on the wire
  std::string to_receiver_;  // on the wire
  std::string to_sender_;
  uint64_t queued_ = 0;   // bytes handed to the socket
  uint64_t written_ = 0;  // of those, bytes on the wire
  std::vector<uint64_t> send_ends_;
  std::vector<uint64_t> data_sizes_;
  uint64_t data_in_flight_ = 0;
  bool slow_reader_ = false;
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
  const size_t window = FileSender::kWindowBytes;
  std::vector<std::string> files;
  for (size_t size : {size_t{0}, size_t{1}, size_t{7999}, size_t{8000}, size_t{8001}, size_t{40123},
                      window + 1, 3 * window + 4321}) {
    files.push_back(FileOfSize(size, 5));
  }
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
      // Never more than the window handed over unreported, and for a large file, many blocks.
      EXPECT_LE(result.max_data_in_flight, window);
      if (file.size() > window) {
        EXPECT_GT(result.max_data_in_flight, 8 * kBlockSize);
      }
    }
  }
}

}  // namespace
}  // namespace quillon::transfer
