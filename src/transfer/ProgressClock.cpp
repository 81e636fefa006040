#include "transfer/ProgressClock.h"

#include "transfer/Protocol.h"
#include "transfer/TransferStatus.h"

namespace quillon::transfer {

void ProgressClock::Start(int64_t now_ms) {
  bytes_this_tick_ = 0;
  next_rate_at_ = now_ms + kRateIntervalMs;
  next_progress_at_ = now_ms + kProgressIntervalMs;
}

void ProgressClock::Show(int64_t now_ms, uint64_t done, uint64_t total,
                         std::string_view rate_prefix, TransferActions& actions) {
  if (now_ms >= next_progress_at_) {
    actions.progress = TransferProgress{done, total};
    next_progress_at_ = now_ms + kProgressIntervalMs;
  }
  if (now_ms >= next_rate_at_) {
    actions.status = RateStatus(rate_prefix, done, total, bytes_this_tick_);
    bytes_this_tick_ = 0;
    // A late call (the loop was busy) shows one rate and catches the clock up, rather than
    // showing a burst of stale ones.
    while (next_rate_at_ <= now_ms) next_rate_at_ += kRateIntervalMs;
  }
}

}  // namespace quillon::transfer
