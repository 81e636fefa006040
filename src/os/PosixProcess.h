#pragma once
// Starting another program without waiting for it: found as a path or on the search path, given
// its arguments as separate words, never through a command interpreter.
#include <string>
#include <string_view>
#include <vector>

namespace quillon::os {

class PosixProcess {
 public:
  // False when it could not be started.
  static bool Start(std::string_view program, const std::vector<std::string>& arguments);
};

}  // namespace quillon::os
