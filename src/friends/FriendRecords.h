#pragma once
// The desktop friends as the program keeps them: adding the contact of the current chat, opening
// a friend's window from its stored settings (at start-up for every stored friend), and the
// windows that are open. A friend is known by its display name; its record lives under Friends
// and its appearance under FriendsData\<name>.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillon::app {
class Quillon;
class frmMain;
}  // namespace quillon::app

namespace quillon::friends {

class frmFriend;

class FriendRecords {
 public:
  // The mail address suffix a chat title may carry after the contact's name.
  static constexpr const char* kMailSuffix = "@gmail.com";

  FriendRecords(app::Quillon& program, app::frmMain& form);
  ~FriendRecords();
  FriendRecords(const FriendRecords&) = delete;
  FriendRecords& operator=(const FriendRecords&) = delete;

  // Opens the window of one friend from its stored size, place, top-most state and transparency.
  void FoundFriend(const std::string& name);
  // The chat menu's "Create Desktop Friend": the current chat's contact becomes a friend.
  void mnuDesktopFriend_Click();

  // The contact's name in a chat title: without the typing notes (whatever their letter case),
  // the blanks after the name and the mail address suffix.
  static std::string NameFromChatTitle(std::string_view title);
  // The friend a match of the start-up search of `searched_key` names: a value whose data
  // matched, named by everything after the searched key's path ("\" and "/" included). A matching
  // subkey names none. A value of a subkey further down looks the same; the caller tells the two
  // apart by the searched key's own values.
  static std::optional<std::string> NameFromFound(std::string_view searched_key,
                                                  std::string_view found_key, int32_t found);

  // The friend windows open now, oldest first.
  std::vector<frmFriend*> Windows() const;

 private:
  // Lets go of windows that were unloaded (removed or closed) since the last look. Called only
  // where no handler of a friend window can be running.
  void Collect();

  app::Quillon& program_;
  app::frmMain& form_;
  std::vector<std::unique_ptr<frmFriend>> windows_;
};

}  // namespace quillon::friends
