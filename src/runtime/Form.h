#pragma once
// A form: one of the program's windows, with its controls, menus and timers, and the events of a
// form's life (Initialize, Load, QueryUnload, Unload, Activate) and of its surface (the mouse).
//
// Lifecycle: constructed (not loaded) → Load (Initialize on the first load, then the window and
// its controls' windows are made, hidden, then Load) → Show / Hide any number of times →
// Unload (QueryUnload and Unload may cancel; otherwise the windows go) → may be loaded again.
// A form that is destroyed while loaded goes without events. Every form has a window in the
// desktop, so it can be found, subclassed, hidden and made top-most like any other.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Window.h"
#include "runtime/Menu.h"

namespace quillon::runtime {

class Control;
class Runtime;

// Why a form is being unloaded (QueryUnload's mode).
enum class UnloadMode { kControlMenu = 0, kCode = 1 };

class Form {
 public:
  Form(Runtime& runtime, std::string name, std::string caption);
  virtual ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  Runtime& Rt() const { return runtime_; }
  const std::string& Name() const { return name_; }
  // Tells apart forms loaded more than once (the friend windows): their label's text.
  virtual std::string Key() const { return {}; }

  void Load();
  bool Loaded() const { return hwnd_ != 0; }
  // Show loads the form first when needed. Modal showing waits, handing the person's actions to
  // the desktop, until the form is hidden or unloaded; false when it ended because the person left.
  bool Show(bool modal = false);
  void Hide();
  // False when QueryUnload or Unload cancelled it.
  bool Unload(UnloadMode mode = UnloadMode::kCode);
  // The form's windows go without any event (the process ends).
  void Discard();
  bool Visible() const;
  platform::Hwnd hWnd() const { return hwnd_; }

  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption);
  // Position and size in pixels on the screen: the outer window, title bar and border included
  // (runtime/Metrics.h has the measures of both and of the client area the controls stand in).
  platform::Rect Bounds() const;
  void Move(int left, int top, int width, int height);
  // Whether the window has the system's title bar and border; a form without draws all of its
  // window itself, and its controls are placed from its outer corner.
  bool HasTitleBar() const { return title_bar_; }
  void SetTitleBar(bool title_bar) { title_bar_ = title_bar; }
  // The extended style the window is made with (top-most, tool window).
  void SetInitialExStyle(uint32_t ex_style) { initial_ex_style_ = ex_style; }
  const std::string& Tag() const { return tag_; }
  void SetTag(std::string tag) { tag_ = std::move(tag); }

  // Pops up one of the form's menus at the mouse and waits until the person has chosen an item
  // (whose Click then runs) or dismissed the menu.
  void PopupMenu(Menu& menu);

  // The controls of the form, for whoever looks from outside.
  const std::vector<Control*>& Controls() const { return controls_; }
  Control* FindControl(std::string_view name, int index = -1) const;
  // The form's menus (top-level items, each a tree).
  Menu& AddMenu(std::string name, std::string caption);
  const std::vector<std::unique_ptr<Menu>>& Menus() const { return menus_; }
  Menu* FindMenu(std::string_view name, int index = -1) const;

  // Gives a control made while the form is loaded its window (a control cannot do that from its
  // own constructor, before it knows what kind of control it is).
  void Realize(Control& control);
  // Called by controls as they are made and destroyed.
  void AddControl(Control* control);
  void RemoveControl(Control* control);

 protected:
  virtual void Form_Initialize() {}
  virtual void Form_Load() {}
  virtual void Form_QueryUnload(int& cancel, UnloadMode mode) {}
  virtual void Form_Unload(int& cancel) {}
  virtual void Form_Activate() {}
  virtual void Form_MouseDown(int button, int shift, int x, int y) {}
  virtual void Form_MouseUp(int button, int shift, int x, int y) {}
  virtual void Form_MouseMove(int button, int shift, int x, int y) {}
  virtual void Form_Click() {}
  virtual void Form_DblClick() {}
  // The form's window procedure; forms that need more of their window's messages extend it.
  virtual platform::LResult Handle(uint32_t message, platform::WParam wparam,
                                   platform::LParam lparam);

 private:
  void DestroyWindows();

  Runtime& runtime_;
  std::string name_;
  std::string caption_;
  std::string tag_;
  platform::Rect bounds_{100, 100, 500, 400};
  uint32_t initial_ex_style_ = 0;
  bool title_bar_ = true;
  platform::Hwnd hwnd_ = 0;
  bool initialized_ = false;
  std::vector<Control*> controls_;
  std::vector<std::unique_ptr<Menu>> menus_;
};

}  // namespace quillon::runtime
