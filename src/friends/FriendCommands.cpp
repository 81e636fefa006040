#include "friends/FriendCommands.h"

#include <algorithm>
#include <cmath>

#include "friends/FriendRecords.h"
#include "friends/frmFriend.h"
#include "gtalk/GTalkWindows.h"
#include "platform/Files.h"
#include "runtime/Form.h"
#include "runtime/ProgramError.h"
#include "runtime/Runtime.h"
#include "ui/Transparency.h"

namespace quillon::friends {

namespace {

constexpr int kMinimumCustomLevel = 5;

}  // namespace

FriendCommands::FriendCommands(runtime::Runtime& rt, services::SettingsStore& settings,
                               services::ErrorReports& reports, gtalk::GTalkWindows& gtalk,
                               runtime::Form& form, FriendRecords& records)
    : mnuDesktop(form.AddMenu("mnuDesktop", "Desktop Friend Menu")),
      rt_(rt),
      settings_(settings),
      reports_(reports),
      gtalk_(gtalk),
      form_(form),
      records_(records) {
  Build();
}

runtime::Menu& FriendCommands::Item(const char* name) { return *mnuDesktop.Find(name); }

void FriendCommands::Build() {
  auto wire = [](runtime::Menu& item, auto handler) -> runtime::Menu& {
    item.on_click = handler;
    return item;
  };
  runtime::Menu& edit =
      wire(mnuDesktop.Add("mnuEditName", "Edit Name"), [this] { mnuEditName_Click(); });
  edit.SetDefault(true);
  mnuDesktop.Add("mnuSeparator9", "-");
  runtime::Menu& appearance = mnuDesktop.Add("mnuAppearance", "Appearance");
  wire(appearance.Add("mnuNameColor", "Name Color"), [this] { mnuNameColor_Click(); });
  runtime::Menu& picture = appearance.Add("mnuBackpicture", "Backpicture");
  wire(picture.Add("mnuUse", "Use Backpicture"), [this] { mnuUse_Click(); });
  wire(picture.Add("mnuSetPicture", "Set / Change Picture"), [this] { mnuSetPicture_Click(); });
  runtime::Menu& gradient = appearance.Add("mnuGradient", "Gradient");
  wire(gradient.Add("mnuSetOne", "Set Color 1"), [this] { mnuSetOne_Click(); });
  wire(gradient.Add("mnuSetTwo", "Set Color 2"), [this] { mnuSetTwo_Click(); });
  gradient.Add("mnuSeparator12", "-");
  wire(gradient.Add("mnuHorizontal", "Horizontal"), [this] { mnuHorizontal_Click(); });
  wire(gradient.Add("mnuVertical", "Vertical"), [this] { mnuVertical_Click(); });
  gradient.Add("mnuSeparator13", "-");
  wire(gradient.Add("mnuInvert", "Swap Colours"), [this] { mnuInvert_Click(); });
  runtime::Menu& transparency = appearance.Add("mnuTransparency3", "Transparency");
  for (int percent : {20, 40, 60, 80, 100}) {
    std::string number = std::to_string(percent);
    wire(transparency.Add("mnu" + number, number + "%"), [this, percent] {
      int level = percent;
      SetFriendTransparency(level);
    });
  }
  wire(transparency.Add("mnuCustom", "Custom..."), [this] { mnuCustom_Click(); });
  wire(appearance.Add("mnuShowBorder", "Show Border"), [this] { mnuShowBorder_Click(); });
  wire(mnuDesktop.Add("mnuResize", "Resize Width"), [this] { mnuResize_Click(); });
  wire(mnuDesktop.Add("mnuAOT", "Always On Top"), [this] { mnuAOT_Click(); }).SetChecked(true);
  mnuDesktop.Add("mnuSeparator10", "-");
  wire(mnuDesktop.Add("mnuRemove", "Remove"), [this] { mnuRemove_Click(); });
}

frmFriend* FriendCommands::Current() {
  frmFriend* window = records_.currentFriend;
  return window && window->Loaded() ? window : nullptr;
}

void FriendCommands::ShowFor(frmFriend& window) {
  records_.currentFriend = &window;
  FriendSettings settings = window.Settings();
  std::string direction = settings.Read("Direction", "1");
  Item("mnuHorizontal").SetEnabled(direction == "0");
  Item("mnuVertical").SetEnabled(direction == "1");
  Item("mnuAOT").SetChecked(settings.Flag("AOT", true));
  Item("mnuUse").SetChecked(settings.Read("UseBackpicture", "0") == "1");
  Item("mnuShowBorder").SetChecked(settings.Flag("Border", true));
  form_.PopupMenu(mnuDesktop);
}

void FriendCommands::mnuEditName_Click() {
  frmFriend* window = Current();
  if (!window) return;
  window->Text1.SetText(window->Label1.Caption());
  window->Label1.SetVisible(false);
  window->Text1.SetVisible(true);
  window->Text1.SetFocus();
}

void FriendCommands::ChooseStoredColor(const char* value, const char* default_value,
                                       const char* area) {
  frmFriend* window = Current();
  if (!window) return;
  try {
    FriendSettings settings = window->Settings();
    std::optional<long long> stored = settings.Color(value, default_value);
    if (!stored) throw runtime::ProgramError(13, "Quillon", "Type mismatch");
    std::optional<platform::ColorRef> chosen =
        rt_.Dialogs().ChooseColor(static_cast<platform::ColorRef>(*stored));
    if (chosen) settings.Write(value, static_cast<long long>(*chosen));
  } catch (const std::exception& e) {
    reports_.ReportError(area, &form_, e);
  }
}

void FriendCommands::mnuNameColor_Click() {
  ChooseStoredColor("NameColor", "0", "mnuNameColor");
  if (frmFriend* window = Current()) window->refreshName();
}

void FriendCommands::mnuSetOne_Click() {
  ChooseStoredColor("Color1", FriendSettings::kDefaultColor1, "mnuSetOne_Click");
  if (frmFriend* window = Current()) window->refreshGradient();
}

void FriendCommands::mnuSetTwo_Click() {
  ChooseStoredColor("Color2", FriendSettings::kDefaultColor2, "mnuSetTwo_Click");
  if (frmFriend* window = Current()) window->refreshGradient();
}

void FriendCommands::mnuUse_Click() {
  frmFriend* window = Current();
  if (!window) return;
  runtime::Menu& use = Item("mnuUse");
  use.SetChecked(!use.Checked());
  window->Settings().Write("UseBackpicture", use.Checked() ? "1" : "0");
  if (!use.Checked()) window->ClearPicture();
  window->refreshGradient();
}

void FriendCommands::mnuSetPicture_Click() {
  frmFriend* window = Current();
  if (!window) return;
  std::vector<platform::FileFilter> filters = {{"Bitmap Files (*.bmp)", "*.bmp"},
                                               {"JPEG Files (*.jpg)", "*.jpg"},
                                               {"GIF Files (*.gif)", "*.gif"},
                                               {"All Files (*.*)", "*.*"}};
  // A cancelled dialog picks nothing: the stored picture stays as it is.
  std::optional<std::string> chosen = rt_.Dialogs().OpenFile("Select Picture", filters);
  if (chosen && rt_.Files().Exists(*chosen)) {
    window->Settings().Write("Backpicture", *chosen);
  }
  if (Current()) window->refreshGradient();
}

void FriendCommands::mnuHorizontal_Click() {
  frmFriend* window = Current();
  if (!window) return;
  window->Settings().Write("Direction", "1");
  window->refreshGradient();
}

void FriendCommands::mnuVertical_Click() {
  frmFriend* window = Current();
  if (!window) return;
  window->Settings().Write("Direction", "0");
  window->refreshGradient();
}

void FriendCommands::mnuInvert_Click() {
  frmFriend* window = Current();
  if (!window) return;
  FriendSettings settings = window->Settings();
  std::string color1 = settings.Read("Color1", FriendSettings::kDefaultColor1);
  std::string color2 = settings.Read("Color2", FriendSettings::kDefaultColor2);
  settings.Write("Color1", color2);
  settings.Write("Color2", color1);
  window->refreshGradient();
}

int FriendCommands::LevelOfPercent(int percent) {
  if (percent == 100) return FriendSettings::kOpaque;
  return static_cast<int>(std::nearbyint(255.0 / 100.0 * percent));
}

void FriendCommands::ApplyLevel(frmFriend& window, int level) {
  ui::Transparency(rt_, reports_).Transparent(window.hWnd(), level);
  window.Settings().Write("Transparency", level);
}

void FriendCommands::SetFriendTransparency(int& percent) {
  try {
    percent = LevelOfPercent(percent);
    if (frmFriend* window = Current()) ApplyLevel(*window, percent);
  } catch (const std::exception& e) {
    reports_.ReportError("SetFriendTransparency", &form_, e);
  }
}

void FriendCommands::mnuCustom_Click() {
  frmFriend* window = Current();
  if (!window) return;
  std::string current = window->Settings().Read("Transparency", "256");
  std::optional<std::string> answer = rt_.Dialogs().InputBox(
      "Enter Transparency Level:\r\n(0 - 255)  -  256 Will disable", kTransparencyTitle, current);
  // Cancel, or OK on an empty box, leaves the level as it was: neither reads as a level of 0.
  if (!answer || answer->find_first_not_of(' ') == std::string::npos) return;
  std::optional<double> number = FriendSettings::ParseNumber(*answer);
  if (!number || std::fabs(*number) > 2147483647.0) {
    rt_.MsgBox(
        "There was a problem saving / setting the transparency.\r\n"
        "Transparency values must be between 1 and 256");
    return;
  }
  int level = static_cast<int>(std::nearbyint(*number));
  level = std::clamp(level, kMinimumCustomLevel, FriendSettings::kOpaque);
  if (Current()) ApplyLevel(*window, level);
}

void FriendCommands::mnuShowBorder_Click() {
  frmFriend* window = Current();
  if (!window) return;
  runtime::Menu& border = Item("mnuShowBorder");
  border.SetChecked(!border.Checked());
  window->Settings().WriteFlag("Border", border.Checked());
  window->refreshBorder();
}

void FriendCommands::mnuResize_Click() {
  frmFriend* window = Current();
  if (!window) return;
  gtalk_.DragForm(window->hWnd(), platform::ht::kRight);
  if (Current()) window->Settings().Write("Width", window->Width());
}

void FriendCommands::mnuAOT_Click() {
  frmFriend* window = Current();
  if (!window) return;
  runtime::Menu& aot = Item("mnuAOT");
  aot.SetChecked(!aot.Checked());
  FriendSettings settings = window->Settings();
  settings.WriteFlag("AOT", aot.Checked());
  ui::Transparency(rt_, reports_).SetAlwaysOnTopMode(window->hWnd(), settings.Flag("AOT", true));
}

void FriendCommands::mnuRemove_Click() {
  if (frmFriend* window = Current()) window->DoUnload();
}

}  // namespace quillon::friends
