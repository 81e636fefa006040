#include "sandbox/PersonInbox.h"

#include <thread>

namespace quillon::sandbox {

void PersonInbox::Put(std::string line) {
  {
    std::lock_guard lock(mutex_);
    lines_.push_back(std::move(line));
  }
  arrived_.notify_one();
  if (waker_) waker_->Wake();
}

void PersonInbox::Close() {
  {
    std::lock_guard lock(mutex_);
    closed_ = true;
  }
  arrived_.notify_one();
  if (waker_) waker_->Wake();
}

std::optional<std::string> PersonInbox::Take(const std::function<void()>& idle,
                                             std::chrono::milliseconds step) {
  for (;;) {
    {
      std::unique_lock lock(mutex_);
      arrived_.wait_for(lock, step, [this] { return !lines_.empty() || closed_; });
      if (!lines_.empty()) {
        std::string line = std::move(lines_.front());
        lines_.pop_front();
        return line;
      }
      if (closed_) return std::nullopt;
    }
    // Outside the lock: what the desktop runs may itself hand the person's lines on.
    if (idle) idle();
  }
}

bool PersonInbox::TryTake(std::optional<std::string>& line) {
  std::lock_guard lock(mutex_);
  if (!lines_.empty()) {
    line = std::move(lines_.front());
    lines_.pop_front();
    return true;
  }
  line.reset();
  return closed_;
}

std::optional<std::string> PersonInbox::Take(runtime::EventLoop& loop,
                                             std::chrono::milliseconds step) {
  if (!waker_ || loop.Clock().IsVirtual()) return Take([&loop] { loop.ProcessPending(); }, step);
  std::optional<std::string> line;
  // A line put after the look and before the loop's wait has woken it already, so the wait ends
  // at once and the next look finds the line.
  while (!TryTake(line)) loop.RunOrWait();
  return line;
}

void PersonInbox::ReadOnThread(std::shared_ptr<PersonInbox> inbox, std::istream& in) {
  std::thread([inbox, &in] {
    std::string line;
    while (std::getline(in, line)) inbox->Put(line);
    inbox->Close();
  }).detach();
}

}  // namespace quillon::sandbox
