#include "privacy/Lock.h"

#include "app/Quillon.h"
#include "app/frmMain.h"
#include "privacy/frmInPassword.h"
#include "privacy/frmPassword.h"

namespace quillon::privacy {

// The lock state changes only once the password window has had its say. While a password window
// is open, the chat window may come to the front again (the window closing hands it the front),
// and the chat is then prepared by the lock state as it stands: flipping the state before asking
// would leave a chat writable after a wrong unlock password, or read-only after a failed lock.
void Lock::Toggle() {
  gtalk::ChatState& state = program_.Chat();
  if (!state.Locked) {
    {
      frmPassword window(program_.Rt(), *this);
      window.Show(true);
      window.Unload();
    }
    if (ConfPassword == "NO") {
      ConfPassword.clear();
      return;
    }
    state.Locked = true;
    form_.LockIt(platform::kEcoOpSet);
    return;
  }
  if (!Password.empty()) {
    {
      frmInPassword prompt(program_.Rt(), *this);
      prompt.Show(true);
      prompt.Unload();
    }
    if (PassIn != Password) {
      program_.Rt().MsgBox("Wrong Password!", platform::mb::kIconExclamation, "Unlock");
      return;
    }
  }
  state.Locked = false;
  form_.LockIt(platform::kEcoOpXor);
}

}  // namespace quillon::privacy
