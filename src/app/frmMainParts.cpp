// The main form's entry points into the program's parts that the menus, commands and hotkeys
// reach. Parts that this build does not have yet (colours of the chat view, Active Status) leave
// their entry point without effect, so that a menu item or command for them is taken and does
// nothing visible.
#include "app/Quillon.h"
#include "app/frmMain.h"
#include "status/frmReader.h"
#include "transfer/frmReceive.h"
#include "transfer/frmSend.h"

namespace quillon::app {

void frmMain::vbBoss_HotkeyPressed() { boss_.Toggle(); }

void frmMain::vbLock_HotkeyPressed() { lock_.Toggle(); }

void frmMain::RefreshBackgrounds() {}

void frmMain::ChooseColor(int) {}

void frmMain::SendFile() { program_.SendWindow().Open(); }

void frmMain::ReceiveFile() { program_.ReceiveWindow().Open(); }

void frmMain::OpenActiveStatus() { program_.ActiveStatusWindow().Show(); }

void frmMain::CreateDesktopFriend() { Friends().mnuDesktopFriend_Click(); }

}  // namespace quillon::app
