#pragma once
// The words of the window system that every interface of the seam shares: handles, message
// numbers and the constants the program sends. Numbers are Windows' own, so a Windows backend
// passes them through unchanged.
#include <cstdint>

namespace quillon::platform {

// A window handle. 0 is "no window"; handles are never reused while the desktop lives.
using Hwnd = uint32_t;
using WParam = uint64_t;
using LParam = int64_t;
using LResult = int64_t;

struct Point {
  int x = 0;
  int y = 0;
  bool operator==(const Point&) const = default;
};

struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool operator==(const Rect&) const = default;
};

// A colour as Windows stores it: red in the low byte, then green, then blue.
using ColorRef = uint32_t;
constexpr ColorRef Rgb(uint8_t r, uint8_t g, uint8_t b) {
  return static_cast<ColorRef>(r) | (static_cast<ColorRef>(g) << 8) |
         (static_cast<ColorRef>(b) << 16);
}

// A selection range in characters, as EM_EXGETSEL and EM_EXSETSEL carry it (CHARRANGE).
struct CharRange {
  int32_t min = 0;
  int32_t max = 0;
};

namespace msg {
constexpr uint32_t kNull = 0x0000;
constexpr uint32_t kCreate = 0x0001;
constexpr uint32_t kDestroy = 0x0002;
constexpr uint32_t kMove = 0x0003;
constexpr uint32_t kSize = 0x0005;
constexpr uint32_t kActivate = 0x0006;
constexpr uint32_t kSetFocus = 0x0007;
constexpr uint32_t kKillFocus = 0x0008;
constexpr uint32_t kSetText = 0x000C;
constexpr uint32_t kGetText = 0x000D;
constexpr uint32_t kGetTextLength = 0x000E;
constexpr uint32_t kClose = 0x0010;
constexpr uint32_t kShowWindow = 0x0018;
constexpr uint32_t kNcLButtonDown = 0x00A1;
constexpr uint32_t kKeyDown = 0x0100;
constexpr uint32_t kKeyUp = 0x0101;
constexpr uint32_t kChar = 0x0102;
constexpr uint32_t kCommand = 0x0111;
constexpr uint32_t kTimer = 0x0113;
constexpr uint32_t kMouseMove = 0x0200;
constexpr uint32_t kLButtonDown = 0x0201;
constexpr uint32_t kLButtonUp = 0x0202;
constexpr uint32_t kLButtonDblClk = 0x0203;
constexpr uint32_t kRButtonDown = 0x0204;
constexpr uint32_t kRButtonUp = 0x0205;
constexpr uint32_t kMButtonDown = 0x0207;
constexpr uint32_t kMButtonUp = 0x0208;
constexpr uint32_t kMoving = 0x0216;
constexpr uint32_t kEnterSizeMove = 0x0231;
constexpr uint32_t kExitSizeMove = 0x0232;
constexpr uint32_t kImeKeyDown = 0x0290;
constexpr uint32_t kHotkey = 0x0312;
constexpr uint32_t kUser = 0x0400;
// Rich edit messages.
constexpr uint32_t kEmGetSel = 0x00B0;
constexpr uint32_t kEmSetSel = 0x00B1;
constexpr uint32_t kEmReplaceSel = 0x00C2;
constexpr uint32_t kEmSetReadOnly = 0x00CF;
constexpr uint32_t kEmExGetSel = 0x0434;
constexpr uint32_t kEmExSetSel = 0x0437;
constexpr uint32_t kEmSetBkgndColor = 0x0443;
constexpr uint32_t kEmSetOptions = 0x044D;
constexpr uint32_t kEmGetOptions = 0x044E;
constexpr uint32_t kEmGetZoom = 0x04E0;
constexpr uint32_t kEmSetZoom = 0x04E1;
}  // namespace msg

// EM_SETOPTIONS operations and the read-only option.
constexpr WParam kEcoOpSet = 1;
constexpr WParam kEcoOpOr = 2;
constexpr WParam kEcoOpAnd = 3;
constexpr WParam kEcoOpXor = 4;
constexpr LParam kEcoReadOnly = 0x0800;

// Virtual keys the program and the person use.
namespace vk {
constexpr uint32_t kBack = 0x08;
constexpr uint32_t kTab = 0x09;
constexpr uint32_t kReturn = 0x0D;
constexpr uint32_t kEscape = 0x1B;
constexpr uint32_t kEnd = 0x23;
constexpr uint32_t kHome = 0x24;
constexpr uint32_t kLeft = 0x25;
constexpr uint32_t kRight = 0x27;
}  // namespace vk

// ShowWindow commands.
namespace sw {
constexpr int kHide = 0;
constexpr int kShowNormal = 1;
constexpr int kShowMinimized = 2;
constexpr int kMaximize = 3;
constexpr int kShowNoActivate = 4;
constexpr int kShow = 5;
constexpr int kMinimize = 6;
constexpr int kRestore = 9;
}  // namespace sw

// Extended window styles.
constexpr uint32_t kWsExTopmost = 0x00000008;
constexpr uint32_t kWsExToolWindow = 0x00000080;
constexpr uint32_t kWsExLayered = 0x00080000;

// Layered window attribute flags.
constexpr uint32_t kLwaColorKey = 0x1;
constexpr uint32_t kLwaAlpha = 0x2;

// SendMessageTimeout flags.
constexpr uint32_t kSmtoNormal = 0x0;
constexpr uint32_t kSmtoAbortIfHung = 0x2;

// Hit-test codes for WM_NCLBUTTONDOWN (the modal move/size loop).
namespace ht {
constexpr int kCaption = 2;
constexpr int kLeft = 10;
constexpr int kRight = 11;
constexpr int kTop = 12;
constexpr int kBottom = 15;
constexpr int kBottomRight = 17;
}  // namespace ht

// The shell hook notification a registered window receives when a top-level window is activated.
constexpr WParam kHShellWindowActivated = 4;

}  // namespace quillon::platform
