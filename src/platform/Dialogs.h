#pragma once
// The dialogs the program shows: message boxes, input boxes, file and colour pickers.
//
// Contract: called on the program's one thread. Each call is modal: it returns when the person
// has answered, and the program's other events may run meanwhile (nested in the call). A
// cancelled dialog returns nullopt.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Window.h"

namespace quillon::platform {

// MessageBox flags (buttons in the low nibble, icon in the next).
namespace mb {
constexpr uint32_t kOk = 0x0;
constexpr uint32_t kOkCancel = 0x1;
constexpr uint32_t kYesNoCancel = 0x3;
constexpr uint32_t kYesNo = 0x4;
constexpr uint32_t kIconStop = 0x10;
constexpr uint32_t kIconQuestion = 0x20;
constexpr uint32_t kIconExclamation = 0x30;
constexpr uint32_t kIconInformation = 0x40;
constexpr uint32_t kSystemModal = 0x1000;
constexpr uint32_t kSetForeground = 0x10000;
}  // namespace mb

// MessageBox results.
enum class DialogResult { kOk = 1, kCancel = 2, kYes = 6, kNo = 7 };

struct FileFilter {
  std::string description;  // "Text files"
  std::string pattern;      // "*.txt"
};

// One item of a popup menu as the menu shows it. `command` is what TrackPopupMenu returns when the
// person chooses the item; items with children open a submenu and are not chosen themselves.
struct PopupMenuItem {
  std::string caption;  // "&" marks the access key; "-" is a separator
  uint32_t command = 0;
  bool enabled = true;
  bool checked = false;
  bool is_default = false;
  int icon = -1;  // index into the menu's pictures; -1 none
  std::vector<PopupMenuItem> children;
};

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  virtual DialogResult MessageBox(std::string_view text, std::string_view title,
                                  uint32_t flags) = 0;
  // InputBox: nullopt when cancelled. OK with an empty box gives "".
  virtual std::optional<std::string> InputBox(std::string_view prompt, std::string_view title,
                                              std::string_view initial) = 0;
  // File dialogs: a full path, or nullopt when cancelled. They open in `initial_folder` when one
  // is given, else where the system's dialog last was.
  virtual std::optional<std::string> OpenFile(std::string_view title,
                                              const std::vector<FileFilter>& filters,
                                              std::string_view initial_folder = {}) = 0;
  virtual std::optional<std::string> SaveFile(std::string_view title,
                                              std::string_view suggested_name,
                                              const std::vector<FileFilter>& filters,
                                              std::string_view initial_folder = {}) = 0;
  virtual std::optional<ColorRef> ChooseColor(ColorRef initial) = 0;
  // Shows a popup menu at `where` (screen pixels) owned by `owner` and waits until the person
  // chooses an item (its command) or dismisses the menu (0). Hidden items are not passed in.
  virtual uint32_t TrackPopupMenu(Hwnd owner, const std::vector<PopupMenuItem>& items,
                                  Point where) = 0;
};

}  // namespace quillon::platform
