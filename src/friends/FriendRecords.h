#pragma once
// The desktop friends as the program keeps them: adding the contact of the current chat, opening
// a friend's window from its stored settings (at start-up for every stored friend), and the
// windows that are open. A friend is known by its display name; its record lives under Friends
// and its appearance under FriendsData\<name>.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "services/ChatState.h"
#include "services/ErrorReports.h"
#include "services/SettingsStore.h"

namespace quillon::runtime {
class Form;
class Runtime;
}  // namespace quillon::runtime
namespace quillon::gtalk {
class GTalkWindows;
}

namespace quillon::friends {

class frmFriend;

class FriendRecords {
 public:
  // The mail address suffix a chat title may carry after the contact's name.
  static constexpr const char* kMailSuffix = "@gmail.com";

  // `form` is the main form, for which errors are reported; `show_menu` opens the friend menu over
  // a window that was right-clicked.
  FriendRecords(runtime::Runtime& rt, services::SettingsStore& settings,
                services::ErrorReports& reports, services::ChatState& chat,
                gtalk::GTalkWindows& gtalk, runtime::Form& form,
                std::function<void(frmFriend&)> show_menu);
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

  // The friend whose menu was opened last; null once its window has gone.
  frmFriend* currentFriend = nullptr;

 private:
  // Lets go of windows that were unloaded (removed or closed) since the last look. Called only
  // where no handler of a friend window can be running.
  void Collect();

  runtime::Runtime& rt_;
  services::SettingsStore& settings_;
  services::ErrorReports& reports_;
  services::ChatState& chat_;
  gtalk::GTalkWindows& gtalk_;
  runtime::Form& form_;
  std::function<void(frmFriend&)> show_menu_;
  std::vector<std::unique_ptr<frmFriend>> windows_;
};

}  // namespace quillon::friends
