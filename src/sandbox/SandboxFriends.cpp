// The sandbox's desktop friends: the person's mouse on a friend window, and the checks of what a
// friend window shows. Friend windows are found by the name their label shows, among the forms
// of the user's current Quillon.
#include "app/Quillon.h"
#include "friends/frmFriend.h"
#include "runtime/Form.h"
#include "sandbox/Sandbox.h"

namespace quillon::sandbox {

using Outcome = Sandbox::Outcome;

namespace {

friends::frmFriend* FindFriend(UserWorld& user, const std::string& name) {
  app::Quillon* quillon = user.CurrentQuillon();
  if (!quillon) return nullptr;
  for (runtime::Form* form : quillon->Rt().Forms()) {
    if (form->Name() == "frmFriend" && form->Key() == name) {
      return dynamic_cast<friends::frmFriend*>(form);
    }
  }
  return nullptr;
}

std::string ColorText(platform::ColorRef c) {
  return std::to_string(c & 0xFF) + " " + std::to_string((c >> 8) & 0xFF) + " " +
         std::to_string((c >> 16) & 0xFF);
}

}  // namespace

Outcome Sandbox::DoFriend(const Statement& s) {
  const std::string& verb = s.At(0);
  bool drag = verb == "drag" && s.Size() == 6 && s.Is(3, "by");
  bool resize = verb == "resize" && s.Size() == 5 && s.Is(3, "by");
  bool click = (verb == "click" || verb == "rightclick" || verb == "middleclick") && s.Size() == 3;
  if (!drag && !resize && !click) {
    return Outcome::Fail(
        "click|rightclick|middleclick friend \"NAME\" | drag friend \"NAME\" by DX DY | "
        "resize friend \"NAME\" by DX",
        s.source);
  }
  UserWorld& user = Current();
  sim::SimDesktop& desktop = user.Desktop();
  friends::frmFriend* window = FindFriend(user, s.At(2));
  if (!window || !window->Loaded()) {
    return Outcome::Fail("a friend window \"" + s.At(2) + "\"", "there is none");
  }
  if (!desktop.IsWindowVisible(window->hWnd())) {
    return Outcome::Fail("the friend window \"" + s.At(2) + "\" on the screen", "it is hidden");
  }
  platform::Hwnd hwnd = window->hWnd();
  platform::Rect r = desktop.GetWindowRect(hwnd);
  // The mouse goes to the middle of the window; the window sees the point in its own terms.
  desktop.SetCursorPos({r.left + r.Width() / 2, r.top + r.Height() / 2});
  platform::LParam at = (r.Width() / 2) | ((r.Height() / 2) << 16);
  namespace msg = platform::msg;
  constexpr platform::WParam kMkLeft = 0x1, kMkRight = 0x2, kMkMiddle = 0x10;
  if (verb == "click") {
    desktop.SendMessage(hwnd, msg::kLButtonDown, kMkLeft, at);
    desktop.SendMessage(hwnd, msg::kLButtonUp, 0, at);
  } else if (verb == "rightclick") {
    desktop.SendMessage(hwnd, msg::kRButtonDown, kMkRight, at);
    desktop.SendMessage(hwnd, msg::kRButtonUp, 0, at);
  } else if (verb == "middleclick") {
    desktop.SendMessage(hwnd, msg::kMButtonDown, kMkMiddle, at);
    desktop.SendMessage(hwnd, msg::kMButtonUp, 0, at);
  } else if (drag) {
    auto dx = ParseNumber(s.At(4)), dy = ParseNumber(s.At(5));
    if (!dx || !dy) return Outcome::Fail("drag friend \"NAME\" by DX DY", s.source);
    // The whole gesture is known beforehand: the move loop the window starts takes it up and
    // ends with the button's release.
    desktop.SetPendingDrag(*dx, *dy);
    desktop.SendMessage(hwnd, msg::kLButtonDown, kMkLeft, at);
    desktop.SendMessage(hwnd, msg::kMouseMove, kMkLeft, at);
    if (desktop.DragPending()) {
      desktop.ClearPendingDrag();
      desktop.SendMessage(hwnd, msg::kLButtonUp, 0, at);
      loop_.ProcessPending();
      return Outcome::Fail("the window moved by the mouse", "it started no move");
    }
  } else {
    auto dx = ParseNumber(s.At(4));
    if (!dx) return Outcome::Fail("resize friend \"NAME\" by DX", s.source);
    // The friend menu opens over the window and waits for the person, whose next action is
    // choosing "Resize Width"; the size loop that starts then takes the prepared gesture.
    desktop.SetPendingDrag(*dx, 0);
    Statement choose = s;
    choose.words = {Word{"menu", false}, Word{"Resize Width", true}};
    pending_ = Taken{choose, current_, nullptr};
    desktop.SendMessage(hwnd, msg::kRButtonDown, kMkRight, at);
    desktop.SendMessage(hwnd, msg::kRButtonUp, 0, at);
    bool menu_opened = !pending_;
    pending_.reset();
    bool taken = !desktop.DragPending();
    desktop.ClearPendingDrag();
    if (!menu_opened) return Outcome::Fail("the friend menu opened", "no menu opened");
    if (!taken) return Outcome::Fail("the window's right edge dragged", "no size loop started");
  }
  loop_.ProcessPending();
  return Outcome::Ok();
}

Outcome Sandbox::CheckFriend(const Statement& s, size_t from) {
  const std::string usage =
      "expect friend \"NAME\" present|absent|visible|hidden|topmost|not-topmost|opaque|alpha N|"
      "at X Y|width N|border yes|no|line I R G B|picture \"PATH\"|picture none|namecolor R G B";
  if (s.Size() < from + 3) return Outcome::Fail(usage, s.source);
  UserWorld& user = Current();
  sim::SimDesktop& desktop = user.Desktop();
  const std::string& name = s.At(from + 1);
  const std::string& state = s.At(from + 2);
  size_t args = s.Size() - from - 3;
  std::string what = "friend \"" + name + "\" ";
  for (size_t i = from + 2; i < s.Size(); ++i) what += (i > from + 2 ? " " : "") + s.At(i);
  friends::frmFriend* window = FindFriend(user, name);
  if (state == "absent" && args == 0) {
    return window ? Outcome::Fail(what, "its window is open") : Outcome::Ok();
  }
  if (!window) return Outcome::Fail(what, "there is no friend window \"" + name + "\"");
  platform::Hwnd hwnd = window->hWnd();
  auto is = [&](bool holds, const std::string& otherwise) {
    return holds ? Outcome::Ok() : Outcome::Fail(what, otherwise);
  };
  platform::Rect r = desktop.GetWindowRect(hwnd);
  auto layered = desktop.GetLayeredAlpha(hwnd);
  if (args == 0) {
    if (state == "present") return Outcome::Ok();
    if (state == "visible") return is(desktop.IsWindowVisible(hwnd), "it is hidden");
    if (state == "hidden") return is(!desktop.IsWindowVisible(hwnd), "it is visible");
    if (state == "topmost") return is(desktop.IsTopMost(hwnd), "it is not top-most");
    if (state == "not-topmost") return is(!desktop.IsTopMost(hwnd), "it is top-most");
    if (state == "opaque") {
      return is(!layered || *layered == 255,
                "its alpha is " + std::to_string(layered.value_or(255)));
    }
  }
  if (state == "alpha" && args == 1) {
    auto alpha = ParseNumber(s.At(from + 3));
    if (!alpha) return Outcome::Fail(usage, s.source);
    return is(layered && *layered == *alpha,
              layered ? "its alpha is " + std::to_string(*layered) : "it is opaque");
  }
  if (state == "at" && args == 2) {
    auto x = ParseNumber(s.At(from + 3)), y = ParseNumber(s.At(from + 4));
    if (!x || !y) return Outcome::Fail(usage, s.source);
    return is(r.left == *x && r.top == *y,
              "it is at " + std::to_string(r.left) + " " + std::to_string(r.top));
  }
  if (state == "width" && args == 1) {
    auto width = ParseNumber(s.At(from + 3));
    if (!width) return Outcome::Fail(usage, s.source);
    return is(r.Width() == *width, "its width is " + std::to_string(r.Width()));
  }
  if (state == "border" && args == 1 && (s.Is(from + 3, "yes") || s.Is(from + 3, "no"))) {
    bool shown = window->Box.Visible();
    return is(shown == s.Is(from + 3, "yes"), shown ? "its border is shown" : "it has no border");
  }
  if (state == "line" && args == 4) {
    auto i = ParseNumber(s.At(from + 3));
    auto red = ParseNumber(s.At(from + 4)), green = ParseNumber(s.At(from + 5)),
         blue = ParseNumber(s.At(from + 6));
    if (!i || !red || !green || !blue) return Outcome::Fail(usage, s.source);
    const auto& lines = window->Lines();
    if (lines.empty()) return Outcome::Fail(what, "no gradient is drawn");
    if (*i < 0 || static_cast<size_t>(*i) >= lines.size()) {
      return Outcome::Fail(what, "the gradient has lines 0 to " + std::to_string(lines.size() - 1));
    }
    std::string actual = ColorText(lines[static_cast<size_t>(*i)]);
    return is(actual == s.At(from + 4) + " " + s.At(from + 5) + " " + s.At(from + 6),
              "line " + s.At(from + 3) + " is " + actual);
  }
  if (state == "picture" && args == 1) {
    const runtime::Picture& picture = window->GetPicture();
    bool shown = window->Lines().empty() && !picture.Empty();
    std::string actual =
        shown ? "it shows the picture " + picture.source
              : (window->Lines().empty() ? "it shows nothing" : "it shows a gradient");
    if (s.Is(from + 3, "none") && !s.words[from + 3].quoted) return is(!shown, actual);
    return is(shown && picture.source == user.ResolvePath(s.At(from + 3)).string(), actual);
  }
  if (state == "namecolor" && args == 3) {
    std::string actual = ColorText(window->NameColor());
    return is(actual == s.At(from + 3) + " " + s.At(from + 4) + " " + s.At(from + 5),
              "its name is drawn in " + actual);
  }
  return Outcome::Fail(usage, s.source);
}

}  // namespace quillon::sandbox
