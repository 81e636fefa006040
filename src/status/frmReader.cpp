#include "status/frmReader.h"

#include <cmath>

#include "gtalk/GTalkWindows.h"
#include "platform/Files.h"
#include "platform/ScriptHostFactory.h"
#include "platform/ScriptValue.h"
#include "runtime/Runtime.h"
#include "services/ProgramFolder.h"
#include "text/Strings.h"
#include "text/Utf8.h"
#include "status/GTalk.h"
#include "text/NumberText.h"
#include "text/Strings.h"
#include "text/Utf8.h"

namespace quillon::status {

namespace {

// Whether a setting's text reads as the number `n` (as comparing a value to a number does).
bool IsNumber(const std::string& text, double n) {
  double value = 0;
  return text::ParseNumber(text, value) && value == n;
}

}  // namespace

frmReader::frmReader(runtime::Runtime& rt, services::SettingsStore& settings,
                     services::ErrorReports& reports, gtalk::GTalkWindows& gtalk)
    : runtime::Form(rt, "frmReader", "Status Manager"),
      tmrStatus(*this, "tmrStatus", 30000, false, [this] { tmrStatus_Timer(); }),
      Timer1(*this, "Timer1", 10, false, [this] { CaretPos = Text1.SelStart(); }),
      settings_(settings),
      reports_(reports),
      gtalk_(gtalk),
      loader_(rt, settings, reports, gtalk, *this) {
  Move(200, 150, 478, 398);
  // The heading, the on/off button and its light stand in the header band.
  Picture1.Move(0, 0, 470, kHeaderHeight);
  Shape1.Move(346, 24, 12, 12);
  Command1.Move(366, 18, 96, 23);
  Label1.Move(8, 68, 300, 20);
  btnOK.Move(398, 88, 64, 23);
  Label2.Move(8, 120, 200, 20);
  Label3.Move(216, 142, 56, 20);
  txtName.Move(276, 140, 186, 23);
  Label4.Move(216, 170, 56, 20);
  txtAuthor.Move(276, 168, 186, 23);
  Label5.Move(216, 198, 56, 20);
  txtVersion.Move(276, 196, 186, 23);
  Label6.Move(216, 226, 56, 20);
  txtDate.Move(276, 224, 186, 23);
  Button2.Move(216, 256, 76, 23);
  Button1.Move(300, 256, 76, 23);
  Button3.Move(384, 256, 78, 23);
  Button4.Move(216, 288, 100, 23);
  Command2.Move(8, 336, 80, 23);
  Command3.Move(96, 336, 80, 23);
  cmdOK.Move(382, 336, 80, 23);
  lblHeading.SetCaption("Status Manager");
  lblHeading.Move(12, 0, 200, 28);
  Label1.SetCaption("Your Status Code:");
  Text1.Move(8, 88, 382, 23);
  Label2.SetCaption("Functions:");
  List1.Move(8, 140, 200, 184);
  Label3.SetCaption("Name:");
  Label4.SetCaption("Author:");
  Label5.SetCaption("Version:");
  Label6.SetCaption("Date:");
  for (runtime::TextBox* box : {&txtName, &txtAuthor, &txtVersion, &txtDate}) box->SetLocked(true);
  Button2.SetCaption("&Load");
  Button1.SetCaption("&Reload");
  Button3.SetCaption("&Unload");
  Button4.SetCaption("&Stop Script");
  btnOK.SetCaption("&Set");
  Command1.SetCaption("Turn &ON");
  Command2.SetCaption("Interval");
  Command3.SetCaption("&Help");
  cmdOK.SetCaption("&Ok");

  Command1.on_click = [this] { Command1_Click(); };
  cmdOK.on_click = [this] { cmdOK_Click(); };
  btnOK.on_click = [this] { btnOK_Click(); };
  Command2.on_click = [this] { Command2_Click(); };
  Command3.on_click = [this] { Command3_Click(); };
  Button4.on_click = [this] { Button4_Click(); };
  Button2.on_click = [this] { Button2_Click(); };
  Button1.on_click = [this] { Button1_Click(); };
  Button3.on_click = [this] { Button3_Click(); };
  List1.on_dbl_click = [this] { List1_DblClick(); };
  Text1.on_got_focus = [this] { Text1_GotFocus(); };
  Text1.on_lost_focus = [this] { Text1_LostFocus(); };
}

frmReader::~frmReader() = default;

void frmReader::Form_Initialize() {
  // The header band and the on/off button share the window's colour.
  Picture1.SetBackColor(kHeaderColor);
  Command1.SetBackColor(kHeaderColor);
}

platform::ScriptHost* frmReader::ScriptHost() {
  if (!ScriptControl1) {
    platform::ScriptHostFactory* factory = Rt().Scripts();
    if (!factory) return nullptr;
    ScriptControl1 = factory->CreateHost();
    if (!ScriptControl1) return nullptr;
    ScriptControl1->SetLanguage("VBScript");
    ScriptControl1->SetTimeout(kScriptTimeoutMs);
    ScriptControl1->SetErrorHandler(
        [this](const platform::ScriptErrorInfo&) { ScriptControl1_Error(); });
  }
  return ScriptControl1.get();
}

bool frmReader::RunScript(const std::string& code) {
  platform::ScriptHost* host = ScriptHost();
  if (!host) return false;
  host->SetTimeout(kScriptTimeoutMs);
  host->SetMemoryLimit(
      static_cast<uint64_t>(settings_.ReadNumber(services::NumberSettings::kScriptMemoryMb)) << 20);
  // A fresh GTalk for every run; its members are global, so scripts may leave out "GTalk.".
  host->AddObject("GTalk", std::make_shared<GTalk>(Rt(), settings_, gtalk_, *host), true);
  ++running_scripts_;
  platform::ScriptResult result = host->ExecuteStatement(code);
  --running_scripts_;
  return result.ok;
}

void frmReader::ShowIndicator() { Shape1.SetFillColor(tmrStatus.Enabled() ? kOnColor : kOffColor); }

void frmReader::Form_Load() {
  ScriptHost();
  Command1.SetCaption(IsNumber(settings_.ReadSetting("UseStatus", "2"), 1) ? "Turn &OFF"
                                                                           : "Turn &ON");
  Text1.SetText(settings_.ReadSetting("StatusCode", ""));
  tmrStatus.SetInterval(
      static_cast<uint32_t>(settings_.ReadNumber(services::NumberSettings::kStatusInterval)));
  tmrStatus.SetEnabled(settings_.ReadSetting("UseStatus", "2") == "1");
  ShowIndicator();
  platform::Rect heading = lblHeading.Bounds();
  lblHeading.Move(heading.left, (kHeaderHeight - heading.Height()) / 2, heading.Width(),
                  heading.Height());
  settings_.WriteSetting("IsScript", "0");
  if (settings_.ReadSetting("UseStatus", "0") == "0") tmrStatus.SetEnabled(false);
}

void frmReader::Form_Unload(int& cancel) {
  if (settings_.ReadSetting("UseStatus", "0") == "1") {
    cancel = 1;
    Hide();
    return;
  }
  tmrStatus.SetEnabled(false);
  Timer1.SetEnabled(false);
  PluginPath.clear();
  PluginName.clear();
  CaretPos = 0;
  // What scripts left in the host's global scope lasts as long as the window is loaded; a host
  // still running a script (the window closed while it waits) is kept until the next load.
  if (running_scripts_ == 0) ScriptControl1.reset();
}

void frmReader::Command1_Click() {
  bool on = IsNumber(settings_.ReadSetting("UseStatus", "2"), 1);
  settings_.WriteSetting("UseStatus", on ? "2" : "1");
  std::string now = settings_.ReadSetting("UseStatus", "2");
  Command1.SetCaption(IsNumber(now, 1) ? "&Turn OFF" : "&Turn ON");
  tmrStatus.SetEnabled(!IsNumber(now, 2));
  ShowIndicator();
}

void frmReader::cmdOK_Click() {
  if (!tmrStatus.Enabled()) {
    auto answer = Rt().MsgBox("Would you like to turn Active Status on?",
                              platform::mb::kYesNo | platform::mb::kIconQuestion, "Active Status");
    if (answer == platform::DialogResult::kYes) {
      settings_.WriteSetting("UseStatus", "1");
      Command1.SetCaption("&Turn OFF");
      tmrStatus.SetEnabled(true);
      ShowIndicator();
    }
  }
  Unload();
}

void frmReader::btnOK_Click() {
  settings_.WriteSetting("StatusCode", Text1.Text());
  // The next tick comes soon; it puts the stored interval back.
  tmrStatus.SetInterval(5000);
}

void frmReader::Command2_Click() {
  std::string current = settings_.ReadSetting("StatusInterval", "30000");
  auto answer = Rt().Dialogs().InputBox("Enter the Interval:\r\n\t1000 = 1sec",
                                        "Set Status Interval", current);
  if (!answer) return;
  double value = 0;
  if (!text::ParseNumber(*answer, value)) return;
  value = std::nearbyint(value);
  // The interval is a 16-bit number of milliseconds; 0, negative and larger answers change
  // nothing.
  if (!(value >= 1 && value <= 32767)) return;
  int interval = static_cast<int>(value);
  tmrStatus.SetInterval(static_cast<uint32_t>(interval));
  settings_.WriteSetting("StatusInterval", interval);
}

void frmReader::Command3_Click() {
  Rt().MsgBox(
      "Included with the Quillon installation package is a help file on how to use this Active "
      "Status form and how to install and create Active Status scripts.\r\nPlease refer to that "
      "for more information.",
      platform::mb::kIconInformation, "Active Status Help");
}

void frmReader::Button4_Click() { settings_.WriteSetting("StopScript", "1"); }

void frmReader::Button2_Click() {
  try {
    List1.Clear();
    const std::string plugins = services::AddSlash(Rt().Info().folder) + "Plugins";
    // A folder that cannot be made leaves the dialog to start where it can.
    Rt().Files().MakeFolder(plugins);
    auto chosen =
        Rt().Dialogs().OpenFile("Load Plugin", {{"Quillon Plugins (*.qn)", "*.qn"}}, plugins);
    PluginPath = chosen.value_or("");
    if (!chosen) return;
    PluginName = modPluginLoader::StripExtension(chosen->substr(chosen->rfind('/') + 1));
    settings_.WriteSetting("LastDirectory", *chosen);
    loader_.LoadPlugin(PluginPath, txtName, txtAuthor, txtVersion, txtDate, List1);
  } catch (const std::exception& e) {
    reports_.ReportError("Button2_Click", this, e);
  }
}

void frmReader::Button1_Click() {
  try {
    List1.Clear();
    if (!PluginPath.empty() && Rt().Files().Exists(PluginPath)) {
      loader_.LoadPlugin(PluginPath, txtName, txtAuthor, txtVersion, txtDate, List1);
    }
  } catch (const std::exception& e) {
    reports_.ReportError("Button1_Click", this, e);
  }
}

void frmReader::Button3_Click() {
  List1.Clear();
  for (runtime::TextBox* box : {&txtName, &txtAuthor, &txtVersion, &txtDate}) box->SetText("");
  PluginPath.clear();
  PluginName.clear();
}

void frmReader::List1_DblClick() {
  std::u32string text = text::DecodeUtf8(Text1.Text());
  bool blank_before = CaretPos > 0 && CaretPos <= static_cast<int32_t>(text.size()) &&
                      text[static_cast<size_t>(CaretPos) - 1] == U' ';
  std::string updated = Text1.Text();
  if (!blank_before) updated += ' ';
  updated += "{" + PluginName + ":" + List1.Text() + "}";
  Text1.SetText(updated);
}

void frmReader::Text1_GotFocus() {
  Timer1.SetEnabled(true);
  tmrStatus.SetEnabled(false);
}

void frmReader::Text1_LostFocus() {
  Timer1.SetEnabled(false);
  tmrStatus.SetEnabled(true);
}

void frmReader::tmrStatus_Timer() {
  tmrStatus.SetInterval(
      static_cast<uint32_t>(settings_.ReadNumber(services::NumberSettings::kStatusInterval)));
  if (ticking_) return;
  if (!IsNumber(settings_.ReadSetting("UseStatus", "2"), 1)) return;
  ticking_ = true;
  struct Done {
    bool& flag;
    ~Done() { flag = false; }
  } done{ticking_};
  std::string status = text::TrimBlanks(loader_.ParseStatus(Text1.Text()));
  status = gtalk_.ApplyStatusPrefix(true, status);
  auto [status_area, edit_box] = gtalk_.FindStatusBox();
  if (settings_.ReadSetting("IsScript", "0") != "1") {
    if (gtalk_.GetText(edit_box) != status) gtalk_.ChangeStatus(status);
  } else {
    gtalk_.ChangeStatus(status);
  }
}

void frmReader::ScriptControl1_Error() {
  if (!ScriptControl1) return;
  const platform::ScriptErrorInfo& error = ScriptControl1->Error();
  std::string text =
      "An error has occurred in a VBScript\r\n\r\nLine: " + std::to_string(error.line) +
      "\r\nColumn: " + std::to_string(error.column) +
      "\r\nNumber: " + std::to_string(error.number) + "\r\nSource: " + error.source +
      "\r\nDescription: " + error.description + "\r\nText: " + error.text +
      "\r\n\r\nWould you like to temporarily disable Active Status?";
  auto answer = Rt().MsgBox(
      text, platform::mb::kYesNo | platform::mb::kIconStop | platform::mb::kSetForeground,
      "Unexpected Error");
  // Only the ticks stop: UseStatus stays, so the next start runs Active Status again.
  if (answer == platform::DialogResult::kYes) tmrStatus.SetEnabled(false);
  ScriptControl1->ClearError();
}

}  // namespace quillon::status
