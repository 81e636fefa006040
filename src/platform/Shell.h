#pragma once
// The shell: activation notifications for a registered window, opening documents and addresses,
// starting programs, the notification-area icons of windows, and the clipboard.
//
// Contract:
// - Called on the program's one thread. Shell hook notifications arrive as the registered
//   "SHELLHOOK" message posted to each registered window (wParam the code, lParam the window).
// - Failures come back as false / empty results; nothing throws.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Window.h"

namespace quillon::platform {

// An icon is named by a handle; the shell only records which handle a notification icon shows.
using IconHandle = uint32_t;

// The fields of NOTIFYICONDATA the program uses.
struct NotifyIcon {
  Hwnd window = 0;
  uint32_t id = 0;
  uint32_t flags = 0;  // kNifMessage | kNifIcon | kNifTip: which of the fields below apply
  uint32_t callback_message = 0;
  IconHandle icon = 0;
  std::string tip;
};
constexpr uint32_t kNifMessage = 0x1;
constexpr uint32_t kNifIcon = 0x2;
constexpr uint32_t kNifTip = 0x4;

enum class NotifyIconOp { kAdd = 0, kModify = 1, kDelete = 2 };

// The system's version as GetVersionEx reports it (platform 2: the NT line).
struct OsVersion {
  int major = 0;
  int minor = 0;
  int platform_id = 0;
};

class Shell {
 public:
  virtual ~Shell() = default;

  // RegisterShellHook: from now on `window` receives the shell notifications. Registering twice
  // has the effect of registering once.
  virtual bool RegisterShellHook(Hwnd window) = 0;
  virtual void DeregisterShellHook(Hwnd window) = 0;

  // ShellExecute with the "open" verb: opens a document, folder or web address with whatever
  // the user's desktop opens it with. Returns false when nothing could be asked to open it.
  virtual bool Open(std::string_view target) = 0;

  // Starts a program without waiting for it: `program` found as a path or on the search path,
  // given `arguments` as separate words (never through a command interpreter). Returns false
  // when it could not be started.
  virtual bool StartProcess(std::string_view program,
                            const std::vector<std::string>& arguments) = 0;

  // Shell_NotifyIcon. kModify and kDelete fail for an icon (window, id) that was never added.
  virtual bool NotifyIconChange(NotifyIconOp op, const NotifyIcon& icon) = 0;

  // The clipboard's text; SetClipboardText("") empties it.
  virtual OsVersion GetVersion() = 0;

  virtual std::optional<std::string> GetClipboardText() = 0;
  virtual void SetClipboardText(std::string_view text) = 0;
};

}  // namespace quillon::platform
