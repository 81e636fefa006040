#pragma once
// The current chat and what goes with it, kept by the hidden main form for the whole program:
// which chat is current, Google Talk's main window, the lock, the away tag of the status line and
// the chat input a file transfer was started from.
#include <string>

#include "platform/Window.h"

namespace quillon::services {

struct ChatState {
  platform::Hwnd ChatWnd = 0;        // the current chat window ("Chat View")
  platform::Hwnd ChatInput = 0;      // its input box
  platform::Hwnd MainWnd = 0;        // Google Talk's main window
  platform::Hwnd TransferInput = 0;  // the input box recorded by "Send File..."
  bool Locked = false;
  std::string StatusPrefix;  // the away tag ("Away", "Brb", ...); empty for none
  int RecallIndex = 0;
  int ButtonCount = 0;
};

}  // namespace quillon::services
