#pragma once
// Google Talk's windows as the program knows them (found by class and title), and the small set
// of operations the program does on them: read and write a window's text, press Enter, read and
// set the status line, send Google Talk's own menu commands, put a notice into a chat, and open a
// chat with a contact. Google Talk not running is no error: finds return 0 and the rest then
// does nothing.
#include <string>
#include <string_view>
#include <utility>

#include "platform/Window.h"
#include "services/ChatState.h"

namespace quillon::runtime {
class Runtime;
}
namespace quillon::services {
class ErrorReports;
}

namespace quillon::gtalk {

class GTalkWindows {
 public:
  static constexpr const char* kMainClass = "Google Talk - Google Xmpp Client GUI Window";
  static constexpr const char* kChatFrameClass = "ATL:00572B88";
  static constexpr const char* kChatViewClass = "Chat View";
  static constexpr const char* kInviteTitle = "Invite your friends to Google Talk";

  GTalkWindows(runtime::Runtime& runtime, services::ErrorReports& reporter,
               services::ChatState& state)
      : runtime_(runtime), reporter_(reporter), state_(state) {}

  platform::Hwnd FindGTalk();
  std::string GetText(platform::Hwnd window);
  std::string GetWndClass(platform::Hwnd window);
  void SetText(std::string_view text, platform::Hwnd window, bool press_enter);
  // (status area, status edit box)
  std::pair<platform::Hwnd, platform::Hwnd> FindStatusBox();
  // X and Y in twips; the window receives pixels.
  platform::LResult SendMouseEvent(platform::Hwnd window, uint32_t message, int x, int y);
  bool ChangeStatus(std::string_view text);
  std::string ApplyStatusPrefix(bool return_only, std::string_view text);
  bool SendCommand(uint32_t id);
  bool SendAvatarCommand();
  bool SendChatCommand(uint32_t id);
  void SendNotice(std::string_view text);
  static std::string RemoveExtra(std::string_view title);
  void WaitTicks(uint64_t milliseconds);
  void Search(std::string_view contact);
  void DragForm(platform::Hwnd window, int hit_code);

  // The "Chat View" window of the chat frame used last (0 when no chat is open).
  platform::Hwnd LastChatWindow();

 private:
  runtime::Runtime& runtime_;
  services::ErrorReports& reporter_;
  services::ChatState& state_;
};

}  // namespace quillon::gtalk
