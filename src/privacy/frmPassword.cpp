#include "privacy/frmPassword.h"

#include "privacy/Lock.h"
#include "runtime/Runtime.h"

namespace quillon::privacy {

frmPassword::frmPassword(runtime::Runtime& runtime, Lock& lock)
    : runtime::Form(runtime, "frmPassword", "Set Lock Password"), lock_(lock) {
  Move(320, 260, 360, 98);
  lblText.Move(8, 8, 336, 20);
  Text1.Move(8, 36, 256, 23);
  Command1.Move(272, 36, 72, 23);
  lblText.SetCaption("Set Password for Lock:     (Leave blank for no pass)");
  Text1.SetPasswordChar('*');
  Command1.SetCaption("&Set");
  Command1.on_click = [this] { SubmitPassword(); };
  Text1.on_key_press = [this](int& key) {
    if (key == '\r') {
      key = 0;
      SubmitPassword();
    }
  };
}

void frmPassword::Form_Load() {
  waiting_for_second_ = false;
  first_entry_.clear();
  Text1.SetSelStart(0);
}

void frmPassword::SubmitPassword() {
  if (!waiting_for_second_ && !Text1.Text().empty()) {
    lblText.SetCaption("Please re-enter the password:");
    first_entry_ = Text1.Text();
    Text1.SetText("");
    Text1.SetSelStart(0);
    waiting_for_second_ = true;
    return;
  }
  if (!waiting_for_second_) {
    lock_.Password.clear();
    lock_.ConfPassword.clear();
    Unload();
    return;
  }
  waiting_for_second_ = false;
  if (Text1.Text() != first_entry_) {
    Rt().MsgBox("Password don't match!\r\n\r\nPlease try again.", platform::mb::kIconStop,
                "Set Lock");
    lock_.ConfPassword = "NO";
    lock_.Password.clear();
  } else {
    lock_.Password = Text1.Text();
    lock_.ConfPassword.clear();
  }
  Unload();
}

}  // namespace quillon::privacy
