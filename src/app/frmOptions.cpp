#include "app/frmOptions.h"

#include "app/Quillon.h"
#include "app/frmMain.h"

namespace quillon::app {

namespace {

constexpr const char* kRunKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

}  // namespace

frmOptions::frmOptions(Quillon& program)
    : runtime::Form(program.Rt(), "frmOptions", "Options"), program_(program) {
  Move(200, 120, 408, 402);
  Frame1.Move(2, 2, 396, 90);
  chkStartup.Move(10, 20, 150, 20);
  Label1.Move(10, 44, 380, 20);
  Text1.Move(10, 64, 340, 20);
  Label2.Move(356, 64, 32, 20);
  Frame2.Move(2, 98, 396, 234);
  Label4.Move(10, 116, 380, 36);
  chkBck.Move(10, 156, 380, 20);
  chkBck2.Move(10, 178, 380, 20);
  chkFont.Move(10, 200, 264, 20);
  lblHelpFont.Move(282, 200, 100, 20);
  chkSmiley.Move(10, 222, 264, 20);
  lblHelpSmileys.Move(282, 222, 100, 20);
  chkCustomImages.Move(10, 244, 264, 20);
  lblHelpCustom.Move(282, 244, 100, 20);
  chkFN.Move(10, 266, 380, 36);
  chkUnderline.Move(10, 304, 380, 20);
  cmdOK.Move(310, 340, 80, 23);
  Frame1.SetCaption("General");
  chkStartup.SetCaption("&Run at Startup");
  Label1.SetCaption("Boss Protection Picture:");
  Label2.SetCaption("...");
  Frame2.SetCaption("Chat Window");
  chkBck.SetCaption("Change Color of Message Area");
  chkBck2.SetCaption("Change Color of Typing Area");
  chkFont.SetCaption("Enable Font Color");
  chkSmiley.SetCaption("Enable Smileys");
  chkCustomImages.SetCaption("Enable Custom Images");
  chkFN.SetCaption(
      "File Notifications (BETA:  this feature is still under testing.  Any feedback and result "
      "are welcomed.)");
  chkUnderline.SetCaption("Enable the [U], [/U] Underline tag (BETA)");
  lblHelpFont.SetCaption("What is this?");
  lblHelpSmileys.SetCaption("What is this?");
  lblHelpCustom.SetCaption("What is this?");
  Label4.SetCaption(
      "Enable / Distable certain features.  Further customization on each feature can be done "
      "through the main menu.");
  cmdOK.SetCaption("&OK");

  for (Feature feature : Features()) {
    feature.box->on_click = [this, feature] {
      if (!loading_) program_.Config().WriteSetting(feature.setting, feature.box->Value());
    };
  }
  chkStartup.on_click = [this] {
    if (loading_) return;
    Settings& settings = program_.Config();
    if (chkStartup.Value() == 1) {
      settings.UpdateKey(platform::RegistryRoot::kLocalMachine, kRunKey, "Quillon",
                         ProgramFileName());
    } else {
      settings.DeleteKeyValue(platform::RegistryRoot::kLocalMachine, kRunKey, "Quillon");
    }
  };
  Label2.on_click = [this] {
    auto chosen = Rt().Dialogs().OpenFile(
        "Select Boss Picture", {{"Bitmap Files (*.bmp)", "*.bmp"}, {"All Files (*.*)", "*.*"}});
    // A cancelled dialog keeps the name it had, and that is what is stored.
    if (chosen) dialog_file_name_ = *chosen;
    Text1.SetText(dialog_file_name_);
    program_.Config().WriteSetting("BossPicture", dialog_file_name_);
  };
  Text1.on_change = [this] {
    if (!loading_) program_.Config().WriteSetting("BossPicture", Text1.Text());
  };
  lblHelpFont.on_click = [this] {
    Rt().MsgBox(
        "This feature will allow you to change the color of the font used in Google Talk.  This "
        "means that the incomming text will be changed to whatever color you desire.\r\n"
        "To select the color to use, goto the main menu, chat and select 'Font Color'.",
        platform::mb::kIconInformation, "Font Color");
  };
  lblHelpSmileys.on_click = [this] {
    Rt().MsgBox(
        "Quillon allows you to use smileys, to improve the visual appearance of Google Talk!  "
        "Smileys are simple to use, just type them as you have always done.\r\nFor Example:\r\n"
        "\t:) ,:P ,:x",
        platform::mb::kIconInformation, "Smileys");
  };
  lblHelpCustom.on_click = [this] {
    Rt().MsgBox(
        "Custom Images are similar to Smiley Central, for those who are familiar with that "
        "service.  Users can send custom images, hence the name, to their friends, which will be "
        "displayed as an image on both users screens.  This feature is very useful for custom "
        "emotions or even for sharing photos!\r\n\r\nTo use Custom Images, you need to be "
        "familiar with the following:\r\n\t[!Quillon:*yourimageurl*!]\r\nIn place of "
        "'*yourimageurl*', place the URL pointing to your image.  You cannot use local images "
        "(file:///).\r\n\r\nTo make it easier, there is an option to store your favourite custom "
        "images!  In the custom images menu, click 'Save', and follow the steps.",
        platform::mb::kIconInformation, "Custom Images");
  };
  cmdOK.on_click = [this] { cmdOK_Click(); };
}

std::vector<frmOptions::Feature> frmOptions::Features() {
  return {{&chkBck, "MainBack"},
          {&chkBck2, "ChatBack"},
          {&chkFont, "ChangeFont"},
          {&chkSmiley, "Smileys"},
          {&chkCustomImages, "CustomImages"},
          {&chkFN, "FileNotifs"},
          {&chkUnderline, "Underline"}};
}

std::string frmOptions::ProgramFileName() const {
  return AddSlash(Rt().Info().folder) + "Quillon.exe";
}

void frmOptions::Form_Load() {
  loading_ = true;
  platform::Rect bounds = chkStartup.Bounds();
  chkStartup.Move(bounds.left, bounds.top, bounds.Width() - 4, bounds.Height());
  std::string run =
      program_.Config().GetKeyValue(platform::RegistryRoot::kLocalMachine, kRunKey, "Quillon");
  chkStartup.SetValue(run == ProgramFileName() ? 1 : 0);
  for (Feature feature : Features()) {
    feature.box->SetValue(program_.Config().ReadSetting(feature.setting, "0") == "1" ? 1 : 0);
  }
  Text1.SetText("");
  loading_ = false;
}

void frmOptions::cmdOK_Click() {
  if (frmMain* main = program_.MainForm()) {
    Settings& settings = program_.Config();
    main->FindMenu("mnuMainArea")->SetEnabled(settings.ReadSetting("MainBack", "0") != "0");
    main->FindMenu("mnuChatArea")->SetEnabled(settings.ReadSetting("ChatBack", "0") != "0");
    main->FindMenu("mnuFontColor")->SetEnabled(settings.ReadSetting("ChangeFont", "0") != "0");
  }
  Unload();
}

}  // namespace quillon::app
