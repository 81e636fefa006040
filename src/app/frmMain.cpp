#include "app/frmMain.h"

#include <algorithm>
#include <cctype>

#include "app/MainMenus.h"
#include "app/Quillon.h"
#include "app/frmCommands.h"
#include "chatview/ChatColors.h"
#include "chatview/ChatViewPass.h"
#include "gtalk/GTalkWindows.h"
#include "platform/Files.h"
#include "runtime/ProgramError.h"
#include "status/frmReader.h"
#include "text/Strings.h"

namespace quillon::app {

using platform::Hwnd;

namespace {

// The system's own number for a chord that is registered already.
constexpr int kHotkeyAlreadyRegistered = 1409;

platform::Chord Ctrl(char key, bool shift = false) {
  return platform::Chord{platform::kModControl | (shift ? platform::kModShift : 0u),
                         static_cast<uint32_t>(key)};
}

}  // namespace

frmMain::frmMain(Quillon& program)
    : runtime::Form(program.Rt(), "frmMain", "Quillon"),
      tmrCheck(*this, "tmrCheck", 1000, true, [this] { tmrCheck_Timer(); }),
      Timer1(*this, "Timer1", 3000, true, [this] { Timer1_Timer(); }),
      tmrIEDOM(*this, "tmrIEDOM", 50, false,
               [this] { chat_view_->RewriteChatView(program_.Chat().ChatWnd); }),
      tmrBoss(*this, "tmrBoss", 10, false, [this] { boss_.Tick(); }),
      HookControl1(program.Rt()),
      vbBoss(program.Rt(), Ctrl('B', true)),
      vbLock(program.Rt(), Ctrl('L', true)),
      vbBold(program.Rt(), Ctrl('B')),
      vbItalic(program.Rt(), Ctrl('I')),
      vbRecall(program.Rt(), Ctrl('R')),
      program_(program),
      state_(program.Chat()),
      watcher_(program.Rt(), program.Config(), program.Reporter(), program.Chat(), program.GTalk(),
               services::ChatWindowParts{*this, picIcon, picIconX, tmrIEDOM, HookControl1,
                                         [this](int resource) { return ButtonPicture(resource); },
                                         [this] { RefreshBackgrounds(); }}),
      effects_(program.Rt(), program.Config(), program.Reporter(), program.Chat(), program.GTalk(),
               *this, watcher_),
      parser_(program.Rt(), program.Config(), program.Chat(), program.GTalk(), *this, effects_,
              *this),
      boss_(program.Rt(), program.GTalk(), *this, tmrBoss),
      lock_(program.Rt(), program.Chat(), watcher_),
      menus_(std::make_unique<MainMenus>(program, *this)),
      chat_view_(std::make_unique<chatview::ChatViewPass>(
          program.Rt(), program.Config(), program.Reporter(), *this, tmrIEDOM,
          [&program](std::string_view address) { program.ShowReceiveWindow(address); })),
      colors_(std::make_unique<chatview::ChatColors>(program.Rt(), program.Config(),
                                                     program.Reporter(), program.Chat(), *this)) {
  watcher_.SetDebug(HasSwitch("-debug"));
  // Never shown: a small window that holds the buttons' designs and the two tray pictures.
  Move(0, 0, 120, 80);
  picIcon(0).SetVisible(false);
  picIcon(0).Move(0, 0, 20, 20);
  picIconX(0).SetVisible(false);
  picIconX(0).Move(24, 0, 16, 16);
  Picture2.SetVisible(false);
  Picture2.Move(44, 0, 16, 16);
  Picture3.SetVisible(false);
  Picture3.Move(64, 0, 16, 16);
  Picture2.SetPicture(runtime::Picture{"res:boss", program.Rt().NewPictureHandle()});
  Picture3.SetPicture(runtime::Picture{"res:plain", program.Rt().NewPictureHandle()});
  HookControl1.on_posted_message = [this](uint32_t& m, platform::WParam& wp, platform::LParam& lp) {
    parser_.PostedMessage(m, wp, lp);
  };
  vbBoss.on_hotkey_pressed = [this] { vbBoss_HotkeyPressed(); };
  vbLock.on_hotkey_pressed = [this] { vbLock_HotkeyPressed(); };
  vbBold.on_hotkey_pressed = [this] { effects_.BoldItalic(0); };
  vbItalic.on_hotkey_pressed = [this] { effects_.BoldItalic(1); };
  vbRecall.on_hotkey_pressed = [this] { effects_.Recall(); };
  WireButtons();
}

frmMain::~frmMain() = default;

bool frmMain::HasSwitch(std::string_view name) const {
  // Searched anywhere in the command line, without regard to case.
  return text::AsciiLower(Rt().Info().command_line).find(text::AsciiLower(name)) !=
         std::string::npos;
}

std::optional<platform::IconHandle> frmMain::IconHandle(std::string_view kind) const {
  if (kind == "boss") return Picture2.GetPicture().handle;
  if (kind == "plain") return Picture3.GetPicture().handle;
  return std::nullopt;
}

runtime::Picture frmMain::ButtonPicture(int resource) {
  auto it = button_pictures_.find(resource);
  if (it == button_pictures_.end()) {
    std::string source = "Images/Buttons/" + std::to_string(resource) + ".bmp";
    it =
        button_pictures_.emplace(resource, runtime::Picture{source, Rt().NewPictureHandle()}).first;
  }
  return it->second;
}

void frmMain::WireButtons() {
  // Pressed while the button is down, the hover picture for a moment when the mouse passes over.
  picIcon.on_mouse_down = [this](int index, int, int, int, int) {
    picIcon(index).SetPicture(ButtonPicture(103));
  };
  picIcon.on_mouse_up = [this](int index, int, int, int, int) {
    picIcon(index).SetPicture(ButtonPicture(101));
  };
  picIcon.on_mouse_move = [this](int index, int button, int, int, int) {
    if (button != 0) return;
    picIcon(index).SetPicture(ButtonPicture(102));
    Rt().Clock().Sleep(75);
    if (runtime::PictureBox* still = picIcon.Find(index)) still->SetPicture(ButtonPicture(101));
  };
  picIcon.on_click = [this](int index) { picIcon_Click(index); };
  picIconX.on_mouse_down = [this](int index, int, int, int, int) {
    picIconX(index).SetPicture(ButtonPicture(203));
  };
  picIconX.on_mouse_up = [this](int index, int, int, int, int) {
    picIconX(index).SetPicture(ButtonPicture(201));
  };
  picIconX.on_mouse_move = [this](int index, int button, int, int, int) {
    if (button != 0) return;
    picIconX(index).SetPicture(ButtonPicture(202));
    Rt().Clock().Sleep(150);
    if (runtime::PictureBox* still = picIconX.Find(index)) still->SetPicture(ButtonPicture(201));
  };
  picIconX.on_click = [this](int index) { picIconX_Click(index); };
}

void frmMain::picIcon_Click(int) { PopupMenu(menus_->mnuChatMenu); }

void frmMain::picIconX_Click(int) { PopupMenu(menus_->mnuMainMenu); }

void frmMain::Form_Initialize() {
  try {
    // The menu pictures, numbered 0 to 6 in this order.
    const char* names[] = {"accept",       "advanced", "chat",     "cancel",
                           "filetransfer", "other",    "shortcuts"};
    std::string folder = AddSlash(Rt().Info().folder) + "Images/Menu/";
    for (const char* name : names) {
      std::string file = folder + name + ".bmp";
      if (!Rt().Files().Exists(file)) {
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
    FindMenu("mnuCoolText")->SetCaption("&©ØØ£");
    MainWindow(program_.GTalk().FindGTalk());
    menus_->LoadImages();
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
    picIcon(0).SetPicture(ButtonPicture(101));
    picIconX(0).SetPicture(ButtonPicture(201));
    // A chord another program holds stays with it; the person is told which one is missing.
    for (runtime::HotkeyControl* hotkey : {&vbBoss, &vbLock, &vbBold, &vbItalic, &vbRecall}) {
      if (!hotkey->Register()) {
        program_.Reporter().ReportError("Form_Load", this, kHotkeyAlreadyRegistered, "Hotkey",
                                        "The hotkey " + hotkey->KeyText() +
                                            " could not be registered: another program holds it.");
      }
    }
    // The stored desktop friends: every value of Friends holding "1" opens that friend's window.
    // Timer1 stops the search after three seconds.
    if (!cReg) cReg = std::make_unique<ui::cRegSearch>(Rt(), program_.Reporter());
    cReg->RootKey = ui::cRegSearch::kCurrentUser;
    cReg->SubKey = "Software\\Quillon\\Friends";
    cReg->SearchFlags = ui::cRegSearch::kValueData;
    cReg->SearchString = "1";
    cReg->on_search_found = std::bind_front(&frmMain::cReg_SearchFound, this);
    cReg->DoSearch();
    // Active Status on: its window loads hidden, so only its timer runs.
    if (program_.Config().ReadSetting("UseStatus", "0") == "1") {
      program_.ActiveStatusWindow().Load();
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

std::string frmMain::RemoveExtra(std::string_view title) {
  return gtalk::GTalkWindows::RemoveExtra(title);
}

void frmMain::MsgCmdList() {
  frmCommands& commands = program_.Commands();
  commands.Load();
  commands.List1.Clear();
  // Every piece between commas, the empty ones before the first and after the last included.
  std::string list = parser_.CommandList().empty() ? gtalk::CommandParser::ListedCommands()
                                                   : parser_.CommandList();
  size_t start = 0;
  for (;;) {
    size_t comma = list.find(',', start);
    commands.List1.AddItem(
        list.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  commands.Show();
}

void frmMain::Shortcut(std::string_view text) { menus_->Shortcut(text); }

void frmMain::mnuImages_Click(int index) {
  if (index == 0) return;
  runtime::Menu* item = FindMenu("mnuImages", index);
  if (!item) return;
  gtalk::GTalkWindows& gtalk = program_.GTalk();
  gtalk.SetText(gtalk.GetText(state_.ChatInput) + " [!Quillon:" + item->Tag() + "!]",
                state_.ChatInput, false);
}

void frmMain::EndIt() {
  // Every step runs even when one fails.
  auto step = [this](auto&& body) {
    try {
      body();
    } catch (const std::exception& e) {
      program_.Reporter().ReportError("Endit", this, e);
    }
  };
  step([&] { HookControl1.Stop(); });
  step([&] {
    if (hWnd()) Rt().Windows().SetWindowProc(hWnd(), OldWndProc);
  });
  // The shell's notifications go too: an ended copy has nothing to do with them.
  step([&] {
    if (hWnd() && ShellMsg != 0) Rt().Shell().DeregisterShellHook(hWnd());
  });
  step([&] {
    for (int index : picIcon.Indices()) {
      if (index != 0) picIcon.Unload(index);
    }
  });
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

void frmMain::Timer1_Timer() {
  if (cReg) cReg->StopSearch();
  Timer1.SetEnabled(false);
}

}  // namespace quillon::app
