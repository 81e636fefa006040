// An error that escapes an event handler ends at the runtime's event dispatch: it goes to the
// program's error report under the handler's name, and the program goes on.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "runtime/CommandButton.h"
#include "runtime/Form.h"
#include "runtime/ProgramError.h"
#include "runtime/TextBox.h"
#include "runtime/Timer.h"
#include "support/TestPlatform.h"

namespace quillon::runtime {
namespace {

class frmFaulty : public Form {
 public:
  explicit frmFaulty(Runtime& rt) : Form(rt, "frmFaulty", "Faulty") {
    Command1.on_click = [this] {
      ++clicks;
      throw ProgramError(5, "Quillon", "Invalid procedure call or argument");
    };
    Text1.on_change = [] { throw std::runtime_error("change failed"); };
    AddMenu("mnuMain", "Main").Add("mnuSave", "Save").on_click = [] {
      throw std::runtime_error("save failed");
    };
    tmrCheck.OnTick([this] {
      tmrCheck.SetEnabled(false);
      throw std::runtime_error("tick failed");
    });
  }
  int clicks = 0;
  CommandButton Command1{*this, "Command1"};
  TextBox Text1{*this, "Text1"};
  Timer tmrCheck{*this, "tmrCheck", 100, false};

 protected:
  void Form_Load() override { throw std::runtime_error("load failed"); }
};

struct Reported {
  std::string handler;
  std::string form;
  std::string what;
  bool operator==(const Reported&) const = default;
};

class HandlerErrorTest : public ::testing::Test {
 protected:
  HandlerErrorTest() {
    rt_.SetErrorReport([this](std::string_view handler, const Form* form, const std::exception& e) {
      reported_.push_back({std::string(handler), form ? form->Name() : "", e.what()});
    });
  }
  testing::TestPlatform p_;
  Runtime rt_{*p_.platform_, p_.loop_, p_.Info()};
  std::vector<Reported> reported_;
};

TEST_F(HandlerErrorTest, EachHandlerThatThrowsIsReportedUnderItsOwnNameAndTheProgramGoesOn) {
  frmFaulty form(rt_);
  form.Show();  // the load's error does not keep the form from showing
  ASSERT_TRUE(form.Visible());
  form.Command1.PersonClick();
  form.Text1.SetText("x");
  form.tmrCheck.SetEnabled(true);
  p_.loop_.Pause(150);
  form.Command1.PersonClick();  // the button still works after its handler failed
  // A menu item chosen from a popup.
  class Person : public PersonSource {
   public:
    explicit Person(testing::TestPlatform& p) : p_(p) {}
    PersonAction TakeAction(ModalKind) override {
      return p_.dialogs_.ChooseMenuItem("Save", nullptr) ? PersonAction::kTaken
                                                         : PersonAction::kGone;
    }
    testing::TestPlatform& p_;
  } person(p_);
  p_.loop_.SetPerson(&person);
  form.PopupMenu(*form.FindMenu("mnuMain"));
  p_.loop_.SetPerson(nullptr);

  const std::vector<Reported> expected = {
      {"Form_Load", "frmFaulty", "load failed"},
      {"Command1_Click", "frmFaulty", "Invalid procedure call or argument"},
      {"Text1_Change", "frmFaulty", "change failed"},
      {"tmrCheck_Timer", "frmFaulty", "tick failed"},
      {"Command1_Click", "frmFaulty", "Invalid procedure call or argument"},
      {"mnuSave_Click", "frmFaulty", "save failed"},
  };
  EXPECT_EQ(reported_, expected);
  EXPECT_EQ(form.clicks, 2);
  EXPECT_EQ(p_.loop_.Depth(), 0);
}

TEST(HandlerErrorWithoutReportTest, WithoutAReportTheErrorGoesOnToWhoeverRaisedTheEvent) {
  testing::TestPlatform p;
  Runtime rt{*p.platform_, p.loop_, p.Info()};
  frmFaulty form(rt);
  EXPECT_THROW(form.Load(), std::runtime_error);
}

}  // namespace
}  // namespace quillon::runtime
