#pragma once
// The lock: typing into Google Talk's chats stops until the lock password is given. The password
// lives only in memory, for this run.
#include <string>

namespace quillon::app {
class Quillon;
class frmMain;
}  // namespace quillon::app

namespace quillon::privacy {

class Lock {
 public:
  Lock(app::Quillon& program, app::frmMain& form) : program_(program), form_(form) {}

  // The hotkey: locks (asking for a password) or unlocks (asking for it when one is set).
  void Toggle();

  // What the password windows leave behind.
  std::string Password;
  std::string PassIn;
  std::string ConfPassword;

 private:
  app::Quillon& program_;
  app::frmMain& form_;
};

}  // namespace quillon::privacy
