#include "runtime/TextBox.h"

#include <algorithm>

#include "runtime/Runtime.h"
#include "text/CodePage.h"
#include "text/Utf8.h"

namespace quillon::runtime {

namespace msg = platform::msg;

void TextBox::SetText(std::string_view text) {
  bool changed = text != caption_;
  caption_ = std::string(text);
  sel_start_ = std::min<int>(sel_start_, static_cast<int>(text::DecodeUtf8(caption_).size()));
  if (changed) Raise("Change", on_change);
}

void TextBox::SetSelStart(int position) {
  int length = static_cast<int>(text::DecodeUtf8(caption_).size());
  sel_start_ = std::clamp(position, 0, length);
}

void TextBox::Type(int key_ascii) {
  if (locked_) return;
  std::u32string text = text::DecodeUtf8(caption_);
  int at = std::clamp(sel_start_, 0, static_cast<int>(text.size()));
  if (key_ascii == platform::vk::kBack) {
    if (at == 0) return;
    text.erase(static_cast<size_t>(at - 1), 1);
    --at;
  } else if (key_ascii >= 0x20 || key_ascii == '\t') {
    text.insert(text.begin() + at, text::CodePointOfCharCode(static_cast<uint32_t>(key_ascii)));
    ++at;
  } else {
    return;  // Enter and other control keys type nothing into a one-line box
  }
  sel_start_ = at;
  SetText(text::EncodeUtf8(text));
}

platform::LResult TextBox::Handle(uint32_t message, platform::WParam wparam,
                                  platform::LParam lparam) {
  switch (message) {
    case msg::kKeyDown: {
      int key = static_cast<int>(wparam);
      Raise("KeyDown", on_key_down, key, 0);
      if (key == platform::vk::kHome) sel_start_ = 0;
      if (key == platform::vk::kEnd) SetSelStart(1 << 30);
      if (key == platform::vk::kLeft) SetSelStart(sel_start_ - 1);
      if (key == platform::vk::kRight) SetSelStart(sel_start_ + 1);
      return 0;
    }
    case msg::kChar: {
      int key = static_cast<int>(wparam);
      Raise("KeyPress", on_key_press, key);
      if (key != 0) Type(key);
      return 0;
    }
    case msg::kSetText:
      SetText(lparam ? reinterpret_cast<const char*>(lparam) : "");
      return 1;
    case msg::kGetTextLength:
    case msg::kGetText:
      // The window's text is the box's text.
      Rt().Windows().DefWindowProc(Hwnd(), msg::kSetText, 0,
                                   reinterpret_cast<platform::LParam>(caption_.c_str()));
      return Rt().Windows().DefWindowProc(Hwnd(), message, wparam, lparam);
    default:
      return Control::Handle(message, wparam, lparam);
  }
}

bool TextBox::PersonSet(std::string_view value) {
  if (!Enabled() || !Visible()) return false;
  if (Hwnd()) Rt().Windows().SetFocus(Hwnd());
  if (locked_) return true;
  SetText(value);
  SetSelStart(1 << 30);
  return true;
}

std::optional<std::string> TextBox::Property(std::string_view name) const {
  if (name == "text") return caption_;
  return Control::Property(name);
}

}  // namespace quillon::runtime
