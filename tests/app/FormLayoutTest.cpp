// Every window of the program, once loaded, is laid out so that a person can read and use it:
// the window stays on the screen, its controls stay in its client area, controls meet only where
// one holds the other (a frame its contents, the header band its heading), what a frame holds
// starts below its caption, and the captions fit, also the ones the program writes later.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "app/frmAbout.h"
#include "app/frmCommands.h"
#include "app/frmMain.h"
#include "app/frmOptions.h"
#include "friends/FriendRecords.h"
#include "friends/frmFriend.h"
#include "support/QuillonFixture.h"
#include "privacy/frmInPassword.h"
#include "privacy/frmPassword.h"
#include "runtime/Control.h"
#include "runtime/Form.h"
#include "runtime/Metrics.h"
#include "status/frmReader.h"
#include "transfer/TransferStatus.h"
#include "transfer/frmReceive.h"
#include "transfer/frmSend.h"
#include "ui/frmTransparency.h"
#include "ui/frmZoom.h"

namespace quillon::app {
namespace {

using platform::Rect;

bool Intersect(const Rect& a, const Rect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool Contains(const Rect& outer, const Rect& inner) {
  return outer.left <= inner.left && outer.top <= inner.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

std::string Show(const Rect& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(r.Width()) +
         "x" + std::to_string(r.Height());
}

// Why `caption` does not fit `control` at its present size; empty when it fits.
std::string CaptionProblem(const runtime::Control& control, std::string_view caption) {
  const Rect r = control.Bounds();
  const std::string kind = control.Kind();
  int needed_width = 0;
  int needed_height = runtime::kControlHeight;
  if (kind == "CommandButton") {
    needed_width = runtime::CaptionWidth(caption) + runtime::kButtonPadding;
    needed_height = runtime::kButtonHeight;
  } else if (kind == "Frame") {
    needed_width = runtime::CaptionWidth(caption) + 2 * runtime::kFrameCaptionInset;
  } else if (kind == "CheckBox") {
    needed_height =
        runtime::CaptionHeight(runtime::CaptionLines(caption, r.Width() - runtime::kBoxPadding));
  } else if (kind == "Label") {
    if (caption.empty()) return {};
    needed_height = runtime::CaptionHeight(runtime::CaptionLines(caption, r.Width()));
  } else if (kind != "TextBox") {
    return {};
  }
  if (r.Width() >= needed_width && r.Height() >= needed_height) return {};
  return control.Key() + " \"" + std::string(caption) + "\" needs " + std::to_string(needed_width) +
         "x" + std::to_string(needed_height) + " and has " + Show(r);
}

// The controls that stand in the form's own window: buttons that the program has placed in
// another program's windows belong to those.
std::vector<runtime::Control*> OwnControls(runtime::Form& form) {
  std::vector<runtime::Control*> own;
  for (runtime::Control* control : form.Controls()) {
    if (control->Hwnd() == 0 || form.Rt().Windows().GetParent(control->Hwnd()) == form.hWnd()) {
      own.push_back(control);
    }
  }
  return own;
}

class FormLayoutTest;

struct FormCase {
  const char* name;
  std::function<runtime::Form&(Quillon&, FormLayoutTest&)> open;
};

void PrintTo(const FormCase& form_case, std::ostream* out) { *out << form_case.name; }

class FormLayoutTest : public testing::QuillonFixture,
                       public ::testing::WithParamInterface<FormCase> {
 public:
  // The lock makes its password windows while it asks; here they are made the same way.
  template <typename PasswordForm>
  runtime::Form& MakePasswordWindow() {
    password_window_ =
        std::make_unique<PasswordForm>(program_->Rt(), program_->MainForm()->LockState());
    return *password_window_;
  }

 private:
  std::unique_ptr<runtime::Form> password_window_;
};

// Each window as the program makes it; the friend window for a friend who was added.
const FormCase kForms[] = {
    {"frmOptions", [](Quillon& q, FormLayoutTest&) -> runtime::Form& { return q.Options(); }},
    {"frmTransparency",
     [](Quillon& q, FormLayoutTest&) -> runtime::Form& { return q.TransparencyWindow(); }},
    {"frmZoom", [](Quillon& q, FormLayoutTest&) -> runtime::Form& { return q.ZoomWindow(); }},
    {"frmReader",
     [](Quillon& q, FormLayoutTest&) -> runtime::Form& { return q.ActiveStatusWindow(); }},
    {"frmSend", [](Quillon& q, FormLayoutTest&) -> runtime::Form& { return q.SendWindow(); }},
    {"frmReceive", [](Quillon& q, FormLayoutTest&) -> runtime::Form& { return q.ReceiveWindow(); }},
    {"frmAbout", [](Quillon& q, FormLayoutTest&) -> runtime::Form& { return q.About(); }},
    {"frmCommands", [](Quillon& q, FormLayoutTest&) -> runtime::Form& { return q.Commands(); }},
    {"frmMain", [](Quillon& q, FormLayoutTest&) -> runtime::Form& { return *q.MainForm(); }},
    {"frmFriend",
     [](Quillon& q, FormLayoutTest&) -> runtime::Form& {
       q.MainForm()->Friends().FoundFriend("Alex");
       return *q.MainForm()->Friends().Windows().back();
     }},
    {"frmPassword",
     [](Quillon&, FormLayoutTest& t) -> runtime::Form& {
       return t.MakePasswordWindow<privacy::frmPassword>();
     }},
    {"frmInPassword",
     [](Quillon&, FormLayoutTest& t) -> runtime::Form& {
       return t.MakePasswordWindow<privacy::frmInPassword>();
     }},
};

TEST_P(FormLayoutTest, LoadedWindowIsTidy) {
  runtime::Form& form = GetParam().open(*program_, *this);
  form.Load();
  ASSERT_TRUE(form.Loaded());
  p_.loop_.ProcessPending();

  const Rect outer = form.Bounds();
  const Rect screen{0, 0, p_.desktop_.ScreenWidth(), p_.desktop_.ScreenHeight()};
  EXPECT_TRUE(Contains(screen, outer)) << "window at " << Show(outer);
  const Rect client_on_screen = runtime::ClientArea(outer, form.HasTitleBar());
  const Rect client{0, 0, client_on_screen.Width(), client_on_screen.Height()};

  std::vector<runtime::Control*> controls = OwnControls(form);
  ASSERT_FALSE(controls.empty());
  for (runtime::Control* control : controls) {
    const Rect r = control->Bounds();
    EXPECT_GT(r.Width(), 0) << control->Key();
    EXPECT_GT(r.Height(), 0) << control->Key();
    EXPECT_TRUE(Contains(client, r))
        << control->Key() << " at " << Show(r) << " outside the client area " << Show(client);
    EXPECT_EQ(CaptionProblem(*control, control->Caption()), "");
  }

  for (size_t i = 0; i < controls.size(); ++i) {
    for (size_t j = i + 1; j < controls.size(); ++j) {
      runtime::Control& a = *controls[i];
      runtime::Control& b = *controls[j];
      if (!a.Visible() || !b.Visible()) continue;
      const Rect ra = a.Bounds();
      const Rect rb = b.Bounds();
      if (!Intersect(ra, rb)) continue;
      const bool a_holds = Contains(ra, rb);
      EXPECT_TRUE(a_holds || Contains(rb, ra))
          << a.Key() << " at " << Show(ra) << " overlaps " << b.Key() << " at " << Show(rb);
      // What a frame holds stands below the frame's caption.
      runtime::Control& holder = a_holds ? a : b;
      const Rect held = a_holds ? rb : ra;
      if (std::string(holder.Kind()) == "Frame") {
        EXPECT_GE(held.top, holder.Bounds().top + runtime::kFrameCaptionBand)
            << (a_holds ? b : a).Key() << " covers the caption of " << holder.Key();
      }
    }
  }
}

std::string CaseName(const ::testing::TestParamInfo<FormCase>& info) { return info.param.name; }

INSTANTIATE_TEST_SUITE_P(EveryForm, FormLayoutTest, ::testing::ValuesIn(kForms), CaseName);

class LaterCaptionTest : public testing::QuillonFixture {};

// The captions the program writes while a window is open fit the control they go to.
TEST_F(LaterCaptionTest, EveryStatusAndButtonCaptionFits) {
  using namespace transfer;
  // The progress lines at their longest: many digits of rate, and a fraction.
  const std::string sending = RateStatus(kStatusSendingRate, 100, 100, 123456789);
  const std::string receiving = RateStatus(kStatusReceivingRate, 1, 3, 999999999);
  struct Case {
    runtime::Control& control;
    std::vector<std::string_view> captions;
  };
  transfer::frmSend& send = program_->SendWindow();
  transfer::frmReceive& receive = program_->ReceiveWindow();
  status::frmReader& reader = program_->ActiveStatusWindow();
  privacy::frmPassword password(program_->Rt(), program_->MainForm()->LockState());
  const std::vector<std::string_view> sender_statuses = {
      kStatusRetrievingAddress, kStatusCheckingPorts,      kStatusAwaitingConnection,
      kStatusAddressFailed,     kStatusSendingInformation, kStatusAwaitingName,
      kStatusSendComplete,      kStatusReadFailed,         kStatusSendBroken,
      kStatusProtocolError,     kStatusCancelled,          sending};
  const std::vector<std::string_view> receiver_statuses = {
      kStatusConnecting,    kStatusConnected, kStatusReceived,   kStatusConnectFailed,
      kStatusReceiveBroken, kStatusBadSize,   kStatusBadName,    kStatusSaveFailed,
      kStatusWriteFailed,   kStatusDiskFull,  kStatusSaveDenied, kStatusProtocolError,
      kStatusCancelled,     receiving};
  const Case cases[] = {
      {send.Label1, sender_statuses},
      {send.Command1, {"&Cancel", "&Close"}},
      {receive.Label1, receiver_statuses},
      {receive.Command2, {"Cancel", "&Close"}},
      {reader.Command1, {"Turn &ON", "Turn &OFF", "&Turn ON", "&Turn OFF"}},
      {password.lblText, {"Please re-enter the password:"}},
  };
  for (const Case& c : cases) {
    for (std::string_view caption : c.captions) {
      EXPECT_EQ(CaptionProblem(c.control, caption), "");
    }
  }
}

}  // namespace
}  // namespace quillon::app
