#include "sandbox/StatementFiber.h"

#include <utility>

namespace quillon::sandbox {

namespace {
thread_local StatementFiber* current_fiber = nullptr;
}  // namespace

StatementFiber::StatementFiber(std::function<void()> body) : body_(std::move(body)) {
  thread_ = std::thread([this] {
    current_fiber = this;
    {
      std::unique_lock lock(mutex_);
      turn_passed_.wait(lock, [this] { return fiber_turn_; });
    }
    // What the body throws belongs to whoever resumed it, as it would on one stack.
    try {
      body_();
    } catch (...) {
      failure_ = std::current_exception();
    }
    std::lock_guard lock(mutex_);
    finished_ = true;
    fiber_turn_ = false;
    turn_passed_.notify_all();
  });
}

StatementFiber::~StatementFiber() {
  if (thread_.joinable()) thread_.join();
}

StatementFiber* StatementFiber::Current() { return current_fiber; }

bool StatementFiber::Resume() {
  std::unique_lock lock(mutex_);
  if (finished_) return true;
  running_ = true;
  fiber_turn_ = true;
  turn_passed_.notify_all();
  turn_passed_.wait(lock, [this] { return !fiber_turn_; });
  running_ = false;
  if (failure_) std::rethrow_exception(std::exchange(failure_, nullptr));
  return finished_;
}

void StatementFiber::Yield() {
  std::unique_lock lock(mutex_);
  fiber_turn_ = false;
  turn_passed_.notify_all();
  turn_passed_.wait(lock, [this] { return fiber_turn_; });
}

}  // namespace quillon::sandbox
