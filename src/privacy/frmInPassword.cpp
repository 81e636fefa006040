#include "privacy/frmInPassword.h"

#include "privacy/Lock.h"

namespace quillon::privacy {

frmInPassword::frmInPassword(runtime::Runtime& runtime, Lock& lock)
    : runtime::Form(runtime, "frmInPassword", "Enter Unlock Password"), lock_(lock) {
  Move(320, 260, 280, 98);
  lblText.Move(8, 8, 256, 20);
  Text1.Move(8, 36, 176, 23);
  Command1.Move(192, 36, 72, 23);
  lblText.SetCaption("Please enter the password:");
  Text1.SetPasswordChar('*');
  Command1.SetCaption("&Ok");
  Command1.on_click = [this] { Unload(); };
  Text1.on_key_down = [this](int& key, int) {
    if (key == '\r') Unload();
  };
}

void frmInPassword::Form_Load() { Text1.SetFocus(); }

void frmInPassword::Form_Unload(int&) { lock_.PassIn = Text1.Text(); }

}  // namespace quillon::privacy
