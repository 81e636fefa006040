#include "sandbox/PendingReply.h"

namespace quillon::sandbox {

void PendingReply::Settle(Result result) {
  {
    std::lock_guard lock(mutex_);
    if (result_) return;
    result_ = std::move(result);
  }
  settled_.notify_all();
}

bool PendingReply::Settled() const {
  std::lock_guard lock(mutex_);
  return result_.has_value();
}

std::optional<PendingReply::Result> PendingReply::Wait(std::chrono::milliseconds limit) {
  std::unique_lock lock(mutex_);
  settled_.wait_for(lock, limit, [this] { return result_.has_value(); });
  return result_;
}

}  // namespace quillon::sandbox
