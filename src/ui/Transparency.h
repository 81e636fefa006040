#pragma once
// See-through windows and windows kept above all others.
#include "platform/Window.h"

namespace quillon::runtime {
class Form;
}
namespace quillon::app {
class Quillon;
}

namespace quillon::ui {

class Transparency {
 public:
  // 11 to 255: the window's alpha; 256: opaque again (the layered style taken away); any other
  // level changes nothing.
  static void Transparent(app::Quillon& program, platform::Hwnd window, int level);
  static void SetAlwaysOnTopMode(app::Quillon& program, platform::Hwnd window, bool on_top);
  static void SetAlwaysOnTopMode(app::Quillon& program, const runtime::Form& form, bool on_top);
};

}  // namespace quillon::ui
