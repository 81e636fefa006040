#include "sandbox/PersonInbox.h"

#include <thread>

namespace quillon::sandbox {

void PersonInbox::Put(std::string line) { Put(Said{std::move(line), {}, nullptr}); }

void PersonInbox::Put(Said said) {
  {
    std::lock_guard lock(mutex_);
    lines_.push_back(std::move(said));
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
        std::string line = std::move(lines_.front().text);
        lines_.pop_front();
        return line;
      }
      if (closed_) return std::nullopt;
    }
    // Outside the lock: what the desktop runs may itself hand the person's lines on.
    if (idle) idle();
  }
}

bool PersonInbox::TryTake(std::optional<Said>& said) {
  std::lock_guard lock(mutex_);
  if (!lines_.empty()) {
    said = std::move(lines_.front());
    lines_.pop_front();
    return true;
  }
  said.reset();
  return closed_;
}

std::optional<PersonInbox::Said> PersonInbox::TakePageStatement() {
  std::lock_guard lock(mutex_);
  if (lines_.empty() || !lines_.front().reply) return std::nullopt;
  Said said = std::move(lines_.front());
  lines_.pop_front();
  return said;
}

std::optional<PersonInbox::Said> PersonInbox::TakeSaid(runtime::EventLoop& loop,
                                                       std::chrono::milliseconds step) {
  std::optional<Said> said;
  if (!waker_ || loop.Clock().IsVirtual()) {
    for (;;) {
      if (TryTake(said)) return said;
      {
        std::unique_lock lock(mutex_);
        arrived_.wait_for(lock, step, [this] { return !lines_.empty() || closed_; });
      }
      if (TryTake(said)) return said;
      loop.ProcessPending();
      if (before_wait_) before_wait_();
    }
  }
  // A line put after the look and before the loop's wait has woken it already, so the wait ends
  // at once and the next look finds the line.
  while (!TryTake(said)) {
    if (loop.ProcessPending()) continue;
    if (before_wait_) before_wait_();
    if (TryTake(said)) break;
    loop.RunOrWait();
  }
  return said;
}

std::optional<std::string> PersonInbox::Take(runtime::EventLoop& loop,
                                             std::chrono::milliseconds step) {
  std::optional<Said> said = TakeSaid(loop, step);
  if (!said) return std::nullopt;
  return std::move(said->text);
}

void PersonInbox::ReadOnThread(std::shared_ptr<PersonInbox> inbox, std::istream& in,
                               bool close_at_end) {
  std::thread([inbox, &in, close_at_end] {
    std::string line;
    while (std::getline(in, line)) inbox->Put(line);
    if (close_at_end) inbox->Close();
  }).detach();
}

}  // namespace quillon::sandbox
