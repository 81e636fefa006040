#pragma once
// The file-transfer invitations in the conversation: each new one opens the receive window once,
// with the sender's address; the tag itself never stays in view. The numbers of the last ten
// invitations handled are kept in the settings, so one seen again (after a restart, in another
// chat) opens nothing, and neither does the user's own.
#include <functional>
#include <string>
#include <string_view>

#include "services/SettingsStore.h"

namespace quillon::chatview {

class InvitationStep {
 public:
  static constexpr std::string_view kInvalid = "*Invalid File Format*";
  static constexpr int kRecentCount = 10;

  InvitationStep(services::SettingsStore& settings,
                 std::function<void(std::string_view)> open_receive)
      : settings_(settings), open_receive_(std::move(open_receive)) {}

  // Handles the first invitation tag in `markup`; a later one waits for a later run, once this
  // one is gone from the markup.
  void Run(std::string& markup);

 private:
  // True when the setting holds this invitation number.
  bool Holds(std::string_view name, int number);

  services::SettingsStore& settings_;
  std::function<void(std::string_view)> open_receive_;
};

}  // namespace quillon::chatview
