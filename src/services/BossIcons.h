#pragma once
// The icons the boss key puts in Google Talk's place in the notification area, kept by the main
// form as pictures of its own.
#include <optional>
#include <string_view>

#include "platform/Shell.h"

namespace quillon::services {

class BossIcons {
 public:
  virtual ~BossIcons() = default;
  // "boss" (the disguise) or "plain"; nothing for any other kind.
  virtual std::optional<platform::IconHandle> IconHandle(std::string_view kind) const = 0;
};

}  // namespace quillon::services
