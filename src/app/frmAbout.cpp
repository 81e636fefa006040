#include "app/frmAbout.h"

#include "app/Quillon.h"

namespace quillon::app {

frmAbout::frmAbout(Quillon& program)
    : runtime::Form(program.Rt(), "frmAbout", "About Quillon"), program_(program) {
  Move(250, 180, 360, 300);
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
