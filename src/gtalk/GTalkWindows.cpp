#include "gtalk/GTalkWindows.h"

#include <algorithm>

#include "gtalk/GTalkCommandIds.h"
#include "runtime/Runtime.h"
#include "services/ErrorReports.h"
#include "text/Strings.h"

namespace quillon::gtalk {

using platform::Hwnd;
using platform::LParam;
namespace msg = platform::msg;

Hwnd GTalkWindows::FindGTalk() {
  return runtime_.Windows().FindWindowEx(0, 0, kMainClass, std::nullopt);
}

std::string GTalkWindows::GetText(Hwnd window) {
  try {
    auto& windows = runtime_.Windows();
    auto length = windows.SendMessage(window, msg::kGetTextLength, 0, 0);
    if (length <= 0) return {};
    std::string buffer(static_cast<size_t>(length) + 1, '\0');
    auto got = windows.SendMessage(window, msg::kGetText, buffer.size(),
                                   reinterpret_cast<LParam>(buffer.data()));
    buffer.resize(static_cast<size_t>(std::clamp<platform::LResult>(got, 0, length)));
    return buffer;
  } catch (const std::exception& e) {
    reporter_.ReportError("GetText", nullptr, e);
    return {};
  }
}

std::string GTalkWindows::GetWndClass(Hwnd window) {
  std::string name = runtime_.Windows().GetClassName(window);
  return name.empty() ? "No class" : name;
}

void GTalkWindows::SetText(std::string_view text, Hwnd window, bool press_enter) {
  std::string copy(text);
  auto& windows = runtime_.Windows();
  windows.SendMessage(window, msg::kSetText, 0, reinterpret_cast<LParam>(copy.c_str()));
  if (press_enter) windows.SendMessage(window, msg::kImeKeyDown, platform::vk::kReturn, 0);
}

std::pair<Hwnd, Hwnd> GTalkWindows::FindStatusBox() {
  auto& windows = runtime_.Windows();
  Hwnd main_view = windows.FindWindowEx(FindGTalk(), 0, "Main View", std::nullopt);
  Hwnd status_area = windows.FindWindowEx(main_view, 0, "Status View 2", std::nullopt);
  Hwnd edit_box = windows.FindWindowEx(status_area, 0, "RichEdit20W", std::nullopt);
  return {status_area, edit_box};
}

platform::LResult GTalkWindows::SendMouseEvent(Hwnd window, uint32_t message, int x, int y) {
  auto& windows = runtime_.Windows();
  int px = x / windows.TwipsPerPixelX();
  int py = y / windows.TwipsPerPixelY();
  LParam point = static_cast<LParam>((px & 0xFFFF) | ((py & 0xFFFF) << 16));
  return windows.SendMessage(window, message, 0, point);
}

bool GTalkWindows::ChangeStatus(std::string_view text) {
  if (text.empty() || text == " ") return false;
  try {
    auto& windows = runtime_.Windows();
    Hwnd foreground = windows.GetForegroundWindow();
    auto [status_area, edit_box] = FindStatusBox();
    // A click in the status area puts the status line into editing mode.
    SendMouseEvent(status_area, msg::kLButtonDown, 350, 400);
    SendMouseEvent(status_area, msg::kLButtonUp, 350, 400);
    std::string copy(text);
    windows.SendMessage(edit_box, msg::kSetText, 0, reinterpret_cast<LParam>(copy.c_str()));
    // Enter goes to the status area, which commits the edit.
    windows.SendMessage(status_area, msg::kImeKeyDown, platform::vk::kReturn, 0);
    bool changed = GetText(edit_box) == text;
    if (foreground) windows.SetForegroundWindow(foreground);
    return changed;
  } catch (const std::exception& e) {
    reporter_.ReportError("ChangeStatus", nullptr, e);
    return false;
  }
}

std::string GTalkWindows::ApplyStatusPrefix(bool return_only, std::string_view text) {
  std::string prefix = state_.StatusPrefix;
  auto [status_area, edit_box] = FindStatusBox();
  std::string status = return_only ? std::string(text) : text::TrimBlanks(GetText(edit_box));
  std::string before = status;
  if (!status.empty() && status[0] == '(') {
    size_t close = status.find(')');
    if (close != std::string::npos) status = text::TrimBlanks(status.substr(close + 1));
  }
  if (!prefix.empty()) status = "(" + prefix + ") " + status;
  if (return_only) return status;
  if (status != before) ChangeStatus(status);
  return {};
}

bool GTalkWindows::SendCommand(uint32_t id) {
  return runtime_.Windows().PostMessage(FindGTalk(), msg::kCommand, id, 0);
}

bool GTalkWindows::SendAvatarCommand() {
  auto [status_area, edit_box] = FindStatusBox();
  return runtime_.Windows().PostMessage(status_area, msg::kCommand, command_id::kDisplayPicture, 0);
}

Hwnd GTalkWindows::LastChatWindow() {
  auto& windows = runtime_.Windows();
  Hwnd frame = windows.FindWindowEx(0, 0, kChatFrameClass, std::nullopt);
  if (!frame) return 0;
  return windows.FindWindowEx(0, 0, kChatViewClass, GetText(frame));
}

bool GTalkWindows::SendChatCommand(uint32_t id) {
  Hwnd view = LastChatWindow();
  if (!view) return false;
  return runtime_.Windows().PostMessage(view, msg::kCommand, id, 0);
}

void GTalkWindows::SendNotice(std::string_view text) {
  SetText("\r\n\r\n*Quillon:* " + std::string(text), state_.TransferInput, true);
}

std::string GTalkWindows::RemoveExtra(std::string_view title) {
  std::string result(title);
  for (std::string_view note :
       {std::string_view(" is typing"), std::string_view(" has entered text")}) {
    for (size_t at = result.find(note); at != std::string::npos; at = result.find(note, at)) {
      result.erase(at, note.size());
    }
  }
  return result;
}

void GTalkWindows::WaitTicks(uint64_t milliseconds) {
  // Until the tick count is past start + milliseconds, processing events meanwhile.
  runtime_.Loop().Pause(milliseconds + 1);
}

void GTalkWindows::Search(std::string_view contact) {
  try {
    auto& windows = runtime_.Windows();
    Hwnd main = FindGTalk();
    windows.ShowWindow(main, platform::sw::kHide);
    windows.ShowWindow(main, platform::sw::kShow);
    Hwnd main_view = windows.FindWindowEx(main, 0, "Main View", std::nullopt);
    Hwnd search_box = windows.FindWindowEx(main_view, 0, "RichEdit20W", std::nullopt);
    std::string name(contact);
    windows.SendMessage(search_box, msg::kSetText, 0, reinterpret_cast<LParam>(name.c_str()));
    WaitTicks(100);
    windows.SendMessage(search_box, msg::kImeKeyDown, platform::vk::kReturn, 0);
    WaitTicks(100);
    Hwnd invitation = windows.FindWindowEx(0, 0, std::nullopt, kInviteTitle);
    if (!invitation) {
      windows.ShowWindow(main, platform::sw::kHide);
      return;
    }
    auto answer = runtime_.MsgBox("Unable to find friend.  Would you like to invite them to Gmail?",
                                  platform::mb::kYesNo);
    if (answer == platform::DialogResult::kYes) {
      windows.SetForegroundWindow(invitation);
      Hwnd edit = windows.FindWindowEx(invitation, 0, "Edit", std::nullopt);
      SetText(name, edit, false);
    } else {
      windows.SendMessage(invitation, msg::kImeKeyDown, platform::vk::kEscape, 0);
    }
  } catch (const std::exception& e) {
    reporter_.ReportError("Search", nullptr, e);
  }
}

void GTalkWindows::DragForm(Hwnd window, int hit_code) {
  auto& windows = runtime_.Windows();
  windows.ReleaseCapture();
  windows.SendMessage(window, msg::kNcLButtonDown, static_cast<platform::WParam>(hit_code), 0);
}

}  // namespace quillon::gtalk
