#pragma once
// A text box. Its text is the control's own; the person's keys arrive as messages and go through
// KeyDown and KeyPress (which may change or cancel them) before they edit the text, and every
// change of the text raises Change.
#include "runtime/Control.h"

namespace quillon::runtime {

class TextBox : public Control {
 public:
  using Control::Control;
  const char* Kind() const override { return "TextBox"; }
  const std::string& Text() const { return caption_; }
  void SetText(std::string_view text);
  // SelStart: the caret, in characters.
  int SelStart() const { return sel_start_; }
  void SetSelStart(int position);
  bool Locked() const { return locked_; }
  void SetLocked(bool locked) { locked_ = locked; }
  void SetPasswordChar(char c) { password_char_ = c; }
  bool PersonSet(std::string_view value) override;
  std::optional<std::string> Property(std::string_view name) const override;
  void SetCaption(std::string_view caption) override { SetText(caption); }

 protected:
  const char* WindowClass() const override { return "ThunderRT6TextBox"; }
  platform::LResult Handle(uint32_t message, platform::WParam wparam,
                           platform::LParam lparam) override;

 private:
  void Type(int key_ascii);
  int sel_start_ = 0;
  bool locked_ = false;
  char password_char_ = 0;
};

}  // namespace quillon::runtime
