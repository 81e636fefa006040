#include "ui/frmZoom.h"

#include "runtime/Runtime.h"

namespace quillon::ui {

frmZoom::frmZoom(runtime::Runtime& rt, services::SettingsStore& settings,
                 services::ErrorReports& reports, services::ChatState& chat)
    : SliderDialog(rt, settings, reports, "frmZoom", "Set Chat Zoom"), chat_(chat) {
  Move(300, 200, 280, 178);
  lblText.Move(8, 8, 256, 20);
  Frame1.Move(8, 32, 256, 76);
  Slider1.Move(16, 50, 240, 26);
  Label1.Move(16, 80, 120, 20);
  Command1.Move(184, 116, 80, 23);
  Frame1.SetCaption("Zoom");
  lblText.SetCaption("Zoom the typing area");
  Label1.SetCaption("(Set To Default)");
  Command1.SetCaption("&Ok");
  Bind(Slider1, services::NumberSettings::kZoom, [this](int zoom) {
    Rt().Windows().SendMessage(chat_.ChatInput, platform::msg::kEmSetZoom,
                               static_cast<platform::WParam>(zoom), 100);
  });
  Label1.on_click = [this] {
    Slider1.SetValue(services::NumberSettings::kZoom.default_value);
    Changed(Slider1);
  };
  Command1.on_click = [this] { Unload(); };
}

}  // namespace quillon::ui
