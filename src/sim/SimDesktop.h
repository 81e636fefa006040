#pragma once
// The simulated Windows desktop: a window table that behaves as Windows does for every call the
// program makes (finding, messages sent and posted, subclassing, hooks on posted messages,
// visibility, z-order, activation and the shell notification, layered and top-most windows), and
// the person's side of it (typing, keys, mouse gestures) for the sandbox.
//
// One desktop per user. Posted messages and queued work wait in one FIFO until the event loop
// asks the desktop (as an event source) to dispatch them.
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/EventSource.h"
#include "platform/WindowSystem.h"
#include "sim/WindowBehaviour.h"

namespace quillon::platform {
class Clock;
}

namespace quillon::sim {

class SimHtmlDocument;
class RichEditBox;

class SimDesktop : public platform::WindowSystem, public platform::EventSource {
 public:
  using Hwnd = platform::Hwnd;
  using WParam = platform::WParam;
  using LParam = platform::LParam;
  using LResult = platform::LResult;

  explicit SimDesktop(platform::Clock& clock, int screen_width = 1024, int screen_height = 768);
  ~SimDesktop() override;

  // --- platform::WindowSystem
  Hwnd FindWindowEx(Hwnd parent, Hwnd after, std::optional<std::string_view> class_name,
                    std::optional<std::string_view> title) override;
  void EnumChildWindows(Hwnd parent, const std::function<bool(Hwnd)>& visit) override;
  std::vector<Hwnd> TopLevelWindows() override;
  bool IsWindow(Hwnd window) override;
  std::string GetClassName(Hwnd window) override;
  Hwnd GetParent(Hwnd window) override;
  Hwnd CreateWindow(const platform::WindowCreation& creation) override;
  void DestroyWindow(Hwnd window) override;
  LResult SendMessage(Hwnd window, uint32_t message, WParam wparam, LParam lparam) override;
  bool PostMessage(Hwnd window, uint32_t message, WParam wparam, LParam lparam) override;
  std::optional<LResult> SendMessageTimeout(Hwnd window, uint32_t message, WParam wparam,
                                            LParam lparam, uint32_t flags,
                                            uint32_t timeout_ms) override;
  uint32_t RegisterWindowMessage(std::string_view name) override;
  platform::WindowProcId SubclassWindow(Hwnd window, platform::WindowProc proc) override;
  void SetWindowProc(Hwnd window, platform::WindowProcId proc) override;
  LResult CallWindowProc(platform::WindowProcId proc, Hwnd window, uint32_t message, WParam wparam,
                         LParam lparam) override;
  LResult DefWindowProc(Hwnd window, uint32_t message, WParam wparam, LParam lparam) override;
  platform::PostHookId HookPostedMessages(Hwnd window, platform::PostHook hook) override;
  void UnhookPostedMessages(platform::PostHookId hook) override;
  bool ShowWindow(Hwnd window, int command) override;
  bool IsWindowVisible(Hwnd window) override;
  bool IsIconic(Hwnd window) override;
  bool EnableWindow(Hwnd window, bool enable) override;
  bool IsWindowEnabled(Hwnd window) override;
  platform::Rect GetWindowRect(Hwnd window) override;
  bool MoveWindow(Hwnd window, const platform::Rect& bounds) override;
  Hwnd SetParent(Hwnd window, Hwnd parent) override;
  uint32_t GetExStyle(Hwnd window) override;
  void SetExStyle(Hwnd window, uint32_t ex_style) override;
  bool SetLayeredWindowAttributes(Hwnd window, platform::ColorRef key, uint8_t alpha,
                                  uint32_t flags) override;
  std::optional<uint8_t> GetLayeredAlpha(Hwnd window) override;
  bool SetTopMost(Hwnd window, bool topmost) override;
  Hwnd GetForegroundWindow() override { return foreground_; }
  bool SetForegroundWindow(Hwnd window) override;
  Hwnd GetFocus() override;
  Hwnd SetFocus(Hwnd window) override;
  void ReleaseCapture() override {}
  int ScreenWidth() override { return screen_width_; }
  int ScreenHeight() override { return screen_height_; }
  int TwipsPerPixelX() override { return 15; }
  int TwipsPerPixelY() override { return 15; }
  platform::ColorRef GetSysColor(int index) override;
  platform::Point GetCursorPos() override { return cursor_; }

  // --- platform::EventSource: dispatches the posted messages and queued work.
  bool DispatchReady() override;

  // --- The simulation's own side (the sandbox, the stand-in, tests)
  // Window classes with behaviour of their own ("RichEdit20W", "Edit", "Internet Explorer_Server").
  using BehaviourFactory = std::function<std::unique_ptr<WindowBehaviour>(Hwnd)>;
  void RegisterClassBehaviour(std::string class_name, BehaviourFactory factory);
  WindowBehaviour* BehaviourOf(Hwnd window);
  RichEditBox* RichEditOf(Hwnd window);
  std::shared_ptr<SimHtmlDocument> DocumentOf(Hwnd window);

  // Work that runs from the queue, in order with posted messages (a key press, a hotkey).
  void QueueWork(std::function<void()> work);

  // A hung window answers no message: sends are dropped, timed sends time out.
  void SetHung(Hwnd window, bool hung);
  // WM_GETTEXT's copy: as much of `text` as fits in `size` bytes with its terminator, never
  // cutting a character in two; returns the bytes copied.
  static LResult CopyText(std::string_view text, WParam size, LParam buffer);
  // The title as stored, without sending anything (for dumps and checks).
  std::string TitleOf(Hwnd window);
  // Changes a window's stored title directly (what a program does to its own window).
  void SetTitle(Hwnd window, std::string_view title);
  std::vector<Hwnd> ChildrenOf(Hwnd window);
  // Z-order changes without activation (SetWindowPos with HWND_TOP / HWND_BOTTOM), as another
  // program does to its own windows.
  void BringToTop(Hwnd window);
  void PlaceAtBottom(Hwnd window);
  bool IsTopMost(Hwnd window);

  // The person's hands: WM_KEYDOWN / WM_CHAR / WM_KEYUP posted to the focused window of the
  // foreground window, as a keyboard produces them.
  void TypeCharacter(char32_t character);
  void PressKey(uint32_t virtual_key);
  // The person's next mouse drag, taken up by the move/size loop that a WM_NCLBUTTONDOWN starts.
  void SetPendingDrag(int dx, int dy) { pending_drag_ = platform::Point{dx, dy}; }
  // Whether a gesture set beforehand is still waiting for a move/size loop; clearing it lets go
  // of one that no loop took up.
  bool DragPending() const { return pending_drag_.has_value(); }
  void ClearPendingDrag() { pending_drag_.reset(); }
  void SetCursorPos(platform::Point where) { cursor_ = where; }

  // Shell hook registrations (the shell's side of the desktop).
  void AddShellHookWindow(Hwnd window);
  void RemoveShellHookWindow(Hwnd window);

  platform::Clock& Clock() { return clock_; }

 private:
  struct Window;
  struct QueueItem {
    Hwnd window = 0;
    uint32_t message = 0;
    WParam wparam = 0;
    LParam lparam = 0;
    std::function<void()> work;  // set for queued work instead of a message
  };

  Window* Find(Hwnd window);
  std::vector<Hwnd>& SiblingsOf(Hwnd parent);
  void Unlink(Window& window);
  void RaiseTopLevel(Hwnd window);
  Hwnd TopLevelOf(Hwnd window);
  void ActivateNextAfterLosing(Hwnd window);
  void Deliver(const QueueItem& item);
  void MoveSizeLoop(Hwnd window, int hit);
  platform::WindowProcId AddProc(platform::WindowProc proc);

  platform::Clock& clock_;
  int screen_width_;
  int screen_height_;
  uint32_t next_handle_ = 0x00010010;
  std::unordered_map<Hwnd, std::unique_ptr<Window>> windows_;
  std::vector<Hwnd> top_level_;  // z-order, topmost first
  std::unordered_map<platform::WindowProcId, platform::WindowProc> procs_;
  platform::WindowProcId next_proc_ = 1;
  std::map<std::string, uint32_t> registered_messages_;  // by upper-case name
  struct Hook {
    Hwnd window;
    platform::PostHook hook;
  };
  std::map<platform::PostHookId, Hook> hooks_;
  platform::PostHookId next_hook_ = 1;
  std::map<std::string, BehaviourFactory> behaviours_;
  std::deque<QueueItem> queue_;
  std::vector<Hwnd> shell_hook_windows_;
  Hwnd foreground_ = 0;
  std::optional<platform::Point> pending_drag_;
  platform::Point cursor_{};
};

}  // namespace quillon::sim
