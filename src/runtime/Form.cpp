#include "runtime/Form.h"

#include <algorithm>
#include <map>

#include "runtime/Control.h"
#include "runtime/Runtime.h"

namespace quillon::runtime {

namespace msg = platform::msg;
using platform::LParam;
using platform::LResult;
using platform::WParam;

Form::Form(Runtime& runtime, std::string name, std::string caption)
    : runtime_(runtime), name_(std::move(name)), caption_(std::move(caption)) {}

Form::~Form() { Discard(); }

void Form::Discard() {
  if (!hwnd_) return;
  runtime_.Unregister(this);
  DestroyWindows();
}

void Form::AddControl(Control* control) { controls_.push_back(control); }

void Form::Realize(Control& control) {
  if (hwnd_) control.CreateWindowIn(hwnd_);
}

void Form::RemoveControl(Control* control) { std::erase(controls_, control); }

Control* Form::FindControl(std::string_view name, int index) const {
  for (Control* control : controls_) {
    if (control->Name() == name && (index < 0 || control->Index() == index)) return control;
  }
  return nullptr;
}

Menu& Form::AddMenu(std::string name, std::string caption) {
  menus_.push_back(std::make_unique<Menu>(std::move(name), std::move(caption)));
  return *menus_.back();
}

Menu* Form::FindMenu(std::string_view name, int index) const {
  for (const auto& menu : menus_) {
    if (Menu* found = menu->Find(name, index)) return found;
  }
  return nullptr;
}

void Form::Load() {
  if (hwnd_ || runtime_.Ended()) return;
  if (!initialized_) {
    initialized_ = true;
    runtime_.RunHandler("Form_Initialize", this, [this] { Form_Initialize(); });
  }
  platform::WindowCreation creation;
  creation.class_name = "ThunderRT6FormDC";
  creation.title = caption_;
  creation.bounds = bounds_;
  creation.visible = false;
  creation.ex_style = initial_ex_style_;
  creation.proc = [this](platform::Hwnd, uint32_t m, WParam wp, LParam lp) {
    return Handle(m, wp, lp);
  };
  hwnd_ = runtime_.Windows().CreateWindow(creation);
  runtime_.Register(this);
  // Controls made before the window get theirs now; the list may grow while they are made.
  std::vector<Control*> controls = controls_;
  for (Control* control : controls) control->CreateWindowIn(hwnd_);
  runtime_.RunHandler("Form_Load", this, [this] { Form_Load(); });
}

bool Form::Show(bool modal) {
  if (!hwnd_) Load();
  if (!hwnd_) return false;
  runtime_.Windows().ShowWindow(hwnd_, platform::sw::kShowNormal);
  if (!modal) return true;
  return runtime_.Loop().RunModal(ModalKind::kForm, [this] { return !Visible(); });
}

void Form::Hide() {
  if (hwnd_) runtime_.Windows().ShowWindow(hwnd_, platform::sw::kHide);
}

bool Form::Visible() const { return hwnd_ && runtime_.Windows().IsWindowVisible(hwnd_); }

bool Form::Unload(UnloadMode mode) {
  if (!hwnd_) return true;
  int cancel = 0;
  runtime_.RunHandler("Form_QueryUnload", this, [&] { Form_QueryUnload(cancel, mode); });
  if (cancel != 0) return false;
  runtime_.RunHandler("Form_Unload", this, [&] { Form_Unload(cancel); });
  if (cancel != 0 || !hwnd_) return cancel == 0;
  runtime_.Unregister(this);
  DestroyWindows();
  return true;
}

void Form::DestroyWindows() {
  for (Control* control : controls_) control->DestroyWindow();
  platform::Hwnd window = hwnd_;
  bounds_ = runtime_.Windows().GetWindowRect(window);
  hwnd_ = 0;
  runtime_.Windows().DestroyWindow(window);
}

void Form::SetCaption(std::string caption) {
  caption_ = std::move(caption);
  if (hwnd_) {
    runtime_.Windows().SendMessage(hwnd_, msg::kSetText, 0,
                                   reinterpret_cast<LParam>(caption_.c_str()));
  }
}

platform::Rect Form::Bounds() const {
  return hwnd_ ? runtime_.Windows().GetWindowRect(hwnd_) : bounds_;
}

void Form::Move(int left, int top, int width, int height) {
  bounds_ = {left, top, left + width, top + height};
  if (hwnd_) runtime_.Windows().MoveWindow(hwnd_, bounds_);
}

void Form::PopupMenu(Menu& menu) {
  if (!hwnd_) return;
  // Command numbers name the items for the duration of this popup only.
  std::map<uint32_t, Menu*> commands;
  uint32_t next = 1;
  auto convert = [&](auto& self, const Menu& parent) -> std::vector<platform::PopupMenuItem> {
    std::vector<platform::PopupMenuItem> items;
    for (const auto& item : parent.Items()) {
      if (!item->Visible()) continue;
      platform::PopupMenuItem shown;
      shown.caption = item->Caption();
      shown.enabled = item->Enabled();
      shown.checked = item->Checked();
      shown.is_default = item->IsDefault();
      shown.icon = item->Icon();
      shown.children = self(self, *item);
      if (!item->IsSeparator() && shown.children.empty()) {
        shown.command = next++;
        commands[shown.command] = item.get();
      }
      items.push_back(std::move(shown));
    }
    return items;
  };
  std::vector<platform::PopupMenuItem> items = convert(convert, menu);
  uint32_t chosen =
      runtime_.Dialogs().TrackPopupMenu(hwnd_, items, runtime_.Windows().GetCursorPos());
  if (auto it = commands.find(chosen); it != commands.end()) {
    Menu* item = it->second;
    // Named before the click, which may remove the item (a menu control array reloaded).
    const std::string handler = item->Name() + "_Click";
    runtime_.RunHandler(handler, this, [item] { item->Click(); });
  }
}

LResult Form::Handle(uint32_t message, WParam wparam, LParam lparam) {
  if (auto mouse = MouseMessage::Decode(message, wparam, lparam)) {
    switch (mouse->kind) {
      case MouseMessage::Kind::kDown:
        runtime_.RunHandler("Form_MouseDown", this, [&] {
          Form_MouseDown(mouse->button, mouse->shift, mouse->x, mouse->y);
        });
        break;
      case MouseMessage::Kind::kUp:
        runtime_.RunHandler("Form_MouseUp", this,
                            [&] { Form_MouseUp(mouse->button, mouse->shift, mouse->x, mouse->y); });
        if (mouse->button == kLeftButton) {
          runtime_.RunHandler("Form_Click", this, [this] { Form_Click(); });
        }
        break;
      case MouseMessage::Kind::kDoubleClick:
        runtime_.RunHandler("Form_DblClick", this, [this] { Form_DblClick(); });
        break;
      case MouseMessage::Kind::kMove:
        runtime_.RunHandler("Form_MouseMove", this, [&] {
          Form_MouseMove(mouse->button, mouse->shift, mouse->x, mouse->y);
        });
        break;
    }
    return 0;
  }
  switch (message) {
    case msg::kClose:
      Unload(UnloadMode::kControlMenu);
      return 0;
    case msg::kActivate:
      if (wparam != 0) runtime_.RunHandler("Form_Activate", this, [this] { Form_Activate(); });
      return 0;
    default:
      return runtime_.Windows().DefWindowProc(hwnd_, message, wparam, lparam);
  }
}

}  // namespace quillon::runtime
