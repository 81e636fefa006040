#include "ui/Transparency.h"

#include "runtime/Form.h"
#include "runtime/Runtime.h"
#include "services/ErrorReports.h"

namespace quillon::ui {

void Transparency::Transparent(platform::Hwnd window, int level) {
  try {
    auto& windows = runtime_.Windows();
    if (level == 256) {
      windows.SetExStyle(window, windows.GetExStyle(window) & ~platform::kWsExLayered);
    } else if (level >= 11 && level <= 255) {
      windows.SetExStyle(window, windows.GetExStyle(window) | platform::kWsExLayered);
      windows.SetLayeredWindowAttributes(window, 0, static_cast<uint8_t>(level),
                                         platform::kLwaAlpha);
    }
  } catch (const std::exception& e) {
    reports_.ReportError("Transparent", nullptr, e);
  }
}

void Transparency::SetAlwaysOnTopMode(platform::Hwnd window, bool on_top) {
  try {
    runtime_.Windows().SetTopMost(window, on_top);
  } catch (const std::exception& e) {
    reports_.ReportError("SetAlwaysOnTopMode", nullptr, e);
  }
}

void Transparency::SetAlwaysOnTopMode(const runtime::Form& form, bool on_top) {
  SetAlwaysOnTopMode(form.hWnd(), on_top);
}

}  // namespace quillon::ui
