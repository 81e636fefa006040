// The desktop's services other than windows: dialogs answered from the queue, popup menus, hotkeys,
// notification-area icons, the clipboard, and the clock.
#include <gtest/gtest.h>

#include "runtime/EventLoop.h"
#include "sim/SimDesktop.h"
#include "sim/SimDialogs.h"
#include "sim/SimHotkeys.h"
#include "sim/SimShell.h"
#include "sim/VirtualClock.h"

namespace quillon::sim {
namespace {

using Answer = SimDialogs::Answer;
using platform::DialogResult;

TEST(SimDialogsTest, AnswersAreTakenOldestFirstAndDefaultsApplyWithout) {
  SimDialogs dialogs;
  // Nothing queued: a message box takes its first button, the other dialogs are cancelled.
  EXPECT_EQ(dialogs.MessageBox("a", "t", platform::mb::kYesNo), DialogResult::kYes);
  EXPECT_EQ(dialogs.MessageBox("b", "t", platform::mb::kOk), DialogResult::kOk);
  EXPECT_EQ(dialogs.InputBox("p", "t", "initial"), std::nullopt);
  EXPECT_EQ(dialogs.OpenFile("t", {}), std::nullopt);
  EXPECT_EQ(dialogs.ChooseColor(0), std::nullopt);

  dialogs.QueueAnswer({Answer::Kind::kNo, "", 0});
  dialogs.QueueAnswer({Answer::Kind::kCancel, "", 0});
  dialogs.QueueAnswer({Answer::Kind::kOk, "", 0});
  dialogs.QueueAnswer({Answer::Kind::kText, "typed", 0});
  dialogs.QueueAnswer({Answer::Kind::kColor, "", platform::Rgb(1, 2, 3)});
  EXPECT_EQ(dialogs.MessageBox("c", "t", platform::mb::kYesNo), DialogResult::kNo);
  // A box without Cancel closes with its last button.
  EXPECT_EQ(dialogs.MessageBox("d", "t", platform::mb::kYesNo), DialogResult::kNo);
  EXPECT_EQ(dialogs.InputBox("p", "t", "initial"), "initial");  // OK keeps what it showed
  EXPECT_EQ(dialogs.InputBox("p", "t", "initial"), "typed");
  EXPECT_EQ(dialogs.ChooseColor(0), platform::Rgb(1, 2, 3));

  // Checks see every dialog in the order shown, once.
  EXPECT_EQ(dialogs.UncheckedCount(), 10u);
  EXPECT_EQ(dialogs.TakeUnchecked()->text, "a");
  EXPECT_EQ(dialogs.TakeUnchecked()->text, "b");
}

TEST(SimDialogsTest, MenuPathsUseCaptionsWithoutAccessKeys) {
  std::vector<platform::PopupMenuItem> items(2);
  items[0].caption = "&File Transfer";
  items[0].children.resize(2);
  items[0].children[0] = {"Send File...", 7, true, false, false, -1, {}};
  items[0].children[1] = {"R&&D", 8, false, false, false, -1, {}};
  items[1].caption = "-";
  EXPECT_EQ(SimDialogs::FindItem(items, "File Transfer/Send File...")->command, 7u);
  EXPECT_EQ(SimDialogs::FindItem(items, "File Transfer/R&D")->command, 8u);
  EXPECT_EQ(SimDialogs::FindItem(items, "File Transfer/Missing"), nullptr);
  EXPECT_EQ(SimDialogs::FindItem(items, "-"), nullptr);  // separators are not items

  SimDialogs dialogs;
  std::string why;
  EXPECT_FALSE(dialogs.ChooseMenuItem("File Transfer/Send File...", &why));
  EXPECT_EQ(why, "no menu is open");
  uint32_t chosen = 0;
  dialogs.SetModalRunner([&](const std::function<bool()>& done) {
    EXPECT_FALSE(dialogs.ChooseMenuItem("File Transfer", &why));
    EXPECT_EQ(why, "the item opens a submenu");
    EXPECT_FALSE(dialogs.ChooseMenuItem("File Transfer/R&D", &why));
    EXPECT_EQ(why, "the item is disabled");
    EXPECT_TRUE(dialogs.ChooseMenuItem("File Transfer/Send File...", &why));
    EXPECT_TRUE(done());
  });
  chosen = dialogs.TrackPopupMenu(0, items, {});
  EXPECT_EQ(chosen, 7u);
  EXPECT_EQ(dialogs.OpenMenu(), nullptr);
}

class SimServicesTest : public ::testing::Test {
 protected:
  SimServicesTest() : desktop_(clock_), shell_(desktop_), hotkeys_(desktop_), loop_(clock_) {
    loop_.AddSource(&desktop_);
  }
  VirtualClock clock_;
  SimDesktop desktop_;
  SimShell shell_;
  SimHotkeys hotkeys_;
  runtime::EventLoop loop_;
};

TEST_F(SimServicesTest, HotkeysBelongToOneRegistrationAndArriveThroughTheQueue) {
  int pressed = 0;
  platform::Chord boss{platform::kModControl | platform::kModShift, 'B'};
  platform::HotkeyId id = hotkeys_.Register(boss, [&] { ++pressed; });
  ASSERT_NE(id, 0u);
  EXPECT_EQ(hotkeys_.Register(boss, [] {}), 0u);
  EXPECT_TRUE(hotkeys_.Press(boss));
  EXPECT_EQ(pressed, 0);  // not before the queue runs
  loop_.ProcessPending();
  EXPECT_EQ(pressed, 1);
  EXPECT_FALSE(hotkeys_.Press({platform::kModControl, 'B'}));
  // Unregistered between the press and the queue: nothing happens.
  hotkeys_.Press(boss);
  hotkeys_.Unregister(id);
  loop_.ProcessPending();
  EXPECT_EQ(pressed, 1);
}

TEST_F(SimServicesTest, NotificationIconsChangeOnlyWhatTheirFlagsSay) {
  platform::WindowCreation creation;
  creation.class_name = "Main";
  platform::Hwnd main = desktop_.CreateWindow(creation);
  platform::NotifyIcon icon{main, 100, platform::kNifIcon | platform::kNifTip, 0, 11, "Client"};
  EXPECT_FALSE(shell_.NotifyIconChange(platform::NotifyIconOp::kModify, icon));
  EXPECT_TRUE(shell_.NotifyIconChange(platform::NotifyIconOp::kAdd, icon));
  EXPECT_FALSE(shell_.NotifyIconChange(platform::NotifyIconOp::kAdd, icon));
  platform::NotifyIcon change{main, 100, platform::kNifIcon, 0x200, 22, ":D"};
  EXPECT_TRUE(shell_.NotifyIconChange(platform::NotifyIconOp::kModify, change));
  auto shown = shell_.IconOf(main, 100);
  ASSERT_TRUE(shown);
  EXPECT_EQ(shown->icon, 22u);
  EXPECT_EQ(shown->tip, "Client");  // the tip was not flagged
  EXPECT_TRUE(shell_.NotifyIconChange(platform::NotifyIconOp::kDelete, change));
  EXPECT_FALSE(shell_.IconOf(main, 100));
  shell_.SetClipboardText("copied");
  EXPECT_EQ(shell_.GetClipboardText(), "copied");
  shell_.SetClipboardText("");
  EXPECT_EQ(shell_.GetClipboardText(), std::nullopt);
}

TEST(VirtualClockTest, WallTimeFollowsTicksAcrossMidnightAndYears) {
  VirtualClock clock(0, platform::LocalTime{2026, 12, 31, 23, 59, 58, 4});
  clock.Sleep(1999);
  EXPECT_EQ(clock.Now().second, 59);
  clock.Sleep(1);
  platform::LocalTime t = clock.Now();
  EXPECT_EQ(t.year, 2027);
  EXPECT_EQ(t.month, 1);
  EXPECT_EQ(t.day, 1);
  EXPECT_EQ(t.hour, 0);
  EXPECT_EQ(t.weekday, 5);  // a Friday
  VirtualClock leap(0, platform::LocalTime{2028, 2, 28, 12, 0, 0, 1});
  leap.Sleep(24 * 3600 * 1000);
  EXPECT_EQ(leap.Now().month, 2);
  EXPECT_EQ(leap.Now().day, 29);
}

}  // namespace
}  // namespace quillon::sim
