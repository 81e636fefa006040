#pragma once
// See-through windows and windows kept above all others. A failure is reported and passed over:
// the window then simply stays as it was.
#include "platform/Window.h"

namespace quillon::runtime {
class Form;
class Runtime;
}  // namespace quillon::runtime
namespace quillon::services {
class ErrorReports;
}

namespace quillon::ui {

class Transparency {
 public:
  Transparency(runtime::Runtime& runtime, services::ErrorReports& reports)
      : runtime_(runtime), reports_(reports) {}

  // 11 to 255: the window's alpha; 256: opaque again (the layered style taken away); any other
  // level changes nothing.
  void Transparent(platform::Hwnd window, int level);
  void SetAlwaysOnTopMode(platform::Hwnd window, bool on_top);
  void SetAlwaysOnTopMode(const runtime::Form& form, bool on_top);

 private:
  runtime::Runtime& runtime_;
  services::ErrorReports& reports_;
};

}  // namespace quillon::ui
