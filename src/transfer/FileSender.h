#pragma once
// The sender's side of the transfer dialogue, from the moment a receiver connects: announce the
// size, answer with the name, then stream the file and end with "ende:". It does no I/O; see
// TransferActions for what the driving window does.
//
// The data goes out as fast as the connection takes it: each send carries many blocks read at
// once, and the next is read and handed over as soon as the socket has taken the one before, so
// the socket's buffer never runs dry while the file is read. The receiver sees the same bytes in
// the same order as from a sender that hands over one block at a time.
//
// Calls: Accept when a receiver's connection has been accepted (a later one replaces the current
// connection and starts over); Receive with every delivery of bytes; SendComplete when the socket
// has taken the bytes of a send action (once per send, in order); Tick from the window's timer,
// best at WakeAt; Closed when the connection closes or fails; Cancel when the user ends the
// transfer. Each `now_ms` is a monotonic clock in milliseconds.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "transfer/FileSource.h"
#include "transfer/ProgressClock.h"
#include "transfer/Protocol.h"
#include "transfer/TransferActions.h"
#include "transfer/TransferMachine.h"

namespace quillon::transfer {

class FileSender : public TransferMachine<FileSender> {
 public:
  // The most file bytes handed to the socket and not yet reported sent; a send carries up to
  // this many, in whole blocks (the last block of the file is what remains). Enough to keep a
  // fast connection busy while the next bytes are read, and small enough to keep memory flat.
  static constexpr size_t kWindowBytes = 64 * kBlockSize;

  // `short_name` (offered to the receiver, and named again after the data) is UTF-8. `source`
  // must outlive the sender.
  FileSender(FileSource& source, uint64_t file_size, std::string short_name);

  TransferActions Accept(int64_t now_ms);
  TransferActions Receive(std::string_view bytes, int64_t now_ms);
  TransferActions SendComplete(int64_t now_ms);
  TransferActions Tick(int64_t now_ms);
  TransferActions Closed();
  using TransferMachine::Cancel;

  // When the next Tick is due, if one is.
  std::optional<int64_t> WakeAt() const;
  using TransferMachine::Outcome;

 private:
  friend class TransferMachine<FileSender>;

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
  void OnCancel() {}
  TransferActions& Finish(TransferActions& actions);
  void ReadAnswers(TransferActions& actions, int64_t now_ms);
  // Reads and queues file data up to the window, or ends the file once all of it has gone.
  void SendMore(TransferActions& actions);
  // The progress and rate texts, when their time has come.
  void Complete(TransferActions& actions);
  void Break(TransferActions& actions, std::string_view status);

  FileSource& source_;
  const uint64_t file_size_;
  const std::string short_name_;  // Windows-1252

  State state_ = State::kListening;
  std::string answers_;       // the receiver's bytes not yet matched to an answer
  std::string outbox_;        // the messages of this call's send action
  uint64_t outbox_data_ = 0;  // file bytes of this call's send action
  // The file bytes read by this call, in a buffer kept for the whole transfer and filled by the
  // read itself (never cleared first): one pass over memory per byte fewer.
  std::unique_ptr<char[]> data_;
  // The file bytes of each send not yet reported complete (0 for a message), oldest first.
  std::deque<uint64_t> unreported_;
  uint64_t in_flight_ = 0;  // file bytes handed to the socket and not yet reported sent
  uint64_t offset_ = 0;     // file bytes read and handed to the socket
  uint64_t progress_ = 0;   // file bytes the socket has reported as sent
  ProgressClock progress_clock_;
};

}  // namespace quillon::transfer
