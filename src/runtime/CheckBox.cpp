#include "runtime/CheckBox.h"

namespace quillon::runtime {

void CheckBox::SetValue(int value) {
  if (value == value_) return;
  value_ = value;
  Raise("Click", on_click);
}

platform::LResult CheckBox::Handle(uint32_t message, platform::WParam wparam,
                                   platform::LParam lparam) {
  auto mouse = MouseMessage::Decode(message, wparam, lparam);
  if (mouse && mouse->kind == MouseMessage::Kind::kUp && mouse->button == kLeftButton &&
      Enabled()) {
    // The click is the change of value; the mouse-up event still comes first.
    Raise("MouseUp", on_mouse_up, kLeftButton, mouse->shift, mouse->x, mouse->y);
    SetValue(value_ == 1 ? 0 : 1);
    return 0;
  }
  return Control::Handle(message, wparam, lparam);
}

std::optional<std::string> CheckBox::Property(std::string_view name) const {
  if (name == "checked") return std::string(value_ == 1 ? "yes" : "no");
  if (name == "value") return std::to_string(value_);
  return Control::Property(name);
}

}  // namespace quillon::runtime
