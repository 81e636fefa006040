#pragma once
// A picture the program shows: where it came from (a file of the program folder or one of the
// program's own drawings, "res:101") and the handle by which the platform knows it.
#include <string>

#include "platform/Shell.h"

namespace quillon::runtime {

struct Picture {
  std::string source;
  platform::IconHandle handle = 0;
  bool Empty() const { return source.empty(); }
  bool operator==(const Picture&) const = default;
};

}  // namespace quillon::runtime
