// The controls' own rules: what the person's actions and the program's settings do to them.
#include <gtest/gtest.h>

#include "runtime/Form.h"
#include "runtime/HotkeyControl.h"
#include "runtime/ListBox.h"
#include "runtime/MessageHook.h"
#include "runtime/ProgressBar.h"
#include "runtime/Slider.h"
#include "runtime/TextBox.h"
#include "support/TestPlatform.h"

namespace quillon::runtime {
namespace {

class ControlsTest : public ::testing::Test {
 protected:
  testing::TestPlatform p_;
  Runtime rt_{*p_.platform_, p_.loop_, p_.Info()};
  Form form_{rt_, "frmTest", "Test"};
};

TEST_F(ControlsTest, SliderKeepsToItsRangeAndReportsOnlyChanges) {
  Slider slider(form_, "Slider1");
  slider.SetRange(10, 256);
  int changes = 0, scrolls = 0;
  slider.on_change = [&] { ++changes; };
  slider.on_scroll = [&] { ++scrolls; };
  form_.Load();
  EXPECT_EQ(slider.Value(), 10);
  EXPECT_TRUE(slider.PersonSet("300"));
  EXPECT_EQ(slider.Value(), 256);
  EXPECT_TRUE(slider.PersonSet("256"));  // already there: no event
  EXPECT_FALSE(slider.PersonSet("lots"));
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(scrolls, 1);
  slider.SetEnabled(false);
  EXPECT_FALSE(slider.PersonSet("20"));
}

TEST_F(ControlsTest, TextBoxEditsAtTheCaretAndALockedBoxTakesNothing) {
  TextBox box(form_, "Text1");
  form_.Load();
  box.PersonSet("hllo");
  box.PersonKey(platform::vk::kHome);
  box.PersonKey(platform::vk::kRight);
  p_.desktop_.SendMessage(box.Hwnd(), platform::msg::kChar, 'e', 0);
  EXPECT_EQ(box.Text(), "hello");
  box.PersonKey(platform::vk::kEnd);
  box.PersonKey(platform::vk::kBack);
  EXPECT_EQ(box.Text(), "hell");
  // Characters beyond ASCII go in whole.
  p_.desktop_.SendMessage(box.Hwnd(), platform::msg::kChar, 0xE9, 0);
  EXPECT_EQ(box.Text(), "hellé");
  box.SetLocked(true);
  p_.desktop_.SendMessage(box.Hwnd(), platform::msg::kChar, 'x', 0);
  EXPECT_EQ(box.Text(), "hellé");
}

TEST_F(ControlsTest, ListBoxSelectionAndItems) {
  ListBox list(form_, "List1");
  int clicks = 0, double_clicks = 0;
  list.on_click = [&] { ++clicks; };
  list.on_dbl_click = [&] { ++double_clicks; };
  list.AddItem("");
  list.AddItem("about");
  list.AddItem("away");
  EXPECT_EQ(list.Property("items"), "|about|away");
  list.PersonDoubleClick("away");
  EXPECT_EQ(list.Text(), "away");
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(double_clicks, 1);
  list.PersonDoubleClick("missing");
  EXPECT_EQ(double_clicks, 1);
  // A single click selects and clicks; an item the list does not hold is refused.
  EXPECT_TRUE(list.PersonSet("about"));
  EXPECT_EQ(list.Text(), "about");
  EXPECT_EQ(clicks, 2);
  EXPECT_FALSE(list.PersonSet("missing"));
  EXPECT_EQ(list.Text(), "about");
  EXPECT_TRUE(list.PersonSet("away"));
  list.RemoveItem(2);
  EXPECT_EQ(list.ListIndex(), 1);  // the selection follows the shorter list
  list.Clear();
  EXPECT_EQ(list.ListIndex(), -1);
}

TEST_F(ControlsTest, AnEmptyProgressRangeShowsFull) {
  ProgressBar bar(form_, "ProgressBar1");
  bar.SetMax(0);
  EXPECT_EQ(bar.Percent(), 100);
  bar.SetMax(8000);
  bar.SetValue(4000);
  EXPECT_EQ(bar.Percent(), 50);
  bar.SetValue(9000);
  EXPECT_EQ(bar.Value(), 8000);
}

TEST_F(ControlsTest, MessageHookReportsOnlyItsMessagesAndStopsForgettingThem) {
  platform::WindowCreation creation;
  creation.class_name = "RichEdit20W";
  platform::Hwnd box = p_.desktop_.CreateWindow(creation);
  MessageHook hook(rt_);
  std::vector<uint32_t> seen;
  hook.on_posted_message = [&](uint32_t& m, platform::WParam&, platform::LParam&) {
    seen.push_back(m);
  };
  hook.SetWatchedWindow(box);
  hook.AddMessage("WM_CHAR", platform::msg::kChar);
  ASSERT_TRUE(hook.Start());
  p_.desktop_.PostMessage(box, platform::msg::kKeyDown, 'A', 0);
  p_.desktop_.PostMessage(box, platform::msg::kChar, 'a', 0);
  p_.loop_.ProcessPending();
  EXPECT_EQ(seen, std::vector<uint32_t>{platform::msg::kChar});
  hook.Stop();
  EXPECT_FALSE(hook.IsActive());
  p_.desktop_.PostMessage(box, platform::msg::kChar, 'b', 0);
  p_.loop_.ProcessPending();
  EXPECT_EQ(seen.size(), 1u);
}

TEST_F(ControlsTest, HotkeysStopWithTheProgram) {
  HotkeyControl hotkey(rt_, {platform::kModControl, 'R'});
  int pressed = 0;
  hotkey.on_hotkey_pressed = [&] { ++pressed; };
  ASSERT_TRUE(hotkey.Register());
  HotkeyControl same(rt_, {platform::kModControl, 'R'});
  EXPECT_FALSE(same.Register());
  p_.hotkeys_.Press({platform::kModControl, 'R'});
  p_.loop_.ProcessPending();
  EXPECT_EQ(pressed, 1);
  rt_.End();
  p_.hotkeys_.Press({platform::kModControl, 'R'});
  p_.loop_.ProcessPending();
  EXPECT_EQ(pressed, 1);
}

}  // namespace
}  // namespace quillon::runtime
