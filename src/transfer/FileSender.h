#pragma once
// The sender's side of the transfer dialogue, from the moment a receiver connects: announce the
// size, answer with the name, then send the file block by block with one block outstanding, and
// end with "ende:". It does no I/O; see TransferActions for what the driving window does.
//
// Calls: Accept when a receiver's connection has been accepted (a later one replaces the current
// connection and starts over); Receive with every delivery of bytes; SendComplete when the socket
// has taken the bytes of a send action; Tick from the window's timer, at least once a second and
// best at WakeAt; Closed when the connection closes or fails; Cancel when the user ends the
// transfer. Each `now_ms` is a monotonic clock in milliseconds.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "transfer/FileSource.h"
#include "transfer/TransferActions.h"

namespace quillon::transfer {

class FileSender {
 public:
  // `short_name` (offered to the receiver) and `file_path` (sent after the data, as receivers
  // expect) are UTF-8. `source` must outlive the sender.
  FileSender(FileSource& source, uint64_t file_size, std::string short_name, std::string file_path);

  TransferActions Accept(int64_t now_ms);
  TransferActions Receive(std::string_view bytes, int64_t now_ms);
  TransferActions SendComplete(int64_t now_ms);
  TransferActions Tick(int64_t now_ms);
  TransferActions Closed();
  TransferActions Cancel();

  // When the next Tick is due, if one is.
  std::optional<int64_t> WakeAt() const;
  TransferOutcome Outcome() const;

 private:
  enum class State {
    kListening,
    kAwaitingSizeRead,
    kAwaitingReady,
    kSending,
    kComplete,
    kBroken,
    kCancelled,
  };

  TransferActions Begin();
  TransferActions& Finish(TransferActions& actions);
  void ReadAnswers(TransferActions& actions, int64_t now_ms);
  void SendNextBlock(TransferActions& actions);
  void Complete(TransferActions& actions);
  void Break(TransferActions& actions, std::string_view status);

  FileSource& source_;
  const uint64_t file_size_;
  const std::string short_name_;  // Windows-1252
  const std::string file_path_;   // Windows-1252

  State state_ = State::kListening;
  std::string answers_;  // the receiver's bytes not yet matched to an answer
  std::string outbox_;   // the bytes of this call's send action
  int pending_sends_ = 0;
  bool block_outstanding_ = false;
  uint64_t offset_ = 0;    // bytes read from the file and handed to the socket
  uint64_t progress_ = 0;  // bytes the socket has reported as sent
  uint64_t bytes_this_tick_ = 0;
  int64_t next_rate_at_ = 0;
};

}  // namespace quillon::transfer
