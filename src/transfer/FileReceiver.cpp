#include "transfer/FileReceiver.h"

#include <algorithm>
#include <limits>

#include "text/CodePage.h"
#include "transfer/PlainFileName.h"
#include "transfer/Protocol.h"
#include "transfer/TransferStatus.h"

namespace quillon::transfer {

TransferActions& FileReceiver::Finish(TransferActions& actions) {
  if (!outbox_.empty()) actions.send = outbox_;
  actions.outcome = Outcome();
  return actions;
}

TransferActions FileReceiver::Connect(int64_t now_ms) {
  outbox_.clear();
  TransferActions actions;
  // Connecting again starts a new dialogue on a new connection.
  state_ = State::kConnecting;
  message_.clear();
  file_size_ = 0;
  received_ = 0;
  actions.status = std::string(kStatusConnecting);
  return Finish(actions);
}

TransferActions FileReceiver::Connected(int64_t now_ms) {
  outbox_.clear();
  TransferActions actions;
  if (state_ == State::kConnecting) {
    state_ = State::kAwaitingSize;
    actions.status = std::string(kStatusConnected);
  }
  return Finish(actions);
}

TransferActions FileReceiver::Receive(std::string_view bytes, int64_t now_ms) {
  outbox_.clear();
  TransferActions actions;
  // A message whose bytes stopped long enough ago ended before these bytes, even if no tick came
  // in between.
  EndQuietMessage(now_ms, actions);
  switch (state_) {
    case State::kConnecting:
      state_ = State::kAwaitingSize;
      [[fallthrough]];
    case State::kAwaitingSize:
    case State::kAwaitingName:
      TakeMessageBytes(bytes, now_ms, actions);
      break;
    case State::kAwaitingSave:
      // The sender must wait for "fine"; bytes now are a message cut by a long stall or a sender
      // that does not wait. Either way the name or the data would be wrong.
      if (!bytes.empty()) Break(actions, kStatusProtocolError);
      break;
    case State::kReceiving:
      TakeData(bytes, now_ms, actions);
      break;
    default:
      // After the last announced byte only "ende:" and the path follow, which nothing needs.
      break;
  }
  return Finish(actions);
}

// Checks the message as it grows, so a wrong message is refused at once and memory stays bounded.
void FileReceiver::TakeMessageBytes(std::string_view bytes, int64_t now_ms,
                                    TransferActions& actions) {
  if (bytes.empty()) return;
  const bool size = state_ == State::kAwaitingSize;
  const std::string_view head = size ? kSizeMessage : kNameMessage;
  const size_t limit = head.size() + (size ? kMaxSizeDigits : kMaxOfferedName);
  const size_t old_size = message_.size();
  message_.append(bytes.substr(0, limit + 1 - std::min(limit + 1, old_size)));
  last_arrival_ms_ = now_ms;
  const size_t compared = std::min(message_.size(), head.size());
  if (message_.compare(0, compared, head.substr(0, compared)) != 0) {
    Break(actions, kStatusProtocolError);
    return;
  }
  if (size) {
    const size_t first_new = std::max(old_size, head.size());
    for (size_t i = first_new; i < message_.size(); ++i) {
      if (message_[i] < '0' || message_[i] > '9') {
        Break(actions, kStatusBadSize);
        return;
      }
    }
  }
  if (message_.size() > limit) Break(actions, size ? kStatusBadSize : kStatusBadName);
}

void FileReceiver::EndQuietMessage(int64_t now_ms, TransferActions& actions) {
  if (message_.empty() || now_ms - last_arrival_ms_ < kMessageQuietMs) return;
  if (state_ == State::kAwaitingSize) {
    ReadSize(actions);
  } else if (state_ == State::kAwaitingName) {
    ReadName(actions);
  }
  message_.clear();
}

// The size is decimal text of any length on the wire; it is read into 64 bits, and anything that
// is not a count of bytes is refused rather than guessed at.
void FileReceiver::ReadSize(TransferActions& actions) {
  if (message_.size() <= kSizeMessage.size()) {
    Break(actions, message_.size() < kSizeMessage.size() ? kStatusProtocolError : kStatusBadSize);
    return;
  }
  uint64_t size = 0;
  for (size_t i = kSizeMessage.size(); i < message_.size(); ++i) {
    size = size * 10 + static_cast<uint64_t>(message_[i] - '0');
  }
  // Nineteen digits fit in 64 bits unsigned but may exceed the largest signed size.
  if (size > static_cast<uint64_t>(std::numeric_limits<int64_t>::max())) {
    Break(actions, kStatusBadSize);
    return;
  }
  file_size_ = size;
  state_ = State::kAwaitingName;
  actions.progress = TransferProgress{0, file_size_};
  outbox_ += kSizeReadMessage;
}

void FileReceiver::ReadName(TransferActions& actions) {
  if (message_.size() < kNameMessage.size()) {
    Break(actions, kStatusProtocolError);
    return;
  }
  const std::string offered =
      text::Cp1252ToUtf8(std::string_view(message_).substr(kNameMessage.size()));
  state_ = State::kAwaitingSave;
  actions.ask_save_name = PlainFileName(offered);
}

// Once "fine" has gone, exactly the announced number of bytes is file data, whatever it looks
// like; the sender's closing "ende:" may arrive joined to the last of them and is dropped.
void FileReceiver::TakeData(std::string_view bytes, int64_t now_ms, TransferActions& actions) {
  const uint64_t remaining = file_size_ - received_;
  const size_t take = static_cast<size_t>(std::min<uint64_t>(bytes.size(), remaining));
  if (take == 0) return;
  actions.write = bytes.substr(0, take);
  received_ += take;
  progress_clock_.Count(take);
  if (received_ == file_size_) {
    Complete(actions);
  } else {
    progress_clock_.Show(now_ms, received_, file_size_, kStatusReceivingRate, actions);
  }
}

TransferActions FileReceiver::SaveOpened(int64_t now_ms) {
  outbox_.clear();
  TransferActions actions;
  if (state_ == State::kAwaitingSave) {
    state_ = State::kReceiving;
    outbox_ += kReadyMessage;
    progress_clock_.Start(now_ms);
    // An empty file is complete at once; the sender's "ende:" follows on its own.
    if (file_size_ == 0) Complete(actions);
  }
  return Finish(actions);
}

void FileReceiver::Complete(TransferActions& actions) {
  state_ = State::kComplete;
  actions.status = std::string(kStatusReceived);
  actions.progress = TransferProgress{file_size_, file_size_};
  // The connection stays open: the sender closes it after its "ende:", which would fail against
  // a connection already closed here.
}

void FileReceiver::Break(TransferActions& actions, std::string_view status) {
  state_ = State::kBroken;
  message_.clear();
  actions.ask_save_name.reset();
  actions.status = std::string(status);
  actions.close = true;
}

TransferActions FileReceiver::SaveFailed(std::string_view status) {
  outbox_.clear();
  TransferActions actions;
  if (state_ == State::kAwaitingSave) {
    Break(actions, status);
    actions.file_failed = true;
  }
  return Finish(actions);
}

TransferActions FileReceiver::WriteFailed(std::string_view status) {
  outbox_.clear();
  TransferActions actions;
  if (state_ == State::kReceiving) {
    Break(actions, status);
    actions.file_failed = true;
  }
  return Finish(actions);
}

TransferActions FileReceiver::Tick(int64_t now_ms) {
  outbox_.clear();
  TransferActions actions;
  EndQuietMessage(now_ms, actions);
  if (state_ == State::kReceiving)
    progress_clock_.Show(now_ms, received_, file_size_, kStatusReceivingRate, actions);
  return Finish(actions);
}

TransferActions FileReceiver::Closed() {
  outbox_.clear();
  TransferActions actions;
  if (state_ == State::kConnecting) {
    Break(actions, kStatusConnectFailed);
  } else if (state_ == State::kAwaitingSize || state_ == State::kAwaitingName ||
             state_ == State::kAwaitingSave || state_ == State::kReceiving) {
    Break(actions, kStatusReceiveBroken);
  }
  actions.close = false;
  return Finish(actions);
}

std::optional<int64_t> FileReceiver::WakeAt() const {
  if (!message_.empty()) return last_arrival_ms_ + kMessageQuietMs;
  if (state_ == State::kReceiving) return progress_clock_.NextDue();
  return std::nullopt;
}

}  // namespace quillon::transfer
