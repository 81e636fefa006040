#pragma once
// Program copies on one simulated desktop: a name claimed by one copy is refused to the next until
// released, as the real check across processes of one user does.
#include <set>
#include <string>

#include "platform/Instances.h"

namespace quillon::sim {

class SimInstances : public platform::Instances {
 public:
  bool Claim(std::string_view name) override { return claimed_.emplace(name).second; }
  void Release(std::string_view name) override { claimed_.erase(std::string(name)); }

 private:
  std::set<std::string, std::less<>> claimed_;
};

}  // namespace quillon::sim
