#pragma once
// The colours of a friend window's gradient: one line per drawing unit across the window, from
// the start colour at the first line to the end colour at the last.
#include <vector>

#include "platform/Window.h"

namespace quillon::friends {

class Gradient {
 public:
  // The n + 1 lines of a surface n units deep. Red and green step in double precision, blue in
  // single precision, and each component is rounded half to even, as the window has always drawn
  // them; a surface without depth has nothing to draw.
  static std::vector<platform::ColorRef> Lines(platform::ColorRef start, platform::ColorRef end,
                                               int n);
  // A stored colour value split the way the window reads it: red in the low byte, then green,
  // then blue; whatever lies above is ignored.
  static int Red(long long value) { return static_cast<int>(value & 255); }
  static int Green(long long value) { return static_cast<int>((value / 256) & 255); }
  static int Blue(long long value) { return static_cast<int>((value / 65536) & 255); }
};

}  // namespace quillon::friends
