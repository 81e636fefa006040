#pragma once
// The colours a person gives a chat: the message area's background and text (applied by the chat
// view pass from the settings) and the typing area's background (applied here to the input box).
// The three menu commands ask for a colour with the colour dialog and store it.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Window.h"

namespace quillon::platform {
class WindowSystem;
}  // namespace quillon::platform

#include "services/ChatState.h"
#include "services/ErrorReports.h"
#include "services/SettingsStore.h"

namespace quillon::runtime {
class Form;
class Runtime;
}  // namespace quillon::runtime

namespace quillon::chatview {

class ChatColors {
 public:
  enum Area { kMessageArea = 1, kTypingArea = 2, kFontColor = 3 };

  // `form` is the main form, for which errors are reported.
  ChatColors(runtime::Runtime& rt, services::SettingsStore& settings,
             services::ErrorReports& reports, services::ChatState& chat, runtime::Form& form)
      : rt_(rt), settings_(settings), reports_(reports), chat_(chat), form_(form) {}

  // The typing-area colour onto the current chat input, or white when that colour is off.
  void RefreshBackgrounds();
  // The menu command for one of the three colours (an Area).
  void ChooseColor(int which);

  // A colour value as six upper-case hexadecimal digits RRGGBB. A negative value names a system
  // colour by the index in its low bits.
  static std::string ColorToHex(int32_t color, platform::WindowSystem& windows);
  // "RRGGBB" back to a colour value; nothing for any other text.
  static std::optional<platform::ColorRef> HexToColor(std::string_view hex);

 private:
  runtime::Runtime& rt_;
  services::SettingsStore& settings_;
  services::ErrorReports& reports_;
  services::ChatState& chat_;
  runtime::Form& form_;
};

}  // namespace quillon::chatview
