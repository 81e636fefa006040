#include "privacy/frmPassword.h"

#include "privacy/Lock.h"
#include "runtime/Runtime.h"

namespace quillon::privacy {

frmPassword::frmPassword(runtime::Runtime& runtime, Lock& lock)
    : runtime::Form(runtime, "frmPassword", "Set Lock Password"), lock_(lock) {
  Move(320, 260, 320, 130);
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
