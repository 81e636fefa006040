#pragma once
// The receiver's side of the transfer dialogue: read the size and answer "rcfs", read the name
// and ask the user where to save, answer "fine", then count exactly the announced number of bytes
// into the file. It does no I/O; see TransferActions for what the driving window does. Every
// delivery of data is written as it came, in one piece; progress and rate are shown on a clock, a
// few times a second, however many deliveries there are.
//
// Calls: Connect when the user starts connecting; Connected when the connection is made; Receive
// with every delivery of bytes; SaveOpened or SaveFailed after an ask_save_name action;
// WriteFailed when the file refuses bytes; Tick from the window's timer, at least once a second
// and best at WakeAt; Closed when the connection closes or fails; Cancel when the user ends the
// transfer. Each `now_ms` is a monotonic clock in milliseconds.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "transfer/ProgressClock.h"
#include "transfer/TransferActions.h"
#include "transfer/TransferMachine.h"
#include "transfer/TransferStatus.h"

namespace quillon::transfer {

class FileReceiver : public TransferMachine<FileReceiver> {
 public:
  TransferActions Connect(int64_t now_ms);
  TransferActions Connected(int64_t now_ms);
  TransferActions Receive(std::string_view bytes, int64_t now_ms);
  TransferActions SaveOpened(int64_t now_ms);
  // `status` says why, where the window knows more than that the file failed (a full disk).
  TransferActions SaveFailed(std::string_view status = kStatusSaveFailed);
  TransferActions WriteFailed(std::string_view status = kStatusWriteFailed);
  TransferActions Tick(int64_t now_ms);
  TransferActions Closed();
  using TransferMachine::Cancel;

  // When the next Tick is due, if one is.
  std::optional<int64_t> WakeAt() const;
  using TransferMachine::Outcome;
  // The size the sender announced, once read.
  uint64_t FileSize() const { return file_size_; }

 private:
  friend class TransferMachine<FileReceiver>;

  enum class State {
    kIdle,
    kConnecting,
    kAwaitingSize,
    kAwaitingName,
    kAwaitingSave,
    kReceiving,
    kComplete,
    kBroken,
    kCancelled,
  };

  TransferActions Begin() {
    outbox_.clear();
    return {};
  }
  // A message half read is forgotten: no quiet wait follows a cancel.
  void OnCancel() { message_.clear(); }
  TransferActions& Finish(TransferActions& actions);
  void TakeMessageBytes(std::string_view bytes, int64_t now_ms, TransferActions& actions);
  void EndQuietMessage(int64_t now_ms, TransferActions& actions);
  void ReadSize(TransferActions& actions);
  void ReadName(TransferActions& actions);
  void TakeData(std::string_view bytes, int64_t now_ms, TransferActions& actions);
  // The progress and rate texts, when their time has come.
  void Complete(TransferActions& actions);
  void Break(TransferActions& actions, std::string_view status);

  State state_ = State::kIdle;
  std::string message_;  // the size or name message read so far
  int64_t last_arrival_ms_ = 0;
  uint64_t file_size_ = 0;
  uint64_t received_ = 0;
  ProgressClock progress_clock_;
  std::string outbox_;  // the bytes of this call's send action
};

}  // namespace quillon::transfer
