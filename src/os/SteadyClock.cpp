#include "os/SteadyClock.h"

#include <chrono>
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

}  // namespace quillon::os
