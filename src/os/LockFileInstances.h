#pragma once
// Program copies of one user across processes: a claim is an exclusive lock on a file in the
// user's runtime folder ($XDG_RUNTIME_DIR/quillon, else the temporary folder with the user id in
// its name). The lock goes with the process, so a crashed copy never blocks the next start.
#include <map>
#include <string>

#include "platform/Instances.h"

namespace quillon::os {

class LockFileInstances : public platform::Instances {
 public:
  // `folder` overrides where the lock files live (tests).
  explicit LockFileInstances(std::string folder = {});
  ~LockFileInstances() override;
  bool Claim(std::string_view name) override;
  void Release(std::string_view name) override;

 private:
  std::string folder_;
  std::map<std::string, int, std::less<>> held_;  // name -> file descriptor
};

}  // namespace quillon::os
