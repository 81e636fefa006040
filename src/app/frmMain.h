#pragma once
// The program's hidden main form. It owns everything that lives as long as the program: the window
// procedure that hears of activated windows, the hook on the current chat's input, the timers, the
// hotkeys, the popup menus and the buttons placed inside Google Talk's windows, and the current
// chat. The work of each part is done by a class of its own; the form holds them and offers the
// operations the rest of the program calls.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "friends/FriendCommands.h"
#include "friends/FriendRecords.h"
#include "gtalk/CommandParser.h"
#include "gtalk/TextEffects.h"
#include "gtalk/WindowWatcher.h"
#include "platform/WindowSystem.h"
#include "privacy/BossKey.h"
#include "privacy/Lock.h"
#include "runtime/ControlArray.h"
#include "runtime/Form.h"
#include "runtime/HotkeyControl.h"
#include "runtime/MessageHook.h"
#include "runtime/PictureBox.h"
#include "runtime/Timer.h"
#include "services/BossIcons.h"
#include "services/ChatState.h"
#include "services/CommandTargets.h"
#include "ui/cRegSearch.h"

namespace quillon::chatview {
class ChatColors;
class ChatViewPass;
}  // namespace quillon::chatview

namespace quillon::app {

class Quillon;
class MainMenus;

// Besides being a form, it answers the slash commands' requests and lends the boss key its icons.
class frmMain : public runtime::Form, public services::CommandTargets, public services::BossIcons {
 public:
  explicit frmMain(Quillon& program);
  ~frmMain() override;

  // Runs Form_Load again: the hooks and state are set up afresh without reloading the form.
  void Start() { Form_Load(); }
  // Undoes everything that ties the program to Google Talk's windows.
  void EndIt();
  platform::LResult WndProc(platform::Hwnd hwnd, uint32_t message, platform::WParam wparam,
                            platform::LParam lparam);

  // Window watching.
  void TC(platform::Hwnd hwnd) { watcher_.TC(hwnd); }
  void ChatWindow(platform::Hwnd hwnd) { watcher_.ChatWindow(hwnd); }
  void ApplyHook() { watcher_.ApplyHook(); }
  void MainWindow(platform::Hwnd hwnd) { watcher_.MainWindow(hwnd); }
  bool CheckActiveWindow() { return watcher_.CheckActiveWindow(); }
  void LockIt(platform::WParam operation) { watcher_.LockIt(operation); }
  static std::string RemoveExtra(std::string_view title);

  // Text effects and commands.
  void ApplyFilter(int filter) { effects_.ApplyFilter(filter); }
  void UpdateRecall(std::string_view text) { effects_.UpdateRecall(text); }
  void MsgCmdList() override;
  gtalk::TextEffects& Effects() { return effects_; }
  privacy::BossKey& Boss() { return boss_; }
  privacy::Lock& LockState() { return lock_; }
  gtalk::CommandParser& Parser() { return parser_; }

  // Menus and buttons.
  MainMenus& Menus() { return *menus_; }
  void Shortcut(std::string_view text);
  void picIcon_Click(int index) override;
  void picIconX_Click(int index);
  void mnuImages_Click(int index);

  // The entry points of the program's other parts that the menus, commands and hotkeys reach.
  void vbBoss_HotkeyPressed() override;
  void vbLock_HotkeyPressed() override;
  void RefreshBackgrounds();
  // 1: message area, 2: typing area, 3: font colour.
  void ChooseColor(int which);
  void SendFile();
  void ReceiveFile();
  void OpenActiveStatus() override;
  void CreateDesktopFriend() override;
  void ShowOptions() override;
  void ShowAbout() override;

  // Desktop friends: each stored friend found by the start-up search `cReg` gets its window.
  void FoundFriend(const std::string& Name);
  void cReg_SearchFound(const std::string& sRootKey, const std::string& sKey,
                        const std::string& sValue, int32_t lFound);
  void SetFriendTransparency(int& percent);
  friends::FriendRecords& Friends();
  friends::FriendCommands& FriendMenu();
  std::unique_ptr<ui::cRegSearch> cReg;

  services::ChatState& State() { return state_; }
  // The menu pictures, in the order the menus number them.
  const std::vector<runtime::Picture>& MenuIcons() const { return ils_icons_; }
  // The button pictures: 101-103 for the chat button, 201-203 for the main button.
  runtime::Picture ButtonPicture(int resource);
  // The icons put in Google Talk's place in the notification area ("boss", "plain").
  std::optional<platform::IconHandle> IconHandle(std::string_view kind) const override;

  runtime::Timer tmrCheck;
  runtime::Timer Timer1;
  runtime::Timer tmrIEDOM;
  runtime::Timer tmrBoss;
  runtime::ControlArray<runtime::PictureBox> picIcon{*this, "picIcon"};
  runtime::ControlArray<runtime::PictureBox> picIconX{*this, "picIconX"};
  runtime::PictureBox Picture2{*this, "Picture2"};  // the boss icon
  runtime::PictureBox Picture3{*this, "Picture3"};  // the plain icon
  runtime::MessageHook HookControl1;
  runtime::HotkeyControl vbBoss;
  runtime::HotkeyControl vbLock;
  runtime::HotkeyControl vbBold;
  runtime::HotkeyControl vbItalic;
  runtime::HotkeyControl vbRecall;

 protected:
  void Form_Initialize() override;
  void Form_Load() override;
  void Form_Unload(int& cancel) override;

 private:
  void tmrCheck_Timer();
  void Timer1_Timer();
  bool HasSwitch(std::string_view name) const;
  void WireButtons();

  Quillon& program_;
  services::ChatState& state_;
  gtalk::WindowWatcher watcher_;
  gtalk::TextEffects effects_;
  gtalk::CommandParser parser_;
  privacy::BossKey boss_;
  privacy::Lock lock_;
  std::unique_ptr<MainMenus> menus_;
  std::unique_ptr<chatview::ChatViewPass> chat_view_;
  std::unique_ptr<chatview::ChatColors> colors_;
  std::unique_ptr<friends::FriendRecords> friends_;
  std::unique_ptr<friends::FriendCommands> friend_commands_;
  std::vector<runtime::Picture> ils_icons_;
  std::map<int, runtime::Picture> button_pictures_;
  platform::WindowProcId OldWndProc = 0;
  uint32_t ShellMsg = 0;
};

}  // namespace quillon::app
