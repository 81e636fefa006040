// The main form's side of the desktop friends: the start-up search's matches become friend
// windows, and the friend menu and the friend windows live as long as the form.
#include "app/Quillon.h"
#include "app/frmMain.h"
#include "friends/FriendCommands.h"
#include "friends/FriendRecords.h"
#include "friends/frmFriend.h"

namespace quillon::app {

friends::FriendRecords& frmMain::Friends() {
  if (!friends_) {
    friends_ = std::make_unique<friends::FriendRecords>(
        program_.Rt(), program_.Config(), program_.Reporter(), program_.Chat(), program_.GTalk(),
        *this, [this](friends::frmFriend& window) { FriendMenu().ShowFor(window); });
  }
  return *friends_;
}

friends::FriendCommands& frmMain::FriendMenu() {
  if (!friend_commands_) {
    friend_commands_ = std::make_unique<friends::FriendCommands>(
        program_.Rt(), program_.Config(), program_.Reporter(), program_.GTalk(), *this, Friends());
  }
  return *friend_commands_;
}

void frmMain::FoundFriend(const std::string& Name) { Friends().FoundFriend(Name); }

void frmMain::cReg_SearchFound(const std::string&, const std::string& sKey, const std::string&,
                               int32_t lFound) {
  if (!cReg) return;
  std::optional<std::string> name =
      friends::FriendRecords::NameFromFound(cReg->SubKey, sKey, lFound);
  // Only the searched key's own values are friends, not values of a subkey below it that merely
  // look alike in the path the search reports.
  if (!name || !Rt().Registry().GetValue(platform::RegistryRoot::kCurrentUser, cReg->SubKey, *name))
    return;
  FoundFriend(*name);
}

void frmMain::SetFriendTransparency(int& percent) { FriendMenu().SetFriendTransparency(percent); }

}  // namespace quillon::app
