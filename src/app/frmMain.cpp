#include "app/frmMain.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "app/Quillon.h"
#include "runtime/ProgramError.h"

namespace quillon::app {

using platform::Hwnd;

frmMain::frmMain(Quillon& program)
    : runtime::Form(program.Rt(), "frmMain", "Quillon"),
      tmrCheck(program.Rt(), 1000, true, [this] { tmrCheck_Timer(); }),
      Timer1(program.Rt(), 3000, true, [this] { Timer1_Timer(); }),
      tmrIEDOM(program.Rt(), 50, false),
      tmrBoss(program.Rt(), 10, false),
      program_(program),
      state_(program.Chat()) {
  Picture2.SetVisible(false);
  Picture3.SetVisible(false);
  Picture2.SetPicture(runtime::Picture{"res:boss", program.Rt().NewPictureHandle()});
  Picture3.SetPicture(runtime::Picture{"res:plain", program.Rt().NewPictureHandle()});
}

std::optional<platform::IconHandle> frmMain::IconHandle(std::string_view kind) const {
  if (kind == "boss") return Picture2.GetPicture().handle;
  if (kind == "plain") return Picture3.GetPicture().handle;
  return std::nullopt;
}

frmMain::~frmMain() = default;

bool frmMain::HasSwitch(std::string_view name) const {
  // Searched anywhere in the command line, without regard to case.
  std::string line = Rt().Info().command_line;
  std::string wanted(name);
  auto lower = [](std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
  };
  return lower(line).find(lower(wanted)) != std::string::npos;
}

void frmMain::Form_Initialize() {
  try {
    // The menu pictures, numbered 0 to 6 in this order.
    const char* names[] = {"accept",       "advanced", "chat",     "cancel",
                           "filetransfer", "other",    "shortcuts"};
    std::string folder = AddSlash(Rt().Info().folder) + "Images/Menu/";
    for (const char* name : names) {
      std::string file = folder + name + ".bmp";
      if (!std::filesystem::is_regular_file(file)) {
        throw runtime::ProgramError(53, "Quillon", "File not found: " + file);
      }
      ils_icons_.push_back(runtime::Picture{file, Rt().NewPictureHandle()});
    }
  } catch (const std::exception& e) {
    program_.Reporter().ReportError("Form_Initialize", this, e);
  }
}

void frmMain::Form_Load() {
  try {
    if (program_.PrevInstance()) {
      Rt().MsgBox("Quillon is already running!", platform::mb::kIconStop, "Quillon");
      Rt().End();
      return;
    }
    state_.ButtonCount = 0;
    state_.Locked = false;
    if (!HasSwitch("-nohook")) {
      auto& windows = Rt().Windows();
      OldWndProc = windows.SubclassWindow(
          hWnd(), [this](Hwnd h, uint32_t m, platform::WParam wp, platform::LParam lp) {
            return WndProc(h, m, wp, lp);
          });
      ShellMsg = windows.RegisterWindowMessage("SHELLHOOK");
      Rt().Shell().RegisterShellHook(hWnd());
    }
    Hide();
  } catch (const std::exception& e) {
    program_.Reporter().ReportError("Form_Load", this, e);
  }
}

platform::LResult frmMain::WndProc(Hwnd hwnd, uint32_t message, platform::WParam wparam,
                                   platform::LParam lparam) {
  try {
    if (message == ShellMsg && ShellMsg != 0 && wparam == platform::kHShellWindowActivated) {
      TC(Rt().Windows().GetForegroundWindow());
    }
  } catch (const std::exception& e) {
    program_.Reporter().ReportError("WndProc", nullptr, e);
  }
  return Rt().Windows().CallWindowProc(OldWndProc, hwnd, message, wparam, lparam);
}

void frmMain::TC(Hwnd) {}

void frmMain::EndIt() {
  // Every step runs even when one fails.
  try {
    if (hWnd()) Rt().Windows().SetWindowProc(hWnd(), OldWndProc);
  } catch (const std::exception& e) {
    program_.Reporter().ReportError("Endit", this, e);
  }
  try {
    for (int index : picIcon.Indices()) {
      if (index != 0) picIcon.Unload(index);
    }
  } catch (const std::exception& e) {
    program_.Reporter().ReportError("Endit", this, e);
  }
}

void frmMain::Form_Unload(int& cancel) {
  cancel = 0;
  EndIt();
  Rt().End();
}

void frmMain::tmrCheck_Timer() {
  try {
    if (program_.GTalk().FindGTalk() == 0) {
      EndIt();
      Unload();
    }
  } catch (const std::exception& e) {
    program_.Reporter().ReportError("tmrCheck_Timer", this, e);
  }
}

void frmMain::Timer1_Timer() { Timer1.SetEnabled(false); }

}  // namespace quillon::app
