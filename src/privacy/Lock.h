#pragma once
// The lock: typing into Google Talk's chats stops until the lock password is given. The password
// lives only in memory, for this run.
#include <string>

#include "services/ChatState.h"

namespace quillon::runtime {
class Form;
class Runtime;
}  // namespace quillon::runtime
namespace quillon::gtalk {
class WindowWatcher;
}

namespace quillon::privacy {

class Lock {
 public:
  // The watcher sets the current chat's input read-only and back.
  Lock(runtime::Runtime& rt, services::ChatState& chat, gtalk::WindowWatcher& watcher)
      : rt_(rt), chat_(chat), watcher_(watcher) {}

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
  runtime::Runtime& rt_;
  services::ChatState& chat_;
  gtalk::WindowWatcher& watcher_;
  // Runs a password window modally; when it closes, the window that was in front before it gets
  // the front back.
  void Ask(runtime::Form& window);
  runtime::Form* asking_ = nullptr;
};

}  // namespace quillon::privacy
