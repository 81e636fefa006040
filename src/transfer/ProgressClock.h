#pragma once
// When a transfer window's progress bar and rate text are next brought up to date. Bytes move far
// more often than a person can read, so both follow a clock (the bar four times a second, the rate
// once a second) instead of every block; the rate is the bytes counted since it was last shown.
#include <algorithm>
#include <cstdint>
#include <string_view>

#include "transfer/TransferActions.h"

namespace quillon::transfer {

class ProgressClock {
 public:
  // The data phase begins: the first showing is one interval away.
  void Start(int64_t now_ms);
  void Count(uint64_t bytes) { bytes_this_tick_ += bytes; }
  // Puts whatever is due at `now_ms` into `actions`: the bar at done/total, the rate text after
  // `rate_prefix`.
  void Show(int64_t now_ms, uint64_t done, uint64_t total, std::string_view rate_prefix,
            TransferActions& actions);
  int64_t NextDue() const { return std::min(next_progress_at_, next_rate_at_); }

 private:
  uint64_t bytes_this_tick_ = 0;
  int64_t next_rate_at_ = 0;
  int64_t next_progress_at_ = 0;
};

}  // namespace quillon::transfer
