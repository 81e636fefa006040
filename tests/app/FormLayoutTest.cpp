// Every window of the program, once loaded, is laid out so that a person can read and use it:
// the window stays on the screen, its controls stay in its client area, controls meet only where
// one holds the other (a frame its contents, the header band its heading), the captions fit
// (also the ones the program writes later), and what a frame holds starts below its caption.
#include <gtest/gtest.h>

#include <cstdlib>
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
#include "gtalk/QuillonFixture.h"
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

struct FormCase {
  const char* name;
  std::function<runtime::Form&(Quillon&)> open;
};

void PrintTo(const FormCase& form_case, std::ostream* out) { *out << form_case.name; }

// Each window loaded as the program loads it; the friend window for a friend who was added.
const FormCase kForms[] = {
    {"frmOptions", [](Quillon& q) -> runtime::Form& { return q.Options(); }},
    {"frmTransparency", [](Quillon& q) -> runtime::Form& { return q.TransparencyWindow(); }},
    {"frmZoom", [](Quillon& q) -> runtime::Form& { return q.ZoomWindow(); }},
    {"frmReader", [](Quillon& q) -> runtime::Form& { return q.ActiveStatusWindow(); }},
    {"frmSend", [](Quillon& q) -> runtime::Form& { return q.SendWindow(); }},
    {"frmReceive", [](Quillon& q) -> runtime::Form& { return q.ReceiveWindow(); }},
    {"frmAbout", [](Quillon& q) -> runtime::Form& { return q.About(); }},
    {"frmCommands", [](Quillon& q) -> runtime::Form& { return q.Commands(); }},
    {"frmMain", [](Quillon& q) -> runtime::Form& { return *q.MainForm(); }},
    {"frmFriend",
     [](Quillon& q) -> runtime::Form& {
       q.MainForm()->Friends().FoundFriend("Alex");
       return *q.MainForm()->Friends().Windows().back();
     }},
};

class FormLayoutTest : public testing::QuillonFixture,
                       public ::testing::WithParamInterface<FormCase> {
 protected:
  // The password windows are made by the lock while it asks; here they are made the same way.
  runtime::Form& Open(const FormCase& form_case) {
    std::string name = form_case.name;
    privacy::Lock& lock = program_->MainForm()->LockState();
    if (name == "frmPassword") {
      password_ = std::make_unique<privacy::frmPassword>(program_->Rt(), lock);
      return *password_;
    }
    if (name == "frmInPassword") {
      in_password_ = std::make_unique<privacy::frmInPassword>(program_->Rt(), lock);
      return *in_password_;
    }
    return form_case.open(*program_);
  }

  std::unique_ptr<privacy::frmPassword> password_;
  std::unique_ptr<privacy::frmInPassword> in_password_;
};

TEST_P(FormLayoutTest, LoadedWindowIsTidy) {
  runtime::Form& form = Open(GetParam());
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

INSTANTIATE_TEST_SUITE_P(EveryForm, FormLayoutTest,
                         ::testing::Values(kForms[0], kForms[1], kForms[2], kForms[3], kForms[4],
                                           kForms[5], kForms[6], kForms[7], kForms[8], kForms[9],
                                           FormCase{"frmPassword", nullptr},
                                           FormCase{"frmInPassword", nullptr}),
                         CaseName);

class FormMeasuresTest : public testing::QuillonFixture {};

// The captions the program writes while a window is open fit the control they go to.
TEST_F(FormMeasuresTest, EveryStatusAndButtonCaptionFits) {
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

// The friend window keeps the measures its design gives it: 2130 x 345 twips without a system
// frame, its border round the whole surface and the name in the middle.
TEST_F(FormMeasuresTest, FriendWindowIsItsOwnSurface) {
  program_->MainForm()->Friends().FoundFriend("Alex");
  friends::frmFriend& friend_window = *program_->MainForm()->Friends().Windows().back();
  const Rect outer = friend_window.Bounds();
  EXPECT_FALSE(friend_window.HasTitleBar());
  EXPECT_EQ(outer.Width(), 142);
  EXPECT_EQ(outer.Height(), 23);
  EXPECT_EQ(friend_window.Box.Bounds(), (Rect{0, 0, 142, 23}));
  const Rect name = friend_window.Label1.Bounds();
  EXPECT_LE(std::abs(name.left + name.right - 142), 2) << Show(name);
  EXPECT_LE(std::abs(name.top + name.bottom - 23), 2) << Show(name);
}

// The Active Status window's header band is 60 pixels across the whole window, with the
// heading centred in it once the window is loaded.
TEST_F(FormMeasuresTest, ActiveStatusHeaderBandHoldsItsHeading) {
  status::frmReader& reader = program_->ActiveStatusWindow();
  reader.Load();
  const Rect client = runtime::ClientArea(reader.Bounds(), true);
  EXPECT_EQ(reader.Picture1.Bounds(), (Rect{0, 0, client.Width(), 60}));
  const Rect heading = reader.lblHeading.Bounds();
  EXPECT_EQ(heading.top, (60 - heading.Height()) / 2);
}

}  // namespace
}  // namespace quillon::app
