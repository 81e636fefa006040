#include "os/SteadyClock.h"

#include <poll.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <ctime>
#include <thread>

namespace quillon::os {
namespace {

uint64_t MonotonicMs() {
  using namespace std::chrono;
  return static_cast<uint64_t>(
      duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

}  // namespace

// Ticks start well above zero, as a machine that has been up a while shows them, so that code
// subtracting intervals from the tick count never wraps below zero.
SteadyClock::SteadyClock() : origin_ms_(MonotonicMs() - 1000000) {}

uint64_t SteadyClock::TickCount() { return MonotonicMs() - origin_ms_; }

platform::LocalTime SteadyClock::Now() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return platform::LocalTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                             local.tm_min,         local.tm_sec,     local.tm_wday};
}

void SteadyClock::Sleep(uint64_t ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

void SteadyClock::WaitFor(std::optional<uint64_t> ms,
                          const std::vector<platform::WatchedDescriptor>& watched) {
  std::vector<pollfd> polled;
  polled.reserve(watched.size() + 1);
  polled.push_back(pollfd{wake_->Descriptor(), POLLIN, 0});
  for (const platform::WatchedDescriptor& entry : watched) {
    short events = (entry.read ? POLLIN : 0) | (entry.write ? POLLOUT : 0);
    if (entry.descriptor >= 0 && events != 0) polled.push_back(pollfd{entry.descriptor, events, 0});
  }
  const int timeout = ms ? static_cast<int>(std::min<uint64_t>(*ms, INT_MAX)) : -1;
  // An interrupted poll just ends the wait early, which the loop allows for; a failed one too,
  // and the loop then looks at its sources again.
  if (poll(polled.data(), polled.size(), timeout) > 0 && polled[0].revents != 0) wake_->Clear();
}

}  // namespace quillon::os
