#pragma once
// The window system: finding windows, reading and writing them with messages, their state on
// screen, and the two ways of watching another window's messages (subclassing one's own window
// procedure, and a hook on a posted-message queue).
//
// Contract:
// - Called only on the program's one thread. Window procedures and hooks are called on that thread
//   too: synchronously inside SendMessage, and from the event loop for posted messages.
// - Every operation accepts handle 0 or a destroyed window and then does nothing harmful: finds
//   return 0, reads return empty results, sends return 0, posts return false.
// - Texts are UTF-8. WM_GETTEXTLENGTH counts bytes; selection positions count characters.
// - Messages that carry pointers (WM_GETTEXT, WM_SETTEXT, EM_REPLACESEL, EM_EXGETSEL, ...) carry
//   them in LParam as in Windows; the pointed-to memory belongs to the sender and lives until the
//   send returns. Such messages may be sent, never posted.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Window.h"

namespace quillon::platform {

using WindowProc = std::function<LResult(Hwnd, uint32_t, WParam, LParam)>;

// Identifies a window procedure so that it can be put back or called on (the role of the old
// procedure pointer that SetWindowLong returns). 0 is "none".
using WindowProcId = uint32_t;

// Sees a message posted to a watched window before the window does. It may change the message;
// setting both `message` and `wparam` to 0 discards it, so the window never receives it.
using PostHook = std::function<void(uint32_t& message, WParam& wparam, LParam& lparam)>;
using PostHookId = uint32_t;

struct WindowCreation {
  std::string class_name;
  std::string title;
  Hwnd parent = 0;  // 0: a top-level window
  Rect bounds;
  bool visible = false;
  uint32_t ex_style = 0;
  WindowProc proc;  // the window's own procedure; empty: the default procedure
};

class WindowSystem {
 public:
  virtual ~WindowSystem() = default;

  // --- Finding windows
  // FindWindowEx: the first child of `parent` (0: the desktop, i.e. top-level windows) after
  // `after` in z-order whose class and title equal the given ones exactly; an absent class or
  // title matches any.
  virtual Hwnd FindWindowEx(Hwnd parent, Hwnd after, std::optional<std::string_view> class_name,
                            std::optional<std::string_view> title) = 0;
  // Every descendant of `parent`, depth-first, each child before its own children, siblings in
  // z-order (EnumChildWindows). `visit` returns false to stop.
  virtual void EnumChildWindows(Hwnd parent, const std::function<bool(Hwnd)>& visit) = 0;
  // Top-level windows in z-order, topmost first.
  virtual std::vector<Hwnd> TopLevelWindows() = 0;
  virtual bool IsWindow(Hwnd window) = 0;
  // The class name; empty for 0 or a destroyed window (GetClassName returning 0).
  virtual std::string GetClassName(Hwnd window) = 0;
  virtual Hwnd GetParent(Hwnd window) = 0;

  // --- Creating windows (the program's own forms and controls)
  virtual Hwnd CreateWindow(const WindowCreation& creation) = 0;
  // Destroys the window and all its descendants (children first get WM_DESTROY).
  virtual void DestroyWindow(Hwnd window) = 0;

  // --- Messages
  virtual LResult SendMessage(Hwnd window, uint32_t message, WParam wparam, LParam lparam) = 0;
  // Queues the message; it is delivered (through any post hook) when the event loop runs.
  virtual bool PostMessage(Hwnd window, uint32_t message, WParam wparam, LParam lparam) = 0;
  // nullopt when the window is hung (at once with kSmtoAbortIfHung, after `timeout_ms` otherwise)
  // or not a window.
  virtual std::optional<LResult> SendMessageTimeout(Hwnd window, uint32_t message, WParam wparam,
                                                    LParam lparam, uint32_t flags,
                                                    uint32_t timeout_ms) = 0;
  // The same name gives the same id for the life of the desktop; ids are 0xC000 and above.
  virtual uint32_t RegisterWindowMessage(std::string_view name) = 0;

  // --- Window procedures
  // Makes `proc` the window's procedure and returns the id of the one it replaces, which `proc`
  // passes messages on to with CallWindowProc.
  virtual WindowProcId SubclassWindow(Hwnd window, WindowProc proc) = 0;
  // Puts a procedure back by id (SetWindowLong with the old procedure). Id 0 changes nothing.
  virtual void SetWindowProc(Hwnd window, WindowProcId proc) = 0;
  virtual LResult CallWindowProc(WindowProcId proc, Hwnd window, uint32_t message, WParam wparam,
                                 LParam lparam) = 0;
  // The default handling of a message (DefWindowProc): text, the move/size loop, ...
  virtual LResult DefWindowProc(Hwnd window, uint32_t message, WParam wparam, LParam lparam) = 0;

  // --- Posted-message hook (watches one window's queue)
  virtual PostHookId HookPostedMessages(Hwnd window, PostHook hook) = 0;
  virtual void UnhookPostedMessages(PostHookId hook) = 0;

  // --- State on screen
  virtual bool ShowWindow(Hwnd window, int command) = 0;
  // Visible when the window and all its ancestors are.
  virtual bool IsWindowVisible(Hwnd window) = 0;
  virtual bool IsIconic(Hwnd window) = 0;
  virtual bool EnableWindow(Hwnd window, bool enable) = 0;
  virtual bool IsWindowEnabled(Hwnd window) = 0;
  // Position relative to the parent's client area (the screen for top-level windows).
  virtual Rect GetWindowRect(Hwnd window) = 0;
  virtual bool MoveWindow(Hwnd window, const Rect& bounds) = 0;
  // Re-parents the window (0: top-level); returns the old parent, 0 on failure.
  virtual Hwnd SetParent(Hwnd window, Hwnd parent) = 0;
  virtual uint32_t GetExStyle(Hwnd window) = 0;
  virtual void SetExStyle(Hwnd window, uint32_t ex_style) = 0;
  // Fails (false) when the window is not layered.
  virtual bool SetLayeredWindowAttributes(Hwnd window, ColorRef key, uint8_t alpha,
                                          uint32_t flags) = 0;
  // The alpha of a layered window with kLwaAlpha set; nullopt otherwise.
  virtual std::optional<uint8_t> GetLayeredAlpha(Hwnd window) = 0;
  // Top-most (HWND_TOPMOST) or not (HWND_NOTOPMOST), without moving or activating it.
  virtual bool SetTopMost(Hwnd window, bool topmost) = 0;

  // --- Focus and activation
  virtual Hwnd GetForegroundWindow() = 0;
  // Brings a top-level window (or the top-level ancestor of a child) to the front and notifies
  // the shell hook.
  virtual bool SetForegroundWindow(Hwnd window) = 0;
  virtual Hwnd GetFocus() = 0;
  virtual Hwnd SetFocus(Hwnd window) = 0;
  virtual void ReleaseCapture() = 0;

  // --- Screen
  virtual int ScreenWidth() = 0;   // pixels
  virtual int ScreenHeight() = 0;  // pixels
  virtual int TwipsPerPixelX() = 0;
  virtual int TwipsPerPixelY() = 0;
  virtual ColorRef GetSysColor(int index) = 0;
  virtual Point GetCursorPos() = 0;
};

}  // namespace quillon::platform
