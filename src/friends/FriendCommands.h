#pragma once
// The friend menu "Desktop Friend Menu" of the main form, opened over a friend window by a right
// click: everything a person can change about a desktop friend. Each command acts on the friend
// whose menu was opened (the records' currentFriend), stores the changed setting under that
// friend's name at once and has the window redraw what changed.
#include "runtime/Menu.h"
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

class FriendRecords;
class frmFriend;

class FriendCommands {
 public:
  static constexpr const char* kTransparencyTitle = "Desktop Friends";

  // The menu is the main form's `form`; errors are reported for it.
  FriendCommands(runtime::Runtime& rt, services::SettingsStore& settings,
                 services::ErrorReports& reports, gtalk::GTalkWindows& gtalk, runtime::Form& form,
                 FriendRecords& records);

  // Makes the window the current friend, sets the items' ticks and states from its settings and
  // pops the menu up at the mouse.
  void ShowFor(frmFriend& window);

  // The percent (20, 40, 60, 80, 100) becomes the alpha level it stands for, which is applied to
  // the current friend's window and stored.
  void SetFriendTransparency(int& percent);
  // The level for a percentage: 256 (opaque) for 100, else 255 / 100 of it, rounded.
  static int LevelOfPercent(int percent);

  runtime::Menu& mnuDesktop;

  void mnuEditName_Click();
  void mnuNameColor_Click();
  void mnuUse_Click();
  void mnuSetPicture_Click();
  void mnuSetOne_Click();
  void mnuSetTwo_Click();
  void mnuHorizontal_Click();
  void mnuVertical_Click();
  void mnuInvert_Click();
  void mnuCustom_Click();
  void mnuShowBorder_Click();
  void mnuResize_Click();
  void mnuAOT_Click();
  void mnuRemove_Click();

 private:
  void Build();
  runtime::Menu& Item(const char* name);
  frmFriend* Current();
  // A colour dialog started at the stored colour; the choice is stored, a cancel stores nothing.
  void ChooseStoredColor(const char* value, const char* default_value, const char* area);
  void ApplyLevel(frmFriend& window, int level);

  runtime::Runtime& rt_;
  services::SettingsStore& settings_;
  services::ErrorReports& reports_;
  gtalk::GTalkWindows& gtalk_;
  runtime::Form& form_;
  FriendRecords& records_;
};

}  // namespace quillon::friends
