#include "runtime/Control.h"

#include "runtime/Form.h"
#include "runtime/Runtime.h"

namespace quillon::runtime {

namespace msg = platform::msg;
using platform::LParam;
using platform::LResult;
using platform::WParam;

Control::Control(Form& form, std::string name, int index)
    : form_(form), name_(std::move(name)), index_(index) {
  form_.AddControl(this);
}

Control::~Control() {
  DestroyWindow();
  form_.RemoveControl(this);
}

Runtime& Control::Rt() const { return form_.Rt(); }

platform::WindowSystem& Control::Windows() const { return form_.Rt().Windows(); }

std::string Control::Key() const {
  return index_ < 0 ? name_ : name_ + "(" + std::to_string(index_) + ")";
}

void Control::SetCaption(std::string_view caption) {
  caption_ = std::string(caption);
  if (hwnd_) {
    Windows().SendMessage(hwnd_, msg::kSetText, 0, reinterpret_cast<LParam>(caption_.c_str()));
  }
}

void Control::SetEnabled(bool enabled) {
  enabled_ = enabled;
  if (hwnd_) Windows().EnableWindow(hwnd_, enabled);
}

void Control::SetVisible(bool visible) {
  visible_ = visible;
  if (hwnd_)
    Windows().ShowWindow(hwnd_, visible ? platform::sw::kShowNoActivate : platform::sw::kHide);
}

platform::Rect Control::Bounds() const { return hwnd_ ? Windows().GetWindowRect(hwnd_) : bounds_; }

void Control::Move(int left, int top, int width, int height) {
  bounds_ = {left, top, left + width, top + height};
  if (hwnd_) Windows().MoveWindow(hwnd_, bounds_);
}

platform::ColorRef Control::BackColor() const {
  constexpr int kColorButtonFace = 15;
  return back_color_ ? *back_color_ : Windows().GetSysColor(kColorButtonFace);
}

void Control::SetFocus() {
  if (hwnd_) {
    Windows().SetFocus(hwnd_);
  } else {
    Raise("GotFocus", on_got_focus);
  }
}

void Control::CreateWindowIn(platform::Hwnd parent) {
  if (hwnd_) return;
  // What code did to the control's place and size while the form was loaded goes with the form.
  if (!design_bounds_) {
    design_bounds_ = bounds_;
  } else {
    bounds_ = *design_bounds_;
  }
  const char* cls = WindowClass();
  if (!cls) return;
  platform::WindowCreation creation;
  creation.class_name = cls;
  creation.title = caption_;
  creation.parent = parent;
  creation.bounds = bounds_;
  creation.visible = visible_;
  creation.proc = [this](platform::Hwnd h, uint32_t m, WParam wp, LParam lp) -> LResult {
    (void)h;
    return Handle(m, wp, lp);
  };
  hwnd_ = Windows().CreateWindow(creation);
  if (!enabled_) Windows().EnableWindow(hwnd_, false);
}

void Control::DestroyWindow() {
  if (!hwnd_) return;
  platform::Hwnd window = hwnd_;
  // Keep the size and place the window had, for whoever asks while the form is not loaded.
  bounds_ = Windows().GetWindowRect(window);
  hwnd_ = 0;
  Windows().DestroyWindow(window);
}

void Control::RaiseMouse(const MouseMessage& mouse) {
  switch (mouse.kind) {
    case MouseMessage::Kind::kDown:
      Raise("MouseDown", on_mouse_down, mouse.button, mouse.shift, mouse.x, mouse.y);
      break;
    case MouseMessage::Kind::kUp:
      Raise("MouseUp", on_mouse_up, mouse.button, mouse.shift, mouse.x, mouse.y);
      // The left button's release is the click.
      if (mouse.button == kLeftButton) Raise("Click", on_click);
      break;
    case MouseMessage::Kind::kDoubleClick:
      Raise("DblClick", on_dbl_click);
      break;
    case MouseMessage::Kind::kMove:
      Raise("MouseMove", on_mouse_move, mouse.button, mouse.shift, mouse.x, mouse.y);
      break;
  }
}

LResult Control::Handle(uint32_t message, WParam wparam, LParam lparam) {
  if (auto mouse = MouseMessage::Decode(message, wparam, lparam)) {
    // A disabled control takes no mouse input.
    if (enabled_) RaiseMouse(*mouse);
    return 0;
  }
  switch (message) {
    case msg::kSetFocus:
      Raise("GotFocus", on_got_focus);
      return 0;
    case msg::kKillFocus:
      Raise("LostFocus", on_lost_focus);
      return 0;
    default:
      return Windows().DefWindowProc(hwnd_, message, wparam, lparam);
  }
}

void Control::PersonClick() {
  if (!enabled_ || !visible_) return;
  if (hwnd_) {
    Windows().SetFocus(hwnd_);
    Windows().SendMessage(hwnd_, msg::kLButtonDown, 0x1, 0);
    Windows().SendMessage(hwnd_, msg::kLButtonUp, 0, 0);
  } else {
    Raise("MouseDown", on_mouse_down, kLeftButton, 0, 0, 0);
    Raise("MouseUp", on_mouse_up, kLeftButton, 0, 0, 0);
    Raise("Click", on_click);
  }
}

void Control::PersonDoubleClick(std::string_view) {
  if (!enabled_ || !visible_) return;
  PersonClick();
  if (hwnd_) {
    Windows().SendMessage(hwnd_, msg::kLButtonDblClk, 0x1, 0);
  } else {
    Raise("DblClick", on_dbl_click);
  }
}

bool Control::PersonSet(std::string_view) { return false; }

void Control::PersonKey(uint32_t virtual_key) {
  if (!hwnd_ || !enabled_) return;
  Windows().SetFocus(hwnd_);
  Windows().SendMessage(hwnd_, msg::kKeyDown, virtual_key, 0);
  if (virtual_key == platform::vk::kReturn || virtual_key == platform::vk::kBack ||
      virtual_key == platform::vk::kEscape || virtual_key == platform::vk::kTab) {
    Windows().SendMessage(hwnd_, msg::kChar, virtual_key, 0);
  }
}

std::optional<std::string> Control::Property(std::string_view name) const {
  if (name == "caption") return caption_;
  if (name == "enabled") return std::string(enabled_ ? "yes" : "no");
  if (name == "visible") return std::string(visible_ ? "yes" : "no");
  if (name == "bounds") {
    platform::Rect r = Bounds();
    return std::to_string(r.left) + " " + std::to_string(r.top) + " " + std::to_string(r.Width()) +
           " " + std::to_string(r.Height());
  }
  if (name == "backcolor") {
    platform::ColorRef color = BackColor();
    return std::to_string(color & 0xFF) + " " + std::to_string((color >> 8) & 0xFF) + " " +
           std::to_string((color >> 16) & 0xFF);
  }
  return std::nullopt;
}

void Control::RunHandler(std::string_view event, const std::function<void()>& body) {
  const std::string handler = name_ + "_" + std::string(event);
  Rt().RunHandler(handler, &form_, body);
}

}  // namespace quillon::runtime
