#include "app/frmAbout.h"

#include "app/Quillon.h"

namespace quillon::app {

frmAbout::frmAbout(Quillon& program)
    : runtime::Form(program.Rt(), "frmAbout", "About Quillon"), program_(program) {
  Move(250, 180, 368, 270);
  Frame1.Move(8, 8, 344, 112);
  Label1.Move(16, 28, 64, 20);
  lblVersion.Move(80, 28, 264, 36);
  Label2.Move(16, 68, 64, 20);
  lblWebsite.Move(80, 68, 264, 20);
  Label3.Move(16, 92, 64, 20);
  lblForums.Move(80, 92, 264, 20);
  Frame2.Move(8, 128, 344, 72);
  lblCredits.Move(16, 148, 328, 20);
  lblThanks.Move(16, 172, 328, 20);
  cmdOK.Move(272, 208, 80, 23);
  Frame1.SetCaption("Information");
  Label1.SetCaption("Version:");
  Label2.SetCaption("Website:");
  Label3.SetCaption("Forum:");
  Frame2.SetCaption("Credits");
  lblCredits.SetCaption("Written by the Quillon team.");
  lblThanks.SetCaption("Special Thanks: everyone who sent a report.");
  cmdOK.SetCaption("OK");
  cmdOK.on_click = [this] { Unload(); };
  lblWebsite.on_click = [this] { program_.Rt().Shell().Open(lblWebsite.Caption()); };
  lblForums.on_click = [this] { program_.Rt().Shell().Open(lblForums.Caption()); };
}

std::string frmAbout::VersionText(int major, int minor, int revision) {
  std::string rev = revision <= 9 ? "0" + std::to_string(revision) : std::to_string(revision);
  return "v" + std::to_string(major) + "." + std::to_string(minor) + "." + rev +
         "\r\nOfficial Release";
}

void frmAbout::Form_Load() {
  const runtime::ProgramInfo& info = program_.Rt().Info();
  lblVersion.SetCaption(VersionText(info.major, info.minor, info.revision));
  lblWebsite.SetCaption(info.site + "/Quillon/");
  lblForums.SetCaption(info.site + "/Quillon/forum/");
}

}  // namespace quillon::app
