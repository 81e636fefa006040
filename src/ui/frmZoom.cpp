#include "ui/frmZoom.h"

#include "app/Quillon.h"
#include "ui/Transparency.h"

namespace quillon::ui {

frmZoom::frmZoom(app::Quillon& program)
    : runtime::Form(program.Rt(), "frmZoom", "Set Chat Zoom"), program_(program) {
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
  Slider1.SetRange(50, 200);
  Slider1.on_change = [this] {
    if (!loading_) Apply();
  };
  Label1.on_click = [this] {
    Slider1.SetValue(100);
    Apply();
  };
  Command1.on_click = [this] { Unload(); };
}

void frmZoom::Apply() {
  program_.Config().WriteSetting("Zoom", Slider1.Value());
  program_.Rt().Windows().SendMessage(program_.Chat().ChatInput, platform::msg::kEmSetZoom,
                                      static_cast<platform::WParam>(Slider1.Value()), 100);
}

void frmZoom::Form_Load() {
  loading_ = true;
  Slider1.SetValue(program_.Config().ReadNumber(app::NumberSettings::kZoom));
  loading_ = false;
  Transparency::SetAlwaysOnTopMode(program_, *this, true);
}

void frmZoom::Form_Unload(int&) {
  Transparency::SetAlwaysOnTopMode(program_, *this, false);
  program_.Config().WriteSetting("Zoom", Slider1.Value());
}

}  // namespace quillon::ui
