#pragma once
// The parts of the hidden main form that the window watcher works with while it prepares a chat
// or Google Talk's main window: the form itself (its errors are reported for it), the buttons it
// places into Google Talk's toolbars, the timer of the chat-view pass, the hook on the current
// chat's input, the buttons' pictures and the chat colours. The form lives longer than the
// watcher, so the references stay good.
#include <functional>

#include "runtime/ControlArray.h"
#include "runtime/Form.h"
#include "runtime/MessageHook.h"
#include "runtime/Picture.h"
#include "runtime/PictureBox.h"
#include "runtime/Timer.h"

namespace quillon::services {

struct ChatWindowParts {
  runtime::Form& form;
  // The chat buttons (element 0 is the form's own, hidden pattern) and the main-window buttons.
  runtime::ControlArray<runtime::PictureBox>& picIcon;
  runtime::ControlArray<runtime::PictureBox>& picIconX;
  runtime::Timer& tmrIEDOM;
  runtime::MessageHook& HookControl1;
  // A button picture by its resource number (101-103 chat button, 201-203 main button).
  std::function<runtime::Picture(int)> ButtonPicture;
  // Gives the current chat its stored background colours.
  std::function<void()> RefreshBackgrounds;
};

}  // namespace quillon::services
