#include "sandbox/FollowingClock.h"

namespace quillon::sandbox {

void FollowingClock::Follow() {
  if (following_) return;
  following_ = true;
  steady_at_follow_ = steady_.TickCount();
  virtual_at_follow_ = virtual_.TickCount();
}

void FollowingClock::CatchUp() {
  if (!following_) return;
  uint64_t target = virtual_at_follow_ + (steady_.TickCount() - steady_at_follow_);
  uint64_t now = virtual_.TickCount();
  if (target > now) virtual_.Sleep(target - now);
}

uint64_t FollowingClock::TickCount() {
  CatchUp();
  return virtual_.TickCount();
}

platform::LocalTime FollowingClock::Now() {
  CatchUp();
  return virtual_.Now();
}

void FollowingClock::Sleep(uint64_t ms) {
  if (!following_) {
    virtual_.Sleep(ms);
    return;
  }
  steady_.Sleep(ms);
  CatchUp();
}

void FollowingClock::WaitFor(std::optional<uint64_t> ms,
                             const std::vector<platform::WatchedDescriptor>& watched) {
  if (!following_) {
    if (ms) virtual_.Sleep(*ms);
    return;
  }
  steady_.WaitFor(ms, watched);
  CatchUp();
}

}  // namespace quillon::sandbox
