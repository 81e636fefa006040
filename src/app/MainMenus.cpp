#include "app/MainMenus.h"

#include "app/Quillon.h"
#include "app/frmAbout.h"
#include "app/frmMain.h"
#include "app/frmOptions.h"
#include "platform/Files.h"
#include "runtime/ProgramError.h"
#include "text/CodePage.h"
#include "ui/Transparency.h"
#include "ui/frmTransparency.h"

namespace quillon::app {

using runtime::Menu;

namespace {

const char* kDayNames[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                           "Thursday", "Friday", "Saturday"};
const char* kMonthNames[] = {"January", "February", "March",     "April",   "May",      "June",
                             "July",    "August",   "September", "October", "November", "December"};

}  // namespace

MainMenus::MainMenus(Quillon& program, frmMain& form)
    : mnuMainMenu(form.AddMenu("mnuMainMenu", "MainMenu")),
      mnuChatMenu(form.AddMenu("mnuChatMenu", "ChatMenu")),
      program_(program),
      form_(form) {
  Build();
}

Menu& MainMenus::Item(std::string_view name) { return *form_.FindMenu(name); }

void MainMenus::Build() {
  Menu& main = mnuMainMenu;
  main.Add("mnuTransparent2", "Transparency").on_click = [this] { mnuTransparency_Click(); };
  main.Add("mnuActive2", "Active Status").on_click = [this] { mnuActive_Click(); };
  main.Add("mnuReset", "Reset Online Status").on_click = [this] { mnuReset_Click(); };
  main.Add("mnuSeparator6", "-");
  main.Add("mnuOptions2", "Options").on_click = [this] { mnuOptions_Click(); };
  main.Add("mnuUpdate2", "Check for Updates...").on_click = [this] { mnuUpdates_Click(); };
  main.Add("mnuAbout2", "About").on_click = [this] { mnuAbout_Click(); };
  main.Add("mnuSeparator1", "-");
  main.Add("mnuExitET", "Exit Quillon").on_click = [this] { mnuExit_Click(); };

  Menu& chat = mnuChatMenu;
  Menu& features = chat.Add("mnuFeatGeneralChat", "Chat Features");
  features.SetIcon(2);
  features.Add("mnuTransparency", "Change Tranparency Level").on_click = [this] {
    mnuTransparency_Click();
  };
  Menu& color = features.Add("mnuColor", "Change Backcolor");
  color.Add("mnuMainArea", "Message Area").on_click = [this] { form_.ChooseColor(1); };
  color.Add("mnuChatArea", "Typing Area").on_click = [this] { form_.ChooseColor(2); };
  features.Add("mnuFontColor", "Change Font Color").on_click = [this] { form_.ChooseColor(3); };
  Menu& filter = features.Add("mnuFeatChatText", "Text Filter");
  filter.Add("mnuClear", "Clear current conversion").SetEnabled(false);
  filter.Add("mnuZoom", "Zoom").SetEnabled(false);
  filter.Add("mnuSpecial", "1337ifier").SetEnabled(false);
  filter.Add("mnu1337", "1337").on_click = [this] { form_.ApplyFilter(1); };
  filter.Add("mnuCoolText", "CoolText").on_click = [this] { form_.ApplyFilter(2); };
  filter.Add("mnuNone", "None").on_click = [this] { form_.ApplyFilter(0); };
  chat.Add("mnuSeparator2", "-");

  Menu& shortcuts = chat.Add("mnuShortcuts", "Shortcuts");
  shortcuts.SetIcon(6);
  Menu& date_time = shortcuts.Add("mnuDateAndTime", "Date and Time");
  auto now = [this] { return program_.Rt().Clock().Now(); };
  date_time.Add("mnuTime", "Time").on_click = [this, now] {
    platform::LocalTime t = now();
    int hour = t.hour % 12 == 0 ? 12 : t.hour % 12;
    char text[32];
    std::snprintf(text, sizeof text, "%d:%02d:%02d %s", hour, t.minute, t.second,
                  t.hour < 12 ? "AM" : "PM");
    Shortcut(text);
  };
  date_time.Add("mnuDate", "Date").on_click = [this, now] {
    platform::LocalTime t = now();
    Shortcut(std::to_string(t.month) + "/" + std::to_string(t.day) + "/" + std::to_string(t.year));
  };
  date_time.Add("mnuSeparator7", "-");
  date_time.Add("mnuHour", "Hour").on_click = [this, now] { Shortcut(std::to_string(now().hour)); };
  date_time.Add("mnuMinute", "Minute").on_click = [this, now] {
    Shortcut(std::to_string(now().minute));
  };
  date_time.Add("mnuSecond", "Second").on_click = [this, now] {
    Shortcut(std::to_string(now().second));
  };
  date_time.Add("mnuSeparator11", "-");
  date_time.Add("mnuDay", "Day").on_click = [this, now] { Shortcut(std::to_string(now().day)); };
  date_time.Add("mnuMonth", "Month").on_click = [this, now] {
    Shortcut(std::to_string(now().month));
  };
  date_time.Add("mnuYear", "Year").on_click = [this, now] { Shortcut(std::to_string(now().year)); };
  date_time.Add("mnuDayName", "Day Name").on_click = [this, now] {
    Shortcut(kDayNames[now().weekday % 7]);
  };
  date_time.Add("mnuMonthName", "Month Name").on_click = [this, now] {
    Shortcut(kMonthNames[(now().month + 11) % 12]);
  };
  Menu& info = shortcuts.Add("mnuYourInformation", "Your Information");
  info.Add("mnuIP", "IP Address").on_click = [this] { mnuIP_Click(); };
  info.Add("mnuEmail", "Your Email").on_click = [this] { mnuEmail_Click(); };
  info.Add("mnuWindowsVersion", "Windows Version").on_click = [this] {
    platform::OsVersion version = program_.Rt().Shell().GetVersion();
    Shortcut(WindowsVersionName(version.major, version.minor, version.platform_id));
  };
  shortcuts.Add("mnuQNVersion", "QN Version").on_click = [this] {
    const runtime::ProgramInfo& p = program_.Rt().Info();
    Shortcut("QN: " + std::to_string(p.major) + "." + std::to_string(p.minor) + "." +
             std::to_string(p.revision));
  };
  shortcuts.Add("mnuGTVersion", "Google Talk Version").on_click = [this] {
    Shortcut(program_.Config().GetKeyValue(platform::RegistryRoot::kCurrentUser,
                                           "Software\\Google\\Google Talk\\Autoupdate",
                                           "InstalledVersion"));
  };
  chat.Add("mnuSeparator4", "-");

  Menu& transfer = chat.Add("mnuFT", "&File Transfer");
  transfer.SetIcon(4);
  transfer.Add("mnuSendFile", "Send File...").on_click = [this] { form_.SendFile(); };
  transfer.Add("mnuReceive", "Receive File").on_click = [this] { form_.ReceiveFile(); };
  chat.Add("mnuSeparator3", "-");

  Menu& advanced = chat.Add("mnuAdvanced", "&Advanced");
  advanced.SetIcon(1);
  advanced.Add("mnuActive", "Active Status").on_click = [this] { mnuActive_Click(); };
  advanced.Add("mnuDesktopFriend", "Create Desktop Friend").on_click = [this] {
    mnuDesktopFriend_Click();
  };
  Menu& custom = advanced.Add("mnuCI", "Custom Images");
  Menu& saved = custom.Add("mnuSaved", "Saved...");
  saved.Add("mnuImages", "", 0);
  custom.Add("mnuReload", "Reload").on_click = [this] { LoadImages(); };
  custom.Add("mnuImageHelp", "Help").on_click = [this] {
    program_.Rt().MsgBox("Your saved Custom Images file is in: \r\n\t" +
                         AddSlash(program_.Rt().Info().folder) + "CustomImages.txt\r\n\r\n" +
                         "Use this file to save Custom Image shortcuts, so you don't have to "
                         "constantly type them.");
  };
  advanced.Add("mnuReset2", "Reset Online State").on_click = [this] { mnuReset_Click(); };
  chat.Add("mnuSeparator", "-");

  Menu& other = chat.Add("mnuOther", "Other...");
  other.SetIcon(5);
  other.Add("mnuOptions", "Options").on_click = [this] { mnuOptions_Click(); };
  other.Add("mnuUpdates", "Check for updates...").on_click = [this] { mnuUpdates_Click(); };
  other.Add("mnuAbout", "About").on_click = [this] { mnuAbout_Click(); };
  Menu& exit = chat.Add("mnuExit", "Exit Quillon");
  exit.SetIcon(3);
  exit.on_click = [this] { mnuExit_Click(); };
}

void MainMenus::Shortcut(std::string_view text) {
  gtalk::GTalkWindows& gtalk = program_.GTalk();
  platform::Hwnd input = program_.Chat().ChatInput;
  gtalk.SetText(gtalk.GetText(input) + std::string(text), input, false);
}

void MainMenus::LoadImages() {
  try {
    Menu& saved = Item("mnuSaved");
    Menu& first = *saved.Find("mnuImages", 0);
    first.SetVisible(true);
    std::vector<int> loaded;
    for (const auto& item : saved.Items()) {
      if (item->Name() == "mnuImages" && item->Index() != 0) loaded.push_back(item->Index());
    }
    for (int index : loaded) saved.Remove("mnuImages", index);
    const std::string file = AddSlash(program_.Rt().Info().folder) + "CustomImages.txt";
    platform::Files& files = program_.Rt().Files();
    // The list is made empty on first use; a folder that refuses it shows as the read below.
    if (!files.Exists(file)) {
      platform::FileProblem ignored = platform::FileProblem::kNone;
      if (auto made = files.Create(file, ignored)) made->Close();
    }
    std::string text;
    if (files.Read(file, text) != platform::FileProblem::kNone) {
      throw runtime::ProgramError(53, "Quillon", "File not found: " + file);
    }
    int n = 0;
    bool any = false;
    for (size_t start = 0; start < text.size();) {
      size_t end = text.find('\n', start);
      if (end == std::string::npos) end = text.size();
      std::string line = text.substr(start, end - start);
      start = end + 1;
      ++n;
      if (!line.empty() && line.back() == '\r') line.pop_back();
      size_t comma = line.find(',');
      if (comma == std::string::npos) continue;
      // The file is plain 8-bit text, as any text editor of the platform saves it.
      Menu& entry = saved.Add("mnuImages", text::Cp1252ToUtf8(line.substr(0, comma)), n);
      entry.SetTag(text::Cp1252ToUtf8(line.substr(comma + 1)));
      entry.on_click = [this, n] { form_.mnuImages_Click(n); };
      any = true;
    }
    // A menu keeps its only item visible: with no entry the empty template stays.
    if (any) first.SetVisible(false);
  } catch (const std::exception& e) {
    program_.Reporter().ReportError("LoadImages", &form_, e);
  }
}

void MainMenus::mnuOptions_Click() {
  frmOptions& options = program_.Options();
  options.Load();
  ui::Transparency(program_.Rt(), program_.Reporter()).SetAlwaysOnTopMode(options, true);
  options.Show(true);
}

void MainMenus::mnuAbout_Click() { program_.About().Show(); }

void MainMenus::mnuUpdates_Click() {
  const runtime::ProgramInfo& p = program_.Rt().Info();
  char revision[16];
  std::snprintf(revision, sizeof revision, "%03d", p.revision);
  program_.Rt().Shell().Open(p.site + "/Quillon/update.php?version=" + std::to_string(p.major) +
                             std::to_string(p.minor) + revision);
}

void MainMenus::mnuActive_Click() { form_.OpenActiveStatus(); }

void MainMenus::mnuDesktopFriend_Click() { form_.CreateDesktopFriend(); }

void MainMenus::mnuTransparency_Click() { program_.TransparencyWindow().Show(); }

void MainMenus::mnuReset_Click() {
  Settings& settings = program_.Config();
  if (settings.ReadSetting("knowsReset", "0") == "0") {
    program_.Rt().MsgBox(
        "Reset Online Status removes any extra (Away), (Dinner) etc. sections at the start of your "
        "status, which were added by using the slash commands (eg. /away).\r\nFor example:\r\n"
        "\tBefore: (Away) Welcome to Quillon\r\n\tAfter: Welcome to Quillon\r\n\r\n"
        "This message will not be displayed again");
    settings.WriteSetting("knowsReset", "1");
  }
  program_.Chat().StatusPrefix.clear();
  program_.GTalk().ApplyStatusPrefix(false, "");
}

void MainMenus::mnuExit_Click() {
  form_.EndIt();
  form_.Unload();
}

void MainMenus::mnuEmail_Click() {
  Settings& settings = program_.Config();
  std::string address = settings.ReadSetting("YourEmail", "");
  // A stored blank is the stored "nothing".
  bool stored = address != "" && address != " " && address != "0";
  bool ask = !stored;
  if (stored && settings.ReadSetting("VerifyEmail", "1") == "1") {
    auto answer =
        program_.Rt().MsgBox(address + "\r\nIs this email address correct?",
                             platform::mb::kYesNo | platform::mb::kIconQuestion, "Shortcuts");
    ask = answer != platform::DialogResult::kYes;
  }
  if (ask) {
    auto entered = program_.Rt().Dialogs().InputBox(
        "Please enter the email address to store: ", "Enter your Email",
        stored ? address : "@gmail.com");
    if (!entered || entered->empty()) return;
    address = *entered;
    settings.WriteSetting("YourEmail", address);
  }
  Shortcut(address);
}

void MainMenus::mnuIP_Click() {
  const std::string& site = program_.Rt().Info().site;
  try {
    platform::HttpResult result = program_.Rt().Network().HttpGet(site + "/Quillon/ip.php", 10000);
    if (!result.ok) {
      program_.Rt().MsgBox("Unable to get a response from server:\r\n\t" + site);
      throw runtime::ProgramError(35761, "Inet",
                                  result.error.empty() ? "Request failed" : result.error);
    }
    Shortcut(result.body);
  } catch (const std::exception& e) {
    program_.Reporter().ReportError("mnuIP_Click", &form_, e);
  }
}

std::string MainMenus::WindowsVersionName(int major, int minor, int platform_id) {
  bool nt = platform_id == 2;
  if (major == 3) return nt ? "Windows NT 3.x" : "Windows 3.x";
  if (major == 4 && nt) return "Windows NT 4.0";
  if (major == 4) return minor == 0 ? "Windows 95" : "Windows 98";
  if (major == 5 && minor == 0) return "Windows 2000";
  if (major == 5 && minor == 1) return "Windows XP";
  return "Unknown Windows Version";
}

}  // namespace quillon::app
