#include "ui/frmTransparency.h"

#include "runtime/Runtime.h"

namespace quillon::ui {

frmTransparency::frmTransparency(runtime::Runtime& rt, services::SettingsStore& settings,
                                 services::ErrorReports& reports, services::ChatState& chat)
    : SliderDialog(rt, settings, reports, "frmTransparency", "Set Chat Transparency"), chat_(chat) {
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
  Bind(Slider1, services::NumberSettings::kTransparentMain,
       [this](int level) { transparency_.Transparent(chat_.MainWnd, level); });
  Bind(Slider2, services::NumberSettings::kTransparentChat,
       [this](int level) { transparency_.Transparent(chat_.ChatWnd, level); });
  Command1.on_click = [this] { Unload(); };
}

}  // namespace quillon::ui
