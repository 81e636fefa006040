#include "sim/SimDesktop.h"

#include <algorithm>
#include <cassert>
#include <cstring>

#include "platform/Clock.h"
#include "sim/RichEditBox.h"
#include "sim/SimHtmlDocument.h"
#include "text/CodePage.h"
#include "text/Strings.h"
#include "text/Utf8.h"

namespace quillon::sim {

using platform::LParam;
using platform::LResult;
using platform::Rect;
using platform::WParam;
namespace msg = platform::msg;

struct SimDesktop::Window {
  Hwnd handle = 0;
  std::string class_name;
  std::string title;
  Hwnd parent = 0;
  std::vector<Hwnd> children;  // z-order, top first
  bool visible = false;
  bool minimized = false;
  bool enabled = true;
  bool hung = false;
  Rect rect;
  uint32_t ex_style = 0;
  uint8_t alpha = 255;
  uint32_t layered_flags = 0;
  platform::WindowProcId proc = 0;
  std::vector<platform::WindowProcId> owned_procs;
  std::unique_ptr<WindowBehaviour> behaviour;
  Hwnd focus = 0;  // top-level windows: the focused descendant
};

SimDesktop::SimDesktop(platform::Clock& clock, int screen_width, int screen_height)
    : clock_(clock), screen_width_(screen_width), screen_height_(screen_height) {
  RegisterClassBehaviour("RichEdit20W", [](Hwnd) { return std::make_unique<RichEditBox>(); });
  RegisterClassBehaviour("Edit", [](Hwnd) { return std::make_unique<RichEditBox>(); });
  RegisterClassBehaviour("Internet Explorer_Server", [this](Hwnd window) {
    return std::make_unique<SimHtmlDocument::Browser>(*this, window);
  });
}

SimDesktop::~SimDesktop() = default;

SimDesktop::Window* SimDesktop::Find(Hwnd window) {
  if (window == 0) return nullptr;
  auto it = windows_.find(window);
  return it == windows_.end() ? nullptr : it->second.get();
}

std::vector<SimDesktop::Hwnd>& SimDesktop::SiblingsOf(Hwnd parent) {
  if (parent == 0) return top_level_;
  return Find(parent)->children;
}

void SimDesktop::RegisterClassBehaviour(std::string class_name, BehaviourFactory factory) {
  behaviours_[std::move(class_name)] = std::move(factory);
}

WindowBehaviour* SimDesktop::BehaviourOf(Hwnd window) {
  Window* w = Find(window);
  return w ? w->behaviour.get() : nullptr;
}

RichEditBox* SimDesktop::RichEditOf(Hwnd window) {
  return dynamic_cast<RichEditBox*>(BehaviourOf(window));
}

std::shared_ptr<SimHtmlDocument> SimDesktop::DocumentOf(Hwnd window) {
  auto* browser = dynamic_cast<SimHtmlDocument::Browser*>(BehaviourOf(window));
  return browser ? browser->Document() : nullptr;
}

// --- Finding

SimDesktop::Hwnd SimDesktop::FindWindowEx(Hwnd parent, Hwnd after,
                                          std::optional<std::string_view> class_name,
                                          std::optional<std::string_view> title) {
  if (parent != 0 && !Find(parent)) return 0;
  const std::vector<Hwnd>& siblings = SiblingsOf(parent);
  auto it = siblings.begin();
  if (after != 0) {
    it = std::find(siblings.begin(), siblings.end(), after);
    if (it == siblings.end()) return 0;
    ++it;
  }
  for (; it != siblings.end(); ++it) {
    Window* w = Find(*it);
    if (class_name && w->class_name != *class_name) continue;
    if (title && w->title != *title) continue;
    return w->handle;
  }
  return 0;
}

void SimDesktop::EnumChildWindows(Hwnd parent, const std::function<bool(Hwnd)>& visit) {
  Window* w = Find(parent);
  if (!w) return;
  // Depth-first over a snapshot, so a visitor that destroys windows cannot upset the walk.
  std::vector<Hwnd> stack(w->children.rbegin(), w->children.rend());
  while (!stack.empty()) {
    Hwnd next = stack.back();
    stack.pop_back();
    Window* child = Find(next);
    if (!child) continue;
    if (!visit(next)) return;
    if (!(child = Find(next))) continue;
    stack.insert(stack.end(), child->children.rbegin(), child->children.rend());
  }
}

std::vector<SimDesktop::Hwnd> SimDesktop::TopLevelWindows() { return top_level_; }

bool SimDesktop::IsWindow(Hwnd window) { return Find(window) != nullptr; }

std::string SimDesktop::GetClassName(Hwnd window) {
  Window* w = Find(window);
  return w ? w->class_name : std::string();
}

SimDesktop::Hwnd SimDesktop::GetParent(Hwnd window) {
  Window* w = Find(window);
  return w ? w->parent : 0;
}

std::vector<SimDesktop::Hwnd> SimDesktop::ChildrenOf(Hwnd window) {
  if (window == 0) return top_level_;
  Window* w = Find(window);
  return w ? w->children : std::vector<Hwnd>{};
}

std::string SimDesktop::TitleOf(Hwnd window) {
  Window* w = Find(window);
  return w ? w->title : std::string();
}

void SimDesktop::SetTitle(Hwnd window, std::string_view title) {
  if (Window* w = Find(window)) w->title = std::string(title);
}

// --- Creating and destroying

platform::WindowProcId SimDesktop::AddProc(platform::WindowProc proc) {
  platform::WindowProcId id = next_proc_++;
  procs_[id] = std::move(proc);
  return id;
}

SimDesktop::Hwnd SimDesktop::CreateWindow(const platform::WindowCreation& creation) {
  if (creation.parent != 0 && !Find(creation.parent)) return 0;
  auto window = std::make_unique<Window>();
  Hwnd handle = next_handle_;
  next_handle_ += 4;  // handles are never reused
  window->handle = handle;
  window->class_name = creation.class_name;
  window->title = creation.title;
  window->parent = creation.parent;
  window->visible = creation.visible;
  window->rect = creation.bounds;
  window->ex_style = creation.ex_style;
  if (auto it = behaviours_.find(creation.class_name); it != behaviours_.end()) {
    window->behaviour = it->second(handle);
  }
  if (creation.proc) {
    window->proc = AddProc(creation.proc);
  } else {
    window->proc = AddProc([this, handle](Hwnd h, uint32_t m, WParam wp, LParam lp) -> LResult {
      if (WindowBehaviour* behaviour = BehaviourOf(handle)) {
        return behaviour->Handle(*this, h, m, wp, lp);
      }
      return DefWindowProc(h, m, wp, lp);
    });
  }
  window->owned_procs.push_back(window->proc);
  if (creation.parent == 0) {
    // A new top-level window goes on top of the others of its band; a child goes to the bottom
    // of its siblings, so children are met in the order they were made.
    windows_[handle] = std::move(window);
    RaiseTopLevel(handle);
  } else {
    Find(creation.parent)->children.push_back(handle);
    windows_[handle] = std::move(window);
  }
  SendMessage(handle, msg::kCreate, 0, 0);
  return handle;
}

void SimDesktop::Unlink(Window& window) { std::erase(SiblingsOf(window.parent), window.handle); }

void SimDesktop::DestroyWindow(Hwnd handle) {
  Window* w = Find(handle);
  if (!w) return;
  // WM_DESTROY reaches the window before its children, as in Windows; then the whole subtree
  // goes at once.
  std::vector<Hwnd> subtree{handle};
  EnumChildWindows(handle, [&](Hwnd child) {
    subtree.push_back(child);
    return true;
  });
  for (Hwnd h : subtree) SendMessage(h, msg::kDestroy, 0, 0);
  if (!(w = Find(handle))) return;
  bool lost_foreground = foreground_ == handle;
  Unlink(*w);
  for (Hwnd h : subtree) {
    Window* gone = Find(h);
    if (!gone) continue;
    for (auto id : gone->owned_procs) procs_.erase(id);
    std::erase_if(hooks_, [h](const auto& entry) { return entry.second.window == h; });
    std::erase(shell_hook_windows_, h);
    windows_.erase(h);
  }
  if (lost_foreground) {
    foreground_ = 0;
    ActivateNextAfterLosing(0);
  }
}

// --- Messages

LResult SimDesktop::SendMessage(Hwnd window, uint32_t message, WParam wparam, LParam lparam) {
  Window* w = Find(window);
  if (!w || w->hung) return 0;
  auto it = procs_.find(w->proc);
  if (it == procs_.end()) return DefWindowProc(window, message, wparam, lparam);
  // The procedure may replace itself or destroy the window while it runs.
  platform::WindowProc proc = it->second;
  return proc(window, message, wparam, lparam);
}

bool SimDesktop::PostMessage(Hwnd window, uint32_t message, WParam wparam, LParam lparam) {
  if (!Find(window)) return false;
  queue_.push_back(QueueItem{window, message, wparam, lparam, {}});
  return true;
}

std::optional<LResult> SimDesktop::SendMessageTimeout(Hwnd window, uint32_t message, WParam wparam,
                                                      LParam lparam, uint32_t flags,
                                                      uint32_t timeout_ms) {
  Window* w = Find(window);
  if (!w) return std::nullopt;
  if (w->hung) {
    // Without SMTO_ABORTIFHUNG the caller waits out the whole time-out first.
    if (!(flags & platform::kSmtoAbortIfHung)) clock_.Sleep(timeout_ms);
    return std::nullopt;
  }
  return SendMessage(window, message, wparam, lparam);
}

uint32_t SimDesktop::RegisterWindowMessage(std::string_view name) {
  if (name.empty()) return 0;
  auto [it, added] = registered_messages_.try_emplace(
      text::AsciiUpper(name), static_cast<uint32_t>(0xC000 + registered_messages_.size()));
  return it->second;
}

void SimDesktop::QueueWork(std::function<void()> work) {
  queue_.push_back(QueueItem{0, 0, 0, 0, std::move(work)});
}

bool SimDesktop::DispatchReady() {
  // Only what was queued before this call: items that handlers post now wait for the next round,
  // which keeps the order of messages as the queue had it.
  size_t count = queue_.size();
  for (size_t i = 0; i < count && !queue_.empty(); ++i) {
    QueueItem item = std::move(queue_.front());
    queue_.pop_front();
    Deliver(item);
  }
  return count > 0;
}

void SimDesktop::Deliver(const QueueItem& item) {
  if (item.work) {
    item.work();
    return;
  }
  Window* w = Find(item.window);
  if (!w || w->hung) return;
  uint32_t message = item.message;
  WParam wparam = item.wparam;
  LParam lparam = item.lparam;
  std::vector<platform::PostHookId> watching;
  for (const auto& [id, hook] : hooks_) {
    if (hook.window == item.window) watching.push_back(id);
  }
  for (platform::PostHookId id : watching) {
    auto it = hooks_.find(id);
    if (it == hooks_.end()) continue;
    platform::PostHook hook = it->second.hook;
    hook(message, wparam, lparam);
    if (message == 0 && wparam == 0) return;  // discarded: the window never sees it
  }
  SendMessage(item.window, message, wparam, lparam);
}

// --- Window procedures

platform::WindowProcId SimDesktop::SubclassWindow(Hwnd window, platform::WindowProc proc) {
  Window* w = Find(window);
  if (!w) return 0;
  platform::WindowProcId previous = w->proc;
  w->proc = AddProc(std::move(proc));
  w->owned_procs.push_back(w->proc);
  return previous;
}

void SimDesktop::SetWindowProc(Hwnd window, platform::WindowProcId proc) {
  Window* w = Find(window);
  // Putting back "no procedure" would leave the window unable to answer anything.
  if (!w || proc == 0 || !procs_.count(proc)) return;
  w->proc = proc;
}

LResult SimDesktop::CallWindowProc(platform::WindowProcId proc, Hwnd window, uint32_t message,
                                   WParam wparam, LParam lparam) {
  auto it = procs_.find(proc);
  if (it == procs_.end()) return DefWindowProc(window, message, wparam, lparam);
  platform::WindowProc copy = it->second;
  return copy(window, message, wparam, lparam);
}

LResult SimDesktop::DefWindowProc(Hwnd window, uint32_t message, WParam wparam, LParam lparam) {
  Window* w = Find(window);
  if (!w) return 0;
  switch (message) {
    case msg::kSetText:
      w->title = lparam ? reinterpret_cast<const char*>(lparam) : "";
      return 1;
    case msg::kGetText:
      return CopyText(w->title, wparam, lparam);
    case msg::kGetTextLength:
      return static_cast<LResult>(w->title.size());
    case msg::kNcLButtonDown:
      MoveSizeLoop(window, static_cast<int>(wparam));
      return 0;
    case msg::kClose:
      DestroyWindow(window);
      return 0;
    default:
      return 0;
  }
}

LResult SimDesktop::CopyText(std::string_view text, WParam size, LParam buffer) {
  if (size == 0 || buffer == 0) return 0;
  auto* out = reinterpret_cast<char*>(buffer);
  size_t n = std::min<size_t>(text.size(), size - 1);
  while (n > 0 && n < text.size() && text::IsUtf8Continuation(text[n])) --n;
  std::memcpy(out, text.data(), n);
  out[n] = '\0';
  return static_cast<LResult>(n);
}

void SimDesktop::MoveSizeLoop(Hwnd window, int hit) {
  // The loop follows the mouse until the button is released; the person's whole gesture is known
  // beforehand (SetPendingDrag). Without one, the button was released where it was pressed.
  if (!pending_drag_ || !Find(window)) return;
  platform::Point delta = *pending_drag_;
  pending_drag_.reset();
  SendMessage(window, msg::kEnterSizeMove, 0, 0);
  Rect rect = GetWindowRect(window);
  bool moving = hit == platform::ht::kCaption;
  if (moving) {
    rect.left += delta.x;
    rect.right += delta.x;
    rect.top += delta.y;
    rect.bottom += delta.y;
  } else {
    if (hit == platform::ht::kLeft) rect.left += delta.x;
    if (hit == platform::ht::kRight || hit == platform::ht::kBottomRight) rect.right += delta.x;
    if (hit == platform::ht::kTop) rect.top += delta.y;
    if (hit == platform::ht::kBottom || hit == platform::ht::kBottomRight) rect.bottom += delta.y;
  }
  // The window may correct the rectangle while it is being moved or sized (snapping).
  constexpr uint32_t kSizing = 0x0214;
  SendMessage(window, moving ? msg::kMoving : kSizing, static_cast<WParam>(hit),
              reinterpret_cast<LParam>(&rect));
  MoveWindow(window, rect);
  cursor_.x += delta.x;
  cursor_.y += delta.y;
  SendMessage(window, msg::kExitSizeMove, 0, 0);
}

platform::PostHookId SimDesktop::HookPostedMessages(Hwnd window, platform::PostHook hook) {
  if (!Find(window)) return 0;
  platform::PostHookId id = next_hook_++;
  hooks_[id] = Hook{window, std::move(hook)};
  return id;
}

void SimDesktop::UnhookPostedMessages(platform::PostHookId hook) { hooks_.erase(hook); }

// --- State on screen

bool SimDesktop::ShowWindow(Hwnd window, int command) {
  Window* w = Find(window);
  if (!w) return false;
  bool was_visible = w->visible;
  bool activate = false;
  switch (command) {
    case platform::sw::kHide:
      w->visible = false;
      break;
    case platform::sw::kShowMinimized:
    case platform::sw::kMinimize:
      w->visible = true;
      w->minimized = true;
      break;
    case platform::sw::kShowNoActivate:
      w->visible = true;
      w->minimized = false;
      break;
    case platform::sw::kShow:
      w->visible = true;
      activate = true;
      break;
    default:  // show normally, maximise, restore
      w->visible = true;
      w->minimized = false;
      activate = true;
      break;
  }
  if (w->parent == 0) {
    if (!w->visible && foreground_ == window) {
      ActivateNextAfterLosing(window);
    } else if (activate && !was_visible) {
      // A top-level window that comes back into view comes to the front.
      SetForegroundWindow(window);
    }
  }
  return was_visible;
}

bool SimDesktop::IsWindowVisible(Hwnd window) {
  for (Window* w = Find(window); w; w = Find(w->parent)) {
    if (!w->visible) return false;
    if (w->parent == 0) return true;
  }
  return false;
}

bool SimDesktop::IsIconic(Hwnd window) {
  Window* w = Find(window);
  return w && w->minimized;
}

bool SimDesktop::EnableWindow(Hwnd window, bool enable) {
  Window* w = Find(window);
  if (!w) return false;
  bool was_disabled = !w->enabled;
  w->enabled = enable;
  return was_disabled;
}

bool SimDesktop::IsWindowEnabled(Hwnd window) {
  Window* w = Find(window);
  return w && w->enabled;
}

Rect SimDesktop::GetWindowRect(Hwnd window) {
  Window* w = Find(window);
  return w ? w->rect : Rect{};
}

bool SimDesktop::MoveWindow(Hwnd window, const Rect& bounds) {
  Window* w = Find(window);
  if (!w) return false;
  Rect old = w->rect;
  w->rect = bounds;
  if (old.left != bounds.left || old.top != bounds.top) {
    SendMessage(window, msg::kMove, 0,
                static_cast<LParam>((bounds.left & 0xFFFF) | ((bounds.top & 0xFFFF) << 16)));
  }
  if (old.Width() != bounds.Width() || old.Height() != bounds.Height()) {
    SendMessage(
        window, msg::kSize, 0,
        static_cast<LParam>((bounds.Width() & 0xFFFF) | ((bounds.Height() & 0xFFFF) << 16)));
  }
  return true;
}

SimDesktop::Hwnd SimDesktop::SetParent(Hwnd window, Hwnd parent) {
  Window* w = Find(window);
  if (!w || window == parent || (parent != 0 && !Find(parent))) return 0;
  // A window cannot become a child of its own descendant.
  for (Window* p = Find(parent); p; p = Find(p->parent)) {
    if (p->handle == window) return 0;
  }
  Hwnd old = w->parent;
  Unlink(*w);
  w->parent = parent;
  if (parent == 0) {
    RaiseTopLevel(window);
  } else {
    auto& siblings = Find(parent)->children;
    siblings.insert(siblings.begin(), window);
    if (foreground_ == window) ActivateNextAfterLosing(window);
  }
  return old;
}

uint32_t SimDesktop::GetExStyle(Hwnd window) {
  Window* w = Find(window);
  return w ? w->ex_style : 0;
}

void SimDesktop::SetExStyle(Hwnd window, uint32_t ex_style) {
  Window* w = Find(window);
  if (!w) return;
  bool topmost_changed = ((w->ex_style ^ ex_style) & platform::kWsExTopmost) != 0;
  w->ex_style = ex_style;
  // Taking the layered style away makes the window opaque again and forgets its attributes.
  if (!(ex_style & platform::kWsExLayered)) {
    w->alpha = 255;
    w->layered_flags = 0;
  }
  if (topmost_changed && w->parent == 0) RaiseTopLevel(window);
}

bool SimDesktop::SetLayeredWindowAttributes(Hwnd window, platform::ColorRef, uint8_t alpha,
                                            uint32_t flags) {
  Window* w = Find(window);
  if (!w || !(w->ex_style & platform::kWsExLayered)) return false;
  w->alpha = alpha;
  w->layered_flags = flags;
  return true;
}

std::optional<uint8_t> SimDesktop::GetLayeredAlpha(Hwnd window) {
  Window* w = Find(window);
  if (!w || !(w->ex_style & platform::kWsExLayered) || !(w->layered_flags & platform::kLwaAlpha)) {
    return std::nullopt;
  }
  return w->alpha;
}

bool SimDesktop::SetTopMost(Hwnd window, bool topmost) {
  Window* w = Find(window);
  if (!w || w->parent != 0) return false;
  uint32_t style =
      topmost ? (w->ex_style | platform::kWsExTopmost) : (w->ex_style & ~platform::kWsExTopmost);
  w->ex_style = style;
  RaiseTopLevel(window);
  return true;
}

bool SimDesktop::IsTopMost(Hwnd window) {
  Window* w = Find(window);
  return w && (w->ex_style & platform::kWsExTopmost);
}

void SimDesktop::RaiseTopLevel(Hwnd window) {
  // Top-most windows form a band above the rest: a window goes to the top of its own band.
  std::erase(top_level_, window);
  auto first_plain =
      std::find_if(top_level_.begin(), top_level_.end(), [this](Hwnd h) { return !IsTopMost(h); });
  top_level_.insert(IsTopMost(window) ? top_level_.begin() : first_plain, window);
}

void SimDesktop::BringToTop(Hwnd window) {
  Window* w = Find(window);
  if (!w) return;
  if (w->parent == 0) {
    RaiseTopLevel(window);
  } else {
    auto& siblings = Find(w->parent)->children;
    std::erase(siblings, window);
    siblings.insert(siblings.begin(), window);
  }
}

void SimDesktop::PlaceAtBottom(Hwnd window) {
  Window* w = Find(window);
  if (!w || IsTopMost(window)) return;
  auto& siblings = SiblingsOf(w->parent);
  std::erase(siblings, window);
  siblings.push_back(window);
}

// --- Focus and activation

SimDesktop::Hwnd SimDesktop::TopLevelOf(Hwnd window) {
  Window* w = Find(window);
  while (w && w->parent != 0) w = Find(w->parent);
  return w ? w->handle : 0;
}

bool SimDesktop::SetForegroundWindow(Hwnd window) {
  Hwnd top = TopLevelOf(window);
  if (top == 0) return false;
  RaiseTopLevel(top);
  if (top == foreground_) return true;
  Hwnd old = foreground_;
  foreground_ = top;
  constexpr WParam kWaInactive = 0;
  constexpr WParam kWaActive = 1;
  if (old) SendMessage(old, msg::kActivate, kWaInactive, static_cast<LParam>(top));
  SendMessage(top, msg::kActivate, kWaActive, static_cast<LParam>(old));
  uint32_t shell_message = RegisterWindowMessage("SHELLHOOK");
  for (Hwnd registered : shell_hook_windows_) {
    PostMessage(registered, shell_message, platform::kHShellWindowActivated,
                static_cast<LParam>(top));
  }
  return true;
}

void SimDesktop::ActivateNextAfterLosing(Hwnd window) {
  // Windows hands activation to the next visible top-level window in z-order.
  for (Hwnd h : top_level_) {
    if (h != window && IsWindowVisible(h)) {
      SetForegroundWindow(h);
      return;
    }
  }
  foreground_ = 0;
}

SimDesktop::Hwnd SimDesktop::GetFocus() {
  Window* top = Find(foreground_);
  if (!top) return 0;
  if (top->focus != 0 && TopLevelOf(top->focus) == foreground_) return top->focus;
  return foreground_;
}

SimDesktop::Hwnd SimDesktop::SetFocus(Hwnd window) {
  Hwnd top = TopLevelOf(window);
  if (top == 0) return 0;
  Window* t = Find(top);
  Hwnd old = t->focus;
  if (old == window) return old;
  t->focus = window;
  if (old && Find(old)) SendMessage(old, msg::kKillFocus, window, 0);
  SendMessage(window, msg::kSetFocus, old, 0);
  return old;
}

void SimDesktop::AddShellHookWindow(Hwnd window) {
  if (Find(window) && std::find(shell_hook_windows_.begin(), shell_hook_windows_.end(), window) ==
                          shell_hook_windows_.end()) {
    shell_hook_windows_.push_back(window);
  }
}

void SimDesktop::RemoveShellHookWindow(Hwnd window) { std::erase(shell_hook_windows_, window); }

void SimDesktop::SetHung(Hwnd window, bool hung) {
  if (Window* w = Find(window)) w->hung = hung;
}

platform::ColorRef SimDesktop::GetSysColor(int index) {
  switch (index) {
    case 5:  // COLOR_WINDOW
      return platform::Rgb(255, 255, 255);
    case 8:  // COLOR_WINDOWTEXT
      return platform::Rgb(0, 0, 0);
    case 13:  // COLOR_HIGHLIGHT
      return platform::Rgb(0, 120, 215);
    case 15:  // COLOR_BTNFACE
      return platform::Rgb(240, 240, 240);
    default:
      return platform::Rgb(212, 208, 200);
  }
}

// --- The person's hands

void SimDesktop::TypeCharacter(char32_t character) {
  Hwnd target = GetFocus();
  if (target == 0) return;
  PostMessage(target, msg::kChar, text::CharCodeOf(character), 1);
}

void SimDesktop::PressKey(uint32_t virtual_key) {
  Hwnd target = GetFocus();
  if (target == 0) return;
  PostMessage(target, msg::kKeyDown, virtual_key, 1);
  // Keys that produce a character produce it between the key's down and up.
  if (virtual_key == platform::vk::kBack || virtual_key == platform::vk::kReturn ||
      virtual_key == platform::vk::kEscape || virtual_key == platform::vk::kTab) {
    PostMessage(target, msg::kChar, virtual_key, 1);
  }
  PostMessage(target, msg::kKeyUp, virtual_key, static_cast<LParam>(0xC0000001));
}

}  // namespace quillon::sim
