#pragma once
// What a slash command typed into a chat reaches beyond Google Talk's windows: the program's
// hotkey actions, its menus and its other windows. The main form answers them; each does what
// the matching hotkey or menu item does.
namespace quillon::services {

class CommandTargets {
 public:
  virtual ~CommandTargets() = default;

  // The boss key and the lock, as their hotkeys toggle them.
  virtual void vbBoss_HotkeyPressed() = 0;
  virtual void vbLock_HotkeyPressed() = 0;
  // The chat menu, popped up as its button in the chat's toolbar does (`index` is the button's).
  virtual void picIcon_Click(int index) = 0;
  virtual void ShowOptions() = 0;
  virtual void ShowAbout() = 0;
  virtual void OpenActiveStatus() = 0;
  virtual void CreateDesktopFriend() = 0;
  // The window that lists the slash commands.
  virtual void MsgCmdList() = 0;
};

}  // namespace quillon::services
