#pragma once
// The lock: typing into Google Talk's chats stops until the lock password is given. The password
// lives only in memory, for this run.
#include <string>

namespace quillon::app {
class Quillon;
class frmMain;
}  // namespace quillon::app

namespace quillon::runtime {
class Form;
}

namespace quillon::privacy {

class Lock {
 public:
  Lock(app::Quillon& program, app::frmMain& form) : program_(program), form_(form) {}

  // The hotkey: locks (asking for a password) or unlocks (asking for it when one is set). While
  // a password window is open, the key brings that window to the front instead of opening
  // another.
  void Toggle();
  // A password window is open.
  bool Asking() const { return asking_ != nullptr; }

  // What the password windows leave behind.
  std::string Password;
  std::string PassIn;
  std::string ConfPassword;

 private:
  app::Quillon& program_;
  app::frmMain& form_;
  // Runs a password window modally; when it closes, the window that was in front before it gets
  // the front back.
  void Ask(runtime::Form& window);
  runtime::Form* asking_ = nullptr;
};

}  // namespace quillon::privacy
