#include "transfer/FileSender.h"

#include <algorithm>

#include "text/CodePage.h"
#include "transfer/TransferStatus.h"

namespace quillon::transfer {

FileSender::FileSender(FileSource& source, uint64_t file_size, std::string short_name)
    : source_(source), file_size_(file_size), short_name_(text::Utf8ToCp1252(short_name)) {}

TransferActions FileSender::Begin() {
  outbox_.clear();
  outbox_data_ = 0;
  return {};
}

// Every call ends here, so the outcome is always current and every send is counted.
TransferActions& FileSender::Finish(TransferActions& actions) {
  const std::string_view data(data_.get(), static_cast<size_t>(outbox_data_));
  if (outbox_.empty()) {
    actions.send = data;
  } else {
    // A message and data in one call ("rcfs" and "fine" came together): one send, in order.
    outbox_.append(data);
    actions.send = outbox_;
  }
  if (!actions.send.empty()) unreported_.push_back(outbox_data_);
  actions.outcome = Outcome();
  return actions;
}

TransferActions FileSender::Accept(int64_t now_ms) {
  TransferActions actions = Begin();
  if (state_ == State::kComplete || state_ == State::kCancelled) {
    // The file has gone or the user ended it: turn away whoever connects now.
    actions.close = true;
    return Finish(actions);
  }
  // A new connection replaces the current one, and with it whatever was under way.
  state_ = State::kAwaitingSizeRead;
  answers_.clear();
  unreported_.clear();
  in_flight_ = 0;
  offset_ = 0;
  progress_ = 0;
  progress_clock_ = ProgressClock();
  actions.status = std::string(kStatusSendingInformation);
  actions.progress = TransferProgress{0, file_size_};
  outbox_ = kSizeMessage;
  outbox_ += std::to_string(file_size_);
  return Finish(actions);
}

TransferActions FileSender::Receive(std::string_view bytes, int64_t now_ms) {
  TransferActions actions = Begin();
  if (state_ == State::kAwaitingSizeRead || state_ == State::kAwaitingReady) {
    answers_ += bytes;
    ReadAnswers(actions, now_ms);
  }
  // Once data flows the receiver has nothing more to say; whatever it sends is ignored.
  return Finish(actions);
}

// The receiver's answers are fixed four-character texts. Looking for the one expected next in
// the stream, and skipping anything else, gives the same result however TCP cuts the stream and
// never acts on an answer out of turn (a "fine" before the name would start the data early).
void FileSender::ReadAnswers(TransferActions& actions, int64_t now_ms) {
  while (state_ == State::kAwaitingSizeRead || state_ == State::kAwaitingReady) {
    const std::string_view expected =
        state_ == State::kAwaitingSizeRead ? kSizeReadMessage : kReadyMessage;
    const size_t at = answers_.find(expected);
    if (at == std::string::npos) {
      // Keep only what could still be the start of the expected answer.
      const size_t keep = std::min(answers_.size(), expected.size() - 1);
      answers_.erase(0, answers_.size() - keep);
      return;
    }
    answers_.erase(0, at + expected.size());
    if (state_ == State::kAwaitingSizeRead) {
      state_ = State::kAwaitingReady;
      actions.status = std::string(kStatusAwaitingName);
      outbox_ += kNameMessage;
      outbox_ += short_name_;
    } else {
      state_ = State::kSending;
      answers_.clear();
      progress_clock_.Start(now_ms);
      SendMore(actions);
    }
  }
}

void FileSender::SendMore(TransferActions& actions) {
  if (offset_ == file_size_) {
    // The end follows the last byte only once the socket has taken all of them.
    if (in_flight_ == 0) Complete(actions);
    return;
  }
  if (in_flight_ >= kWindowBytes) return;
  // Whole blocks up to the window; the file's last block is what remains.
  const uint64_t room = kWindowBytes - in_flight_;
  const uint64_t blocks = std::max<uint64_t>(room / kBlockSize, 1);
  const size_t want =
      static_cast<size_t>(std::min<uint64_t>(blocks * kBlockSize, file_size_ - offset_));
  if (!data_) data_ = std::make_unique_for_overwrite<char[]>(kWindowBytes);
  const std::optional<size_t> got = source_.Read(offset_, std::span(data_.get(), want));
  // The size was announced, so a file that fails or shrinks cannot be sent any more.
  if (!got || *got != want) {
    Break(actions, kStatusReadFailed);
    actions.file_failed = true;
    return;
  }
  offset_ += want;
  in_flight_ += want;
  outbox_data_ += want;
  progress_clock_.Count(want);
}

TransferActions FileSender::SendComplete(int64_t now_ms) {
  TransferActions actions = Begin();
  if (unreported_.empty()) return Finish(actions);
  const uint64_t sent = unreported_.front();
  unreported_.pop_front();
  if (state_ != State::kSending) return Finish(actions);
  in_flight_ -= std::min(in_flight_, sent);
  progress_ = std::min(progress_ + sent, file_size_);
  SendMore(actions);
  if (state_ == State::kSending)
    progress_clock_.Show(now_ms, progress_, file_size_, kStatusSendingRate, actions);
  return Finish(actions);
}

void FileSender::Complete(TransferActions& actions) {
  state_ = State::kComplete;
  progress_ = file_size_;
  actions.status = std::string(kStatusSendComplete);
  actions.progress = TransferProgress{file_size_, file_size_};
  // The plain name: the receiver reads "ende:" only as the end, and the sender's folders are
  // nobody else's business.
  outbox_ += kEndMessage;
  outbox_ += short_name_;
  actions.close = true;
}

void FileSender::Break(TransferActions& actions, std::string_view status) {
  state_ = State::kBroken;
  in_flight_ = 0;
  actions.status = std::string(status);
  actions.close = true;
}

TransferActions FileSender::Tick(int64_t now_ms) {
  TransferActions actions = Begin();
  if (state_ == State::kSending)
    progress_clock_.Show(now_ms, progress_, file_size_, kStatusSendingRate, actions);
  return Finish(actions);
}

TransferActions FileSender::Closed() {
  TransferActions actions = Begin();
  if (state_ == State::kAwaitingSizeRead || state_ == State::kAwaitingReady ||
      state_ == State::kSending) {
    Break(actions, kStatusSendBroken);
    actions.close = false;
  }
  return Finish(actions);
}

std::optional<int64_t> FileSender::WakeAt() const {
  if (state_ == State::kSending) return progress_clock_.NextDue();
  return std::nullopt;
}

}  // namespace quillon::transfer
