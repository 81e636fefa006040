#include "ui/frmTransparency.h"

#include "app/Quillon.h"
#include "ui/Transparency.h"

namespace quillon::ui {

frmTransparency::frmTransparency(app::Quillon& program)
    : runtime::Form(program.Rt(), "frmTransparency", "Set Chat Transparency"), program_(program) {
  Move(300, 200, 328, 254);
  lblText.Move(8, 8, 304, 20);
  Frame1.Move(8, 32, 304, 124);
  Label2.Move(16, 52, 288, 20);
  Slider1.Move(16, 72, 288, 26);
  Label3.Move(16, 102, 288, 20);
  Slider2.Move(16, 122, 288, 26);
  Label1.Move(8, 164, 304, 20);
  Command1.Move(232, 192, 80, 23);
  Frame1.SetCaption("Chat Transparency");
  Label2.SetCaption("Main Window:");
  Label3.SetCaption("Conversation Windows:");
  lblText.SetCaption("Make your chats transparent!");
  Label1.SetCaption("Note:  Having a maximum value (256) will disable.");
  Command1.SetCaption("&Ok");
  Slider1.SetRange(10, 256);
  Slider2.SetRange(10, 256);
  Slider1.on_change = [this] {
    if (loading_) return;
    program_.Config().WriteSetting("TransparentMain", Slider1.Value());
    Transparency::Transparent(program_, program_.Chat().MainWnd, Slider1.Value());
  };
  Slider2.on_change = [this] {
    if (loading_) return;
    program_.Config().WriteSetting("TransparentChat", Slider2.Value());
    Transparency::Transparent(program_, program_.Chat().ChatWnd, Slider2.Value());
  };
  Command1.on_click = [this] { Unload(); };
}

void frmTransparency::Form_Load() {
  // Showing the stored levels is not a change of them.
  loading_ = true;
  app::Settings& settings = program_.Config();
  Slider1.SetValue(settings.ReadNumber(app::NumberSettings::kTransparentMain));
  Slider2.SetValue(settings.ReadNumber(app::NumberSettings::kTransparentChat));
  loading_ = false;
  Transparency::SetAlwaysOnTopMode(program_, *this, true);
}

void frmTransparency::Form_Unload(int&) {
  Transparency::SetAlwaysOnTopMode(program_, *this, false);
  program_.Config().WriteSetting("TransparentMain", Slider1.Value());
  program_.Config().WriteSetting("TransparentChat", Slider2.Value());
}

}  // namespace quillon::ui
