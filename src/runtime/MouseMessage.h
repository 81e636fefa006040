#pragma once
// A mouse message of a window read as the mouse events of forms and controls report it: which
// event, which buttons, the shift keys and the point.
#include <optional>

#include "platform/Window.h"

namespace quillon::runtime {

// Mouse buttons as the events report them.
constexpr int kLeftButton = 1;
constexpr int kRightButton = 2;
constexpr int kMiddleButton = 4;

struct MouseMessage {
  enum class Kind { kDown, kUp, kMove, kDoubleClick };
  Kind kind = Kind::kMove;
  int button = 0;  // the button pressed or released; for a move, the buttons held
  int shift = 0;   // 1 Shift, 2 Ctrl
  int x = 0;
  int y = 0;

  // nullopt for a message that is not one of the mouse's.
  static std::optional<MouseMessage> Decode(uint32_t message, platform::WParam wparam,
                                            platform::LParam lparam) {
    namespace msg = platform::msg;
    constexpr platform::WParam kMkLButton = 0x1, kMkRButton = 0x2, kMkShift = 0x4, kMkControl = 0x8,
                               kMkMButton = 0x10;
    MouseMessage mouse;
    mouse.x = static_cast<int16_t>(lparam & 0xFFFF);
    mouse.y = static_cast<int16_t>((lparam >> 16) & 0xFFFF);
    mouse.shift = ((wparam & kMkShift) ? 1 : 0) | ((wparam & kMkControl) ? 2 : 0);
    switch (message) {
      case msg::kLButtonDown:
        return mouse.With(Kind::kDown, kLeftButton);
      case msg::kRButtonDown:
        return mouse.With(Kind::kDown, kRightButton);
      case msg::kMButtonDown:
        return mouse.With(Kind::kDown, kMiddleButton);
      case msg::kLButtonUp:
        return mouse.With(Kind::kUp, kLeftButton);
      case msg::kRButtonUp:
        return mouse.With(Kind::kUp, kRightButton);
      case msg::kMButtonUp:
        return mouse.With(Kind::kUp, kMiddleButton);
      case msg::kLButtonDblClk:
        return mouse.With(Kind::kDoubleClick, kLeftButton);
      case msg::kMouseMove:
        return mouse.With(Kind::kMove, ((wparam & kMkLButton) ? kLeftButton : 0) |
                                           ((wparam & kMkRButton) ? kRightButton : 0) |
                                           ((wparam & kMkMButton) ? kMiddleButton : 0));
      default:
        return std::nullopt;
    }
  }

 private:
  MouseMessage With(Kind k, int b) const {
    MouseMessage copy = *this;
    copy.kind = k;
    copy.button = b;
    return copy;
  }
};

}  // namespace quillon::runtime
