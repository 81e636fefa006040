#pragma once
// What a person at the prompt sees at a glance: the front chat's input, Google Talk's status line,
// Quillon's state and visible windows, the open popup menu and the dialogs shown. Taken before and
// after a statement, it lets the prompt say in one short line what the statement changed.
#include <cstddef>
#include <string>
#include <vector>

namespace quillon::sandbox {

class UserWorld;

class Glance {
 public:
  static Glance Of(UserWorld& user);
  // What differs from `before`, as one line ("" when nothing the glance covers changed); the
  // dialogs shown since `before` are read from `user`.
  std::string ChangesSince(const Glance& before, UserWorld& user) const;

  // The longest a text is shown before it is cut with "...", so the line stays short.
  static constexpr size_t kShownText = 40;

 private:
  std::string chat_;   // the contact of the front chat, "" when none
  std::string input_;  // its input box
  bool gtalk_ = false;
  std::string status_;
  std::string quillon_;
  std::string menu_;  // the open popup menu's items, "" when none is open
  std::vector<std::string> forms_;
  size_t dialogs_ = 0;
};

}  // namespace quillon::sandbox
