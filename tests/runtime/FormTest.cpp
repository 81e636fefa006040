// Forms and controls as the program uses them, checked through the desktop they live on.
#include <gtest/gtest.h>

#include "runtime/CheckBox.h"
#include "runtime/CommandButton.h"
#include "runtime/ControlArray.h"
#include "runtime/Form.h"
#include "runtime/Label.h"
#include "runtime/ListBox.h"
#include "runtime/PictureBox.h"
#include "runtime/TextBox.h"
#include "runtime/Timer.h"
#include "support/TestPlatform.h"

namespace quillon::runtime {
namespace {

class frmTest : public Form {
 public:
  explicit frmTest(Runtime& rt) : Form(rt, "frmTest", "Test") {
    Command1.on_click = [this] { log.push_back("Command1 click"); };
    Text1.on_key_press = [this](int& key) {
      log.push_back("keypress " + std::to_string(key));
      if (key == 'x') key = 0;  // cancelled
      if (key == 'a') key = 'A';
    };
    Text1.on_change = [this] { log.push_back("change " + Text1.Text()); };
    picIcon.on_mouse_down = [this](int index, int button, int, int, int) {
      log.push_back("picIcon(" + std::to_string(index) + ") down " + std::to_string(button));
    };
    picIcon.on_click = [this](int index) {
      log.push_back("picIcon(" + std::to_string(index) + ") click");
    };
    Menu& menu = AddMenu("mnuMain", "Main");
    menu.Add("mnuFirst", "&First").on_click = [this] { log.push_back("first"); };
    menu.Add("mnuSep", "-");
    Menu& sub = menu.Add("mnuSub", "Sub");
    sub.Add("mnuDeep", "Deep").on_click = [this] { log.push_back("deep"); };
    sub.Add("mnuOff", "Off").SetEnabled(false);
    menu.Add("mnuHidden", "Hidden").SetVisible(false);
  }
  std::vector<std::string> log;
  CommandButton Command1{*this, "Command1"};
  TextBox Text1{*this, "Text1"};
  Label Label1{*this, "Label1"};
  CheckBox chkOne{*this, "chkOne"};
  ListBox List1{*this, "List1"};
  ControlArray<PictureBox> picIcon{*this, "picIcon"};

 protected:
  void Form_Load() override { log.push_back("load"); }
  void Form_QueryUnload(int& cancel, UnloadMode mode) override {
    log.push_back(mode == UnloadMode::kControlMenu ? "query by close" : "query by code");
    cancel = refuse_unload ? 1 : 0;
  }

 public:
  bool refuse_unload = false;
};

class FormTest : public ::testing::Test {
 protected:
  testing::TestPlatform p_;
  Runtime rt_{*p_.platform_, p_.loop_, p_.Info()};
};

TEST_F(FormTest, LoadMakesHiddenWindowsThatThePersonsMouseAndKeysReach) {
  frmTest form(rt_);
  EXPECT_FALSE(form.Loaded());
  form.Load();
  ASSERT_TRUE(form.Loaded());
  EXPECT_EQ(p_.desktop_.GetClassName(form.hWnd()), "ThunderRT6FormDC");
  EXPECT_FALSE(form.Visible());
  EXPECT_EQ(p_.desktop_.GetParent(form.Text1.Hwnd()), form.hWnd());
  EXPECT_EQ(form.Label1.Hwnd(), 0u);  // labels have no window
  EXPECT_EQ(rt_.FindForm("frmTest"), &form);

  form.Show();
  form.Command1.PersonClick();
  form.Text1.PersonKey(platform::vk::kBack);  // nothing to delete
  p_.desktop_.SendMessage(form.Text1.Hwnd(), platform::msg::kChar, 'a', 0);
  p_.desktop_.SendMessage(form.Text1.Hwnd(), platform::msg::kChar, 'x', 0);
  p_.desktop_.SendMessage(form.Text1.Hwnd(), platform::msg::kChar, 'b', 0);
  std::vector<std::string> expected = {"load",     "Command1 click", "keypress 8",  "keypress 97",
                                       "change A", "keypress 120",   "keypress 98", "change Ab"};
  EXPECT_EQ(form.log, expected);
  EXPECT_EQ(form.Text1.Property("text"), "Ab");

  // A disabled control takes no clicks; a check box toggles.
  form.log.clear();
  form.Command1.SetEnabled(false);
  form.Command1.PersonClick();
  form.chkOne.PersonClick();
  EXPECT_EQ(form.chkOne.Property("checked"), "yes");
  form.chkOne.PersonClick();
  EXPECT_EQ(form.chkOne.Value(), 0);
  EXPECT_TRUE(form.log.empty());
}

TEST_F(FormTest, ControlArrayElementsComeAndGoWithTheirIndex) {
  frmTest form(rt_);
  form.Load();
  PictureBox& button = form.picIcon.Load(3);
  EXPECT_FALSE(button.Visible());
  button.SetVisible(true);
  EXPECT_TRUE(p_.desktop_.IsWindow(button.Hwnd()));
  platform::Hwnd window = button.Hwnd();
  button.PersonClick();
  EXPECT_EQ(form.log, (std::vector<std::string>{"load", "picIcon(3) down 1", "picIcon(3) click"}));
  EXPECT_EQ(form.FindControl("picIcon", 3), &button);
  form.picIcon.Unload(3);
  EXPECT_FALSE(p_.desktop_.IsWindow(window));
  EXPECT_EQ(form.FindControl("picIcon", 3), nullptr);
  form.picIcon.Unload(0);  // the template stays
  EXPECT_TRUE(form.picIcon.IsLoaded(0));
}

TEST_F(FormTest, PopupMenuWaitsForThePersonsChoice) {
  frmTest form(rt_);
  form.Load();
  // The person looks at the menu, then chooses an item of a submenu.
  class Person : public PersonSource {
   public:
    explicit Person(testing::TestPlatform& p) : p_(p) {}
    PersonAction TakeAction(ModalKind kind) override {
      kinds.push_back(kind);
      const auto* menu = p_.dialogs_.OpenMenu();
      if (!menu) return PersonAction::kGone;
      EXPECT_EQ(sim::SimDialogs::FindItem(*menu, "Hidden"), nullptr);
      EXPECT_FALSE(p_.dialogs_.ChooseMenuItem("Sub/Off", nullptr));
      EXPECT_TRUE(p_.dialogs_.ChooseMenuItem("Sub/Deep", nullptr));
      return PersonAction::kTaken;
    }
    std::vector<ModalKind> kinds;
    testing::TestPlatform& p_;
  } person(p_);
  p_.loop_.SetPerson(&person);
  form.PopupMenu(*form.FindMenu("mnuMain"));
  EXPECT_EQ(form.log.back(), "deep");
  EXPECT_EQ(person.kinds, std::vector<ModalKind>{ModalKind::kPopupMenu});
  p_.loop_.SetPerson(nullptr);
}

TEST_F(FormTest, UnloadCanBeRefusedAndEndStopsEverything) {
  frmTest form(rt_);
  form.Show();
  form.refuse_unload = true;
  p_.desktop_.SendMessage(form.hWnd(), platform::msg::kClose, 0, 0);
  EXPECT_TRUE(form.Loaded());
  form.refuse_unload = false;
  EXPECT_TRUE(form.Unload());
  EXPECT_FALSE(form.Loaded());
  EXPECT_EQ(form.log, (std::vector<std::string>{"load", "query by close", "query by code"}));

  int ticks = 0;
  Timer timer(rt_, 100, true, [&] { ++ticks; });
  form.Show();
  p_.loop_.AdvanceTo(p_.clock_.TickCount() + 250);
  EXPECT_EQ(ticks, 2);
  rt_.End();
  EXPECT_FALSE(form.Loaded());
  p_.loop_.AdvanceTo(p_.clock_.TickCount() + 1000);
  EXPECT_EQ(ticks, 2);
}

TEST_F(FormTest, EachLoadStartsFromTheDesignedPlaceAndSize) {
  frmTest form(rt_);
  form.chkOne.Move(10, 20, 150, 20);
  form.Label1.Move(5, 5, 60, 16);
  for (int load = 1; load <= 3; ++load) {
    form.Load();
    EXPECT_EQ(form.chkOne.Property("bounds"), "10 20 150 20") << "load " << load;
    EXPECT_EQ(form.Label1.Property("bounds"), "5 5 60 16") << "load " << load;
    // What a load handler does to its controls, each time.
    platform::Rect box = form.chkOne.Bounds();
    form.chkOne.Move(box.left, box.top, box.Width() - 4, box.Height());
    form.Label1.Move(0, 30, 90, 16);
    EXPECT_EQ(form.chkOne.Property("bounds"), "10 20 146 20");
    form.Unload();
    // Between loads the control keeps the place it had last.
    EXPECT_EQ(form.chkOne.Property("bounds"), "10 20 146 20");
  }
}

TEST_F(FormTest, BackColourIsTheButtonFaceUntilSet) {
  frmTest form(rt_);
  form.Load();
  platform::ColorRef face = p_.desktop_.GetSysColor(15);
  EXPECT_EQ(form.Command1.BackColor(), face);
  form.Command1.SetBackColor(platform::Rgb(146, 179, 232));
  EXPECT_EQ(form.Command1.Property("backcolor"), "146 179 232");
  EXPECT_EQ(form.Label1.BackColor(), face);
}

}  // namespace
}  // namespace quillon::runtime
