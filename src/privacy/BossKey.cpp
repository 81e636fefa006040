#include "privacy/BossKey.h"

#include <vector>

#include "gtalk/GTalkWindows.h"
#include "runtime/Runtime.h"
#include "runtime/Timer.h"

namespace quillon::privacy {

using gtalk::GTalkWindows;

void BossKey::ShowMatchingWindows(std::string_view class_name,
                                  std::optional<std::string_view> title, platform::Hwnd parent,
                                  int show_command) {
  if (show_command == -1) show_command = boss_show_command_;
  auto& windows = rt_.Windows();
  // All are found before any is shown or hidden: hiding the active window activates another,
  // which rises above the place the walk has reached and would be missed.
  std::vector<platform::Hwnd> found;
  for (platform::Hwnd window = windows.FindWindowEx(parent, 0, class_name, title); window != 0;
       window = windows.FindWindowEx(parent, window, class_name, title)) {
    found.push_back(window);
  }
  // A window that vanished in between is simply not there to show any more.
  for (platform::Hwnd window : found) windows.ShowWindow(window, show_command);
}

void BossKey::SetTrayIcon() {
  platform::NotifyIcon icon;
  icon.window = gtalk_.FindGTalk();
  icon.id = 100;
  icon.flags = platform::kNifIcon;
  icon.callback_message = 0x200;
  icon.icon = icons_.IconHandle(boss_on_ ? "boss" : "plain").value_or(0);
  icon.tip = ":D";
  // Refused when Google Talk is not running; nothing to do about that.
  rt_.Shell().NotifyIconChange(platform::NotifyIconOp::kModify, icon);
}

void BossKey::Toggle() {
  boss_on_ = !boss_on_;
  boss_show_command_ = boss_on_ ? platform::sw::kHide : platform::sw::kShowNormal;
  tmrBoss_.SetEnabled(boss_on_);
  if (!boss_on_) {
    ShowMatchingWindows(GTalkWindows::kChatViewClass, std::nullopt, 0, -1);
    ShowMatchingWindows(GTalkWindows::kMainClass, std::nullopt, 0, -1);
    ShowMatchingWindows("#32770", "Settings", 0, -1);
    ShowMatchingWindows(kFriendClass, kFriendTitle, 0, -1);
  } else {
    // Google Talk's own windows go with the timer's first tick.
    ShowMatchingWindows(kFriendClass, kFriendTitle, 0, -1);
  }
  SetTrayIcon();
}

void BossKey::Tick() {
  ShowMatchingWindows(GTalkWindows::kChatViewClass, std::nullopt, 0, -1);
  ShowMatchingWindows(GTalkWindows::kMainClass, std::nullopt, 0, -1);
  ShowMatchingWindows("#32770", "Settings", 0, -1);
  ShowMatchingWindows("Google Notification", std::nullopt, 0, -1);
  SetTrayIcon();
}

}  // namespace quillon::privacy
