#pragma once
// The main menu and the chat menu of the hidden main form, item by item, with what each item does:
// the buttons placed in Google Talk's windows open them. Also the saved custom pictures of the
// chat menu, read from CustomImages.txt.
#include <string>
#include <string_view>

#include "runtime/Menu.h"

namespace quillon::app {

class Quillon;
class frmMain;

class MainMenus {
 public:
  MainMenus(Quillon& program, frmMain& form);

  runtime::Menu& mnuMainMenu;
  runtime::Menu& mnuChatMenu;

  // Appends a text to the current chat input (no Enter).
  void Shortcut(std::string_view text);
  // Rebuilds the saved custom pictures from CustomImages.txt.
  void LoadImages();

  void mnuOptions_Click();
  void mnuAbout_Click();
  void mnuUpdates_Click();
  void mnuActive_Click();
  void mnuDesktopFriend_Click();
  void mnuReset_Click();
  void mnuTransparency_Click();
  void mnuExit_Click();
  void mnuEmail_Click();
  void mnuIP_Click();

  // "Windows Version": the name of a system version as the program names them.
  static std::string WindowsVersionName(int major, int minor, int platform_id);

 private:
  void Build();
  runtime::Menu& Item(std::string_view name);

  Quillon& program_;
  frmMain& form_;
};

}  // namespace quillon::app
