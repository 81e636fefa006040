#pragma once
// The boss key: every Google Talk window and every desktop friend window leaves the screen at one
// keystroke and comes back at the next. While it is on, a fast timer keeps hiding any Google Talk
// window that opens, and Google Talk's notification-area icon is swapped for a neutral one.
#include <optional>
#include <string_view>

#include "platform/Window.h"

namespace quillon::app {
class Quillon;
class frmMain;
}  // namespace quillon::app

namespace quillon::privacy {

class BossKey {
 public:
  // Friend windows are the program's own forms titled "QNF".
  static constexpr const char* kFriendClass = "ThunderRT6FormDC";
  static constexpr const char* kFriendTitle = "QNF";

  BossKey(app::Quillon& program, app::frmMain& form) : program_(program), form_(form) {}

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

  app::Quillon& program_;
  app::frmMain& form_;
  bool boss_on_ = false;
  int boss_show_command_ = platform::sw::kShowNormal;
};

}  // namespace quillon::privacy
