#include "ui/Transparency.h"

#include "app/Quillon.h"
#include "runtime/Form.h"

namespace quillon::ui {

void Transparency::Transparent(app::Quillon& program, platform::Hwnd window, int level) {
  try {
    auto& windows = program.Rt().Windows();
    if (level == 256) {
      windows.SetExStyle(window, windows.GetExStyle(window) & ~platform::kWsExLayered);
    } else if (level >= 11 && level <= 255) {
      windows.SetExStyle(window, windows.GetExStyle(window) | platform::kWsExLayered);
      windows.SetLayeredWindowAttributes(window, 0, static_cast<uint8_t>(level),
                                         platform::kLwaAlpha);
    }
  } catch (const std::exception& e) {
    program.Reporter().ReportError("Transparent", nullptr, e);
  }
}

void Transparency::SetAlwaysOnTopMode(app::Quillon& program, platform::Hwnd window, bool on_top) {
  try {
    program.Rt().Windows().SetTopMost(window, on_top);
  } catch (const std::exception& e) {
    program.Reporter().ReportError("SetAlwaysOnTopMode", nullptr, e);
  }
}

void Transparency::SetAlwaysOnTopMode(app::Quillon& program, const runtime::Form& form,
                                      bool on_top) {
  SetAlwaysOnTopMode(program, form.hWnd(), on_top);
}

}  // namespace quillon::ui
