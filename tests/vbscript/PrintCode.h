#pragma once
// Prints a table row's script on one line, so that a row's ctest name (and the failure message)
// shows the code it runs rather than the row's bytes, which change from build to build.
#include <ostream>
#include <string_view>

namespace quillon::vbscript::testing {

inline void PrintCode(std::string_view code, std::ostream* out) {
  for (char c : code) {
    if (c == '\n') {
      *out << " : ";
    } else if (c != '\r') {
      *out << c;
    }
  }
}

}  // namespace quillon::vbscript::testing
