#include "privacy/Lock.h"

#include "gtalk/WindowWatcher.h"
#include "platform/WindowSystem.h"
#include "privacy/frmInPassword.h"
#include "privacy/frmPassword.h"
#include "runtime/Form.h"
#include "runtime/Runtime.h"

namespace quillon::privacy {

// The lock state changes only once the password window has had its say. While a password window
// is open, the chat window may come to the front again (the window closing hands it the front),
// and the chat is then prepared by the lock state as it stands: flipping the state before asking
// would leave a chat writable after a wrong unlock password, or read-only after a failed lock.
void Lock::Toggle() {
  if (asking_) {
    rt_.Windows().SetForegroundWindow(asking_->hWnd());
    return;
  }
  services::ChatState& state = chat_;
  if (!state.Locked) {
    {
      frmPassword window(rt_, *this);
      Ask(window);
    }
    if (ConfPassword == "NO") {
      ConfPassword.clear();
      return;
    }
    state.Locked = true;
    watcher_.LockIt(platform::kEcoOpSet);
    return;
  }
  if (!Password.empty()) {
    {
      frmInPassword prompt(rt_, *this);
      Ask(prompt);
    }
    if (PassIn != Password) {
      rt_.MsgBox("Wrong Password!", platform::mb::kIconExclamation, "Unlock");
      return;
    }
  }
  state.Locked = false;
  watcher_.LockIt(platform::kEcoOpXor);
}

// Windows hands the front to the next window in z-order when the password window goes, and a
// top-most window (a desktop friend) comes before the chat; the chat would then lose the keyboard
// and the chat view its current chat. The window that was in front gets it back instead.
void Lock::Ask(runtime::Form& window) {
  platform::WindowSystem& windows = rt_.Windows();
  const platform::Hwnd front = windows.GetForegroundWindow();
  asking_ = &window;
  window.Show(true);
  window.Unload();
  asking_ = nullptr;
  platform::Hwnd back = front;
  if (!windows.IsWindow(back) || !windows.IsWindowVisible(back)) {
    // The chat closed meanwhile: the current chat, if there is one, takes the front.
    back = chat_.ChatWnd;
  }
  if (windows.IsWindow(back) && windows.IsWindowVisible(back)) windows.SetForegroundWindow(back);
}

}  // namespace quillon::privacy
