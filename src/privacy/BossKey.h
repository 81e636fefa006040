#pragma once
// The boss key: every Google Talk window and every desktop friend window leaves the screen at one
// keystroke and comes back at the next. While it is on, a fast timer keeps hiding any Google Talk
// window that opens, and Google Talk's notification-area icon is swapped for a neutral one.
#include <optional>
#include <string_view>

#include "platform/Window.h"
#include "services/BossIcons.h"

namespace quillon::runtime {
class Runtime;
class Timer;
}  // namespace quillon::runtime
namespace quillon::gtalk {
class GTalkWindows;
}

namespace quillon::privacy {

class BossKey {
 public:
  // Friend windows are the program's own forms titled "QNF".
  static constexpr const char* kFriendClass = "ThunderRT6FormDC";
  static constexpr const char* kFriendTitle = "QNF";

  // `tmrBoss` is the main form's fast timer that Tick runs on while boss mode is on.
  BossKey(runtime::Runtime& rt, gtalk::GTalkWindows& gtalk, services::BossIcons& icons,
          runtime::Timer& tmrBoss)
      : rt_(rt), gtalk_(gtalk), icons_(icons), tmrBoss_(tmrBoss) {}

  // The hotkey (and "/boss"): turns boss mode on or off.
  void Toggle();
  // The 10 ms tick while boss mode is on.
  void Tick();
  bool BossOn() const { return boss_on_; }

  // Shows (or hides) every top-level window of the class (and title, when given) with the show
  // command; -1 stands for the command of the current mode.
  void ShowMatchingWindows(std::string_view class_name, std::optional<std::string_view> title,
                           platform::Hwnd parent, int show_command);

 private:
  void SetTrayIcon();

  runtime::Runtime& rt_;
  gtalk::GTalkWindows& gtalk_;
  services::BossIcons& icons_;
  runtime::Timer& tmrBoss_;
  bool boss_on_ = false;
  int boss_show_command_ = platform::sw::kShowNormal;
};

}  // namespace quillon::privacy
