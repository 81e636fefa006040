#pragma once
// Time for tests: the monotonic clock moves by a millisecond at every reading (so a loop that
// never calls its host still reaches its time-out, after a fixed amount of work) and by whatever
// a test adds; the wall clock starts at 6/12/2026 3:04:05 PM and follows it.
#include <chrono>
#include <cstdint>

#include "text/ScriptDate.h"
#include "vbscript/Interpreter.h"

namespace quillon::vbscript::testing {

struct VirtualClock {
  int64_t milliseconds = 0;
  int64_t step_per_reading = 1;

  EngineClocks Clocks() {
    return EngineClocks{
        [this] {
          milliseconds += step_per_reading;
          return std::chrono::steady_clock::time_point(std::chrono::milliseconds(milliseconds));
        },
        [this] {
          return quillon::text::ScriptDayNumber(2026, 6, 12) +
                 quillon::text::ScriptTimeFraction(15, 4, 5) +
                 static_cast<double>(milliseconds) / 86400000.0;
        }};
  }
};

}  // namespace quillon::vbscript::testing
