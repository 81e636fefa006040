#pragma once
// A control on a form: a named (and, in control arrays, indexed) part of the form's surface with
// the properties and events the program uses. Most controls have a child window of the form's
// window, so they can be found, re-parented into another program's window, shown and hidden like
// any window; labels and shapes have none and are drawn by their form.
//
// Events are plain callbacks set by the form that owns the control. They are raised on the
// program's thread, from the control's window procedure (the person's mouse and keys arrive as
// window messages) or from property changes, as the matching control events are.
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Window.h"
#include "platform/WindowSystem.h"
#include "runtime/MouseMessage.h"

namespace quillon::runtime {

class Form;
class Runtime;

class Control {
 public:
  Control(Form& form, std::string name, int index = -1);
  virtual ~Control();
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  Form& Owner() const { return form_; }
  Runtime& Rt() const;
  const std::string& Name() const { return name_; }
  int Index() const { return index_; }
  // "name" or "name(index)", as a person's checks name it.
  std::string Key() const;
  // A short word for the kind of control ("TextBox", "Label", ...), for dumps.
  virtual const char* Kind() const = 0;

  // The control's window; 0 for windowless controls and while the form is not loaded.
  platform::Hwnd Hwnd() const { return hwnd_; }

  const std::string& Caption() const { return caption_; }
  virtual void SetCaption(std::string_view caption);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  const std::string& Tag() const { return tag_; }
  void SetTag(std::string tag) { tag_ = std::move(tag); }
  // Position and size in pixels, relative to the parent window's client area: for a control of
  // a form, the form's client area, also inside a frame (see runtime/Metrics.h). Each load of
  // the form starts from the position and size the control had when the form was first loaded
  // (its design), so code that moves or sizes it on load does so from the same start every time.
  platform::Rect Bounds() const;
  void Move(int left, int top, int width, int height);
  // The colour the control is filled with; the system's button face unless set.
  platform::ColorRef BackColor() const;
  void SetBackColor(platform::ColorRef color) { back_color_ = color; }
  void SetFocus();

  // Events.
  std::function<void()> on_click;
  std::function<void()> on_dbl_click;
  std::function<void()> on_change;
  std::function<void()> on_got_focus;
  std::function<void()> on_lost_focus;
  std::function<void(int button, int shift, int x, int y)> on_mouse_down;
  std::function<void(int button, int shift, int x, int y)> on_mouse_up;
  std::function<void(int button, int shift, int x, int y)> on_mouse_move;
  // Key events may change or cancel the key (setting it to 0), as the control events allow.
  std::function<void(int& key_ascii)> on_key_press;
  std::function<void(int& key_code, int shift)> on_key_down;

  // The person's hands on the control (the sandbox): through the window where there is one.
  virtual void PersonClick();
  virtual void PersonDoubleClick(std::string_view item);
  // Replaces a text box's text or moves a slider; false when the control takes neither.
  virtual bool PersonSet(std::string_view value);
  virtual void PersonKey(uint32_t virtual_key);

  // A property as a person's check reads it ("caption", "text", "checked", "enabled", "visible",
  // "value", "max", "items"); nullopt for a property this control does not have.
  virtual std::optional<std::string> Property(std::string_view name) const;

  // Window lifecycle, driven by the form.
  void CreateWindowIn(platform::Hwnd parent);
  void DestroyWindow();

 protected:
  // The window class of the control's window; null for a windowless control.
  virtual const char* WindowClass() const { return nullptr; }
  // The control's window procedure. The base handles the mouse, focus and text.
  virtual platform::LResult Handle(uint32_t message, platform::WParam wparam,
                                   platform::LParam lparam);
  // Raises the event `event` ("Click") held in a callback member, as the handler
  // NAME_EVENT ("Command1_Click") inside the runtime's error boundary. The callback is copied
  // first, so an event that unloads the control (or its form) does not pull the callback away
  // while it runs.
  template <typename Callback, typename... Args>
  void Raise(std::string_view event, const Callback& callback, Args&&... args) {
    if (!callback) return;
    Callback copy = callback;
    RunHandler(event, [&] { copy(std::forward<Args>(args)...); });
  }
  void RunHandler(std::string_view event, const std::function<void()>& body);
  platform::WindowSystem& Windows() const;
  void RaiseMouse(const MouseMessage& mouse);

  std::string caption_;

 private:
  Form& form_;
  std::string name_;
  int index_;
  bool enabled_ = true;
  bool visible_ = true;
  std::string tag_;
  platform::Rect bounds_{0, 0, 80, 24};
  std::optional<platform::Rect> design_bounds_;
  std::optional<platform::ColorRef> back_color_;
  platform::Hwnd hwnd_ = 0;
};

}  // namespace quillon::runtime
