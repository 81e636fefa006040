#pragma once
// A desktop friend's window: the friend's name centred on a colour gradient or a picture, inside
// a thin border. A left click opens a chat with the friend, dragging moves the window (which then
// snaps to the other friend windows and remembers its place), a right click opens the friend menu.
// The window keeps no name of its own: the label's caption is the friend's name and the key of
// every setting it reads.
#include <functional>
#include <string>
#include <vector>

#include "friends/FriendSettings.h"
#include "runtime/Form.h"
#include "runtime/Label.h"
#include "runtime/Picture.h"
#include "runtime/Shape.h"
#include "runtime/TextBox.h"
#include "services/ErrorReports.h"
#include "services/SettingsStore.h"

namespace quillon::gtalk {
class GTalkWindows;
}

namespace quillon::friends {

class frmFriend : public runtime::Form {
 public:
  // Every friend window has this title; with the form's window class it is how friend windows
  // are found (the snapping, the boss key).
  static constexpr const char* kTitle = "QNF";
  // The text that, put into the rename box by any means, closes the window.
  static constexpr const char* kCloseText = "Closing... Please wait...";
  static constexpr int kDesignWidth = 2130;  // twips
  static constexpr int kHeight = 345;        // twips
  static constexpr int kMinimumWidthPixels = 50;
  static constexpr int kSnapPixels = 12;

  // `show_menu` opens the friend menu over this window (its right click).
  frmFriend(runtime::Runtime& rt, services::SettingsStore& settings,
            services::ErrorReports& reports, gtalk::GTalkWindows& gtalk,
            std::function<void(frmFriend&)> show_menu);
  ~frmFriend() override;

  std::string Key() const override { return Label1.Caption(); }
  FriendSettings Settings() const;

  void refreshName();
  void refreshBorder();
  void refreshGradient();
  void DoUnload();
  void MoveStuff();
  void HookItNow();

  // Size and place in twips.
  int Left() const;
  int Top() const;
  int Width() const;
  int Height() const;
  void SetLeft(int twips);
  void SetTop(int twips);
  // Setting the width lays the window out and draws it afresh, also when the width stays.
  void SetWidth(int twips);

  // What the drawing surface shows: the gradient's lines (empty when none are drawn), else the
  // picture, if any.
  const std::vector<platform::ColorRef>& Lines() const { return lines_; }
  const runtime::Picture& GetPicture() const { return picture_; }
  void ClearPicture() { picture_ = {}; }
  platform::ColorRef NameColor() const { return name_color_; }

  runtime::Label Label1{*this, "Label1"};
  runtime::TextBox Text1{*this, "Text1"};
  runtime::Shape Box{*this, "Box"};

 protected:
  void Form_Load() override;
  void Form_MouseMove(int button, int shift, int x, int y) override;
  void Form_MouseUp(int button, int shift, int x, int y) override;
  platform::LResult Handle(uint32_t message, platform::WParam wparam,
                           platform::LParam lparam) override;

 private:
  void Form_Resize();
  void ButtonAction(int button);
  void Text1_KeyDown(int& key_code, int shift);
  void Text1_Change();
  void CentreLabel();
  void SizeLabelToText();
  int TwipsX() const;
  int TwipsY() const;

  services::SettingsStore& settings_;
  services::ErrorReports& reports_;
  gtalk::GTalkWindows& gtalk_;
  std::function<void(frmFriend&)> show_menu_;
  std::vector<platform::ColorRef> lines_;
  runtime::Picture picture_;
  platform::ColorRef name_color_ = 0;
};

}  // namespace quillon::friends
