#pragma once
// Knowing whether another copy of the program already runs for this user on this desktop.
//
// Contract: called on the program's one thread. A claim lasts until Release or until the claiming
// process ends (a crashed copy does not keep the name taken).
#include <string_view>

namespace quillon::platform {

class Instances {
 public:
  virtual ~Instances() = default;
  // Claims the name; false when another running copy holds it.
  virtual bool Claim(std::string_view name) = 0;
  virtual void Release(std::string_view name) = 0;
};

}  // namespace quillon::platform
