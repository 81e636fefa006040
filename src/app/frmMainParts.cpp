// The main form's entry points into the program's parts that the menus, commands and hotkeys
// reach.
#include "app/MainMenus.h"
#include "app/Quillon.h"
#include "app/frmMain.h"
#include "chatview/ChatColors.h"
#include "status/frmReader.h"
#include "transfer/frmReceive.h"
#include "transfer/frmSend.h"

namespace quillon::app {

void frmMain::vbBoss_HotkeyPressed() { boss_.Toggle(); }

void frmMain::vbLock_HotkeyPressed() { lock_.Toggle(); }

void frmMain::RefreshBackgrounds() { colors_->RefreshBackgrounds(); }

void frmMain::ChooseColor(int which) { colors_->ChooseColor(which); }

void frmMain::SendFile() { program_.SendWindow().Open(); }

void frmMain::ReceiveFile() { program_.ReceiveWindow().Open(); }

void frmMain::OpenActiveStatus() { program_.ActiveStatusWindow().Show(); }

void frmMain::CreateDesktopFriend() { Friends().mnuDesktopFriend_Click(); }

void frmMain::ShowOptions() { menus_->mnuOptions_Click(); }

void frmMain::ShowAbout() { menus_->mnuAbout_Click(); }

}  // namespace quillon::app
