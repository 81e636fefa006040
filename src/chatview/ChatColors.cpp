#include "chatview/ChatColors.h"

#include <charconv>
#include <cstdio>
#include <exception>

#include "platform/WindowSystem.h"
#include "runtime/Form.h"
#include "runtime/Runtime.h"

namespace quillon::chatview {
namespace {

constexpr platform::ColorRef kWhite = 0xFFFFFF;

std::optional<int32_t> WholeNumber(std::string_view text) {
  int32_t value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

}  // namespace

std::string ChatColors::ColorToHex(int32_t color, platform::WindowSystem& windows) {
  uint32_t value = static_cast<uint32_t>(color);
  if (color < 0) value = windows.GetSysColor(static_cast<int>(value & 0xFFFFFF));
  char text[7];
  std::snprintf(text, sizeof text, "%02X%02X%02X", value & 0xFF, (value >> 8) & 0xFF,
                (value >> 16) & 0xFF);
  return text;
}

std::optional<platform::ColorRef> ChatColors::HexToColor(std::string_view hex) {
  if (hex.size() != 6) return std::nullopt;
  uint32_t value = 0;
  auto [end, error] = std::from_chars(hex.data(), hex.data() + hex.size(), value, 16);
  if (error != std::errc() || end != hex.data() + hex.size()) return std::nullopt;
  return platform::Rgb(static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 8),
                       static_cast<uint8_t>(value));
}

void ChatColors::RefreshBackgrounds() {
  try {
    platform::LParam color = kWhite;
    if (settings_.ReadSetting("ChatBack", "1") == "1") {
      const std::optional<int32_t> stored =
          WholeNumber(settings_.ReadSetting("ChatBackColor", "16777215"));
      if (!stored) return;
      color = *stored;
    }
    rt_.Windows().SendMessage(chat_.ChatInput, platform::msg::kEmSetBkgndColor, 0, color);
  } catch (const std::exception& e) {
    // Reported, and nothing more: the next chat made current tries again.
    reports_.ReportError("RefreshBackgrounds", &form_, e);
  }
}

void ChatColors::ChooseColor(int which) {
  struct Command {
    const char* switch_name;
    const char* feature;
  };
  static constexpr Command kCommands[] = {
      {"MainBack", "Change Color of the Message Window"},
      {"ChatBack", "Change Color of the Typing Area"},
      {"ChangeFont", "Change the Font Color"},
  };
  if (which < kMessageArea || which > kFontColor) return;
  const Command& command = kCommands[which - 1];
  try {
    if (settings_.ReadSetting(command.switch_name, "0") == "0") {
      rt_.MsgBox(std::string("You currently have set the feature: '") + command.feature +
                 "' to off.\r\nIn order to use this feature, please enable it in the options "
                 "window.");
      return;
    }
    // Each dialog opens with the colour now stored for its area, so that Cancel, which keeps the
    // colour the dialog opened with, leaves that area as it was.
    platform::ColorRef initial = 0;
    switch (which) {
      case kMessageArea:
        initial = HexToColor(settings_.ReadSetting("MainBackColor", "FFFFFF")).value_or(kWhite);
        break;
      case kTypingArea: {
        auto stored = WholeNumber(settings_.ReadSetting("ChatBackColor", "16777215"));
        initial = stored ? static_cast<platform::ColorRef>(*stored) & kWhite : kWhite;
        break;
      }
      default:
        initial = HexToColor(settings_.ReadSetting("FontColor", "000000")).value_or(0);
        break;
    }
    const platform::ColorRef chosen = rt_.Dialogs().ChooseColor(initial).value_or(initial);
    switch (which) {
      case kMessageArea:
        settings_.WriteSetting("MainBackColor",
                               ColorToHex(static_cast<int32_t>(chosen), rt_.Windows()));
        break;
      case kTypingArea:
        settings_.WriteSetting("ChatBackColor", std::to_string(chosen));
        RefreshBackgrounds();
        break;
      default:
        settings_.WriteSetting("FontColor",
                               ColorToHex(static_cast<int32_t>(chosen), rt_.Windows()));
        break;
    }
  } catch (const std::exception& e) {
    reports_.ReportError("mnuColor_Click", &form_, e);
  }
}

}  // namespace quillon::chatview
