// The simulated desktop is checked the way window systems are: ordered message sequences and the
// state they leave behind.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/EventLoop.h"
#include "sim/RichEditBox.h"
#include "sim/SimAccessibility.h"
#include "sim/SimDesktop.h"
#include "sim/SimHtmlDocument.h"
#include "sim/SimShell.h"
#include "sim/VirtualClock.h"

namespace quillon::sim {
namespace {

using platform::Hwnd;
using platform::LParam;
using platform::WParam;
namespace msg = platform::msg;

class SimDesktopTest : public ::testing::Test {
 protected:
  SimDesktopTest() : desktop_(clock_), loop_(clock_) { loop_.AddSource(&desktop_); }

  Hwnd Make(std::string cls, std::string title = "", Hwnd parent = 0, bool visible = true) {
    platform::WindowCreation creation;
    creation.class_name = std::move(cls);
    creation.title = std::move(title);
    creation.parent = parent;
    creation.visible = visible;
    return desktop_.CreateWindow(creation);
  }

  // Records every message the window's procedure sees, then passes it on.
  void Record(Hwnd window, const std::string& name) {
    auto old = std::make_shared<platform::WindowProcId>();
    *old = desktop_.SubclassWindow(window,
                                   [this, name, old](Hwnd h, uint32_t m, WParam wp, LParam lp) {
                                     if (m == msg::kChar)
                                       log_.push_back(name + ":char " + std::to_string(wp));
                                     if (m == msg::kKeyDown)
                                       log_.push_back(name + ":keydown " + std::to_string(wp));
                                     return desktop_.CallWindowProc(*old, h, m, wp, lp);
                                   });
  }

  std::string Text(Hwnd window) {
    auto length = desktop_.SendMessage(window, msg::kGetTextLength, 0, 0);
    std::string buffer(static_cast<size_t>(length) + 1, '\0');
    auto got = desktop_.SendMessage(window, msg::kGetText, buffer.size(),
                                    reinterpret_cast<LParam>(buffer.data()));
    buffer.resize(static_cast<size_t>(got));
    return buffer;
  }

  void SetText(Hwnd window, const std::string& text) {
    desktop_.SendMessage(window, msg::kSetText, 0, reinterpret_cast<LParam>(text.c_str()));
  }

  VirtualClock clock_;
  SimDesktop desktop_;
  runtime::EventLoop loop_;
  std::vector<std::string> log_;
};

TEST_F(SimDesktopTest, PostHookSeesMessagesFirstAndMayChangeOrDiscardThem) {
  Hwnd frame = Make("Frame", "Chat");
  Hwnd box = Make("RichEdit20W", "", frame);
  Record(box, "box");
  desktop_.HookPostedMessages(box, [&](uint32_t& m, WParam& wp, LParam&) {
    if (m != msg::kChar) return;
    log_.push_back("hook:char " + std::to_string(wp));
    if (wp == 'x') m = 0, wp = 0;  // discard
    if (wp == 'a') wp = 0xC0;      // À
  });
  desktop_.SetForegroundWindow(frame);
  desktop_.SetFocus(box);
  for (char32_t c : std::u32string(U"axb")) desktop_.TypeCharacter(c);
  loop_.ProcessPending();

  std::vector<std::string> expected = {"hook:char 97", "box:char 192", "hook:char 120",
                                       "hook:char 98", "box:char 98"};
  EXPECT_EQ(log_, expected);
  EXPECT_EQ(Text(box), "Àb");
}

TEST_F(SimDesktopTest, RichEditTypingBackspaceSelectionAndReadOnly) {
  Hwnd frame = Make("Frame", "Chat");
  Hwnd box = Make("RichEdit20W", "", frame);
  desktop_.SetForegroundWindow(frame);
  desktop_.SetFocus(box);
  for (char32_t c : std::u32string(U"helo")) desktop_.TypeCharacter(c);
  desktop_.PressKey(platform::vk::kBack);
  desktop_.TypeCharacter(U'l');
  desktop_.TypeCharacter(U'o');
  loop_.ProcessPending();
  EXPECT_EQ(Text(box), "hello");

  // A selection is replaced by the next character.
  desktop_.SendMessage(box, msg::kEmSetSel, 1, -1);
  desktop_.TypeCharacter(U'i');
  loop_.ProcessPending();
  EXPECT_EQ(Text(box), "hi");

  // Read-only: typing and Backspace do nothing, the program's text still goes in; the option
  // toggles with the xor operation.
  desktop_.SendMessage(box, msg::kEmSetOptions, platform::kEcoOpSet, platform::kEcoReadOnly);
  desktop_.TypeCharacter(U'!');
  desktop_.PressKey(platform::vk::kBack);
  loop_.ProcessPending();
  EXPECT_EQ(Text(box), "hi");
  SetText(box, "set by program");
  EXPECT_EQ(Text(box), "set by program");
  desktop_.SendMessage(box, msg::kEmSetOptions, platform::kEcoOpXor, platform::kEcoReadOnly);
  EXPECT_FALSE(desktop_.RichEditOf(box)->ReadOnly());
  desktop_.SendMessage(box, msg::kEmSetOptions, platform::kEcoOpXor, platform::kEcoReadOnly);
  EXPECT_TRUE(desktop_.RichEditOf(box)->ReadOnly());

  // Replace-selection and the extended selection messages count characters, not bytes.
  desktop_.SendMessage(box, msg::kEmSetOptions, platform::kEcoOpSet, 0);
  SetText(box, "ÀÀÀ");
  platform::CharRange range{1, 2};
  desktop_.SendMessage(box, msg::kEmExSetSel, 0, reinterpret_cast<LParam>(&range));
  desktop_.SendMessage(box, msg::kEmReplaceSel, 0, reinterpret_cast<LParam>("*B*"));
  EXPECT_EQ(Text(box), "À*B*À");
  platform::CharRange after{};
  desktop_.SendMessage(box, msg::kEmExGetSel, 0, reinterpret_cast<LParam>(&after));
  EXPECT_EQ(after.min, 4);
  EXPECT_EQ(after.max, 4);
}

TEST_F(SimDesktopTest, FindWindowExStepsThroughSiblingsAndMatchesExactly) {
  Hwnd a = Make("ATL:00572B88", "Alex");
  Hwnd b = Make("ATL:00572B88", "Sam");
  Make("Other", "Alex");
  // Newest top-level window is first in z-order.
  EXPECT_EQ(desktop_.FindWindowEx(0, 0, "ATL:00572B88", std::nullopt), b);
  EXPECT_EQ(desktop_.FindWindowEx(0, b, "ATL:00572B88", std::nullopt), a);
  EXPECT_EQ(desktop_.FindWindowEx(0, a, "ATL:00572B88", std::nullopt), 0u);
  EXPECT_EQ(desktop_.FindWindowEx(0, 0, "ATL:00572B88", "Alex"), a);
  EXPECT_EQ(desktop_.FindWindowEx(0, 0, "atl:00572b88", "Alex"), 0u);
  EXPECT_EQ(desktop_.FindWindowEx(0, 0, "ATL:00572B88", "alex"), 0u);

  // Children are met in the order they were made; enumeration is depth-first.
  Hwnd view = Make("Chat View", "Alex", 0);
  Hwnd input = Make("RichEdit20W", "", view);
  Hwnd host = Make("AtlAxWin71", "", view);
  Hwnd browser = Make("Internet Explorer_Server", "", host);
  Hwnd bar = Make("Chat Link Bar", "", view);
  std::vector<Hwnd> seen;
  desktop_.EnumChildWindows(view, [&](Hwnd h) {
    seen.push_back(h);
    return true;
  });
  EXPECT_EQ(seen, (std::vector<Hwnd>{input, host, browser, bar}));
  EXPECT_EQ(desktop_.FindWindowEx(view, 0, "RichEdit20W", std::nullopt), input);
}

TEST_F(SimDesktopTest, PuttingBackNoProcedureLeavesTheWindowAnswering) {
  Hwnd window = Make("ThunderRT6FormDC", "Quillon");
  // What a program that never subclassed its window puts back when it ends.
  desktop_.SetWindowProc(window, 0);
  SetText(window, "still here");
  EXPECT_EQ(Text(window), "still here");
}

TEST_F(SimDesktopTest, DestroyedWindowsAreGoneForGoodAndHandlesAreNotReused) {
  Hwnd frame = Make("Frame", "Title");
  Hwnd child = Make("Edit", "", frame);
  SetText(child, "text");
  desktop_.DestroyWindow(frame);
  EXPECT_FALSE(desktop_.IsWindow(child));
  EXPECT_EQ(desktop_.GetClassName(frame), "");
  EXPECT_EQ(Text(frame), "");
  EXPECT_EQ(Text(child), "");
  EXPECT_FALSE(desktop_.PostMessage(child, msg::kChar, 'a', 0));
  Hwnd again = Make("Frame", "Title");
  EXPECT_NE(again, frame);
  EXPECT_NE(again, child);
}

TEST_F(SimDesktopTest, ActivationSendsOneShellNotificationToEachRegisteredWindow) {
  SimShell shell(desktop_);
  Hwnd watcher1 = Make("Watcher", "1", 0, false);
  Hwnd watcher2 = Make("Watcher", "2", 0, false);
  uint32_t shell_message = desktop_.RegisterWindowMessage("SHELLHOOK");
  EXPECT_EQ(desktop_.RegisterWindowMessage("shellhook"), shell_message);
  std::vector<std::string> seen;
  for (Hwnd w : {watcher1, watcher2}) {
    desktop_.SubclassWindow(w, [&, w](Hwnd, uint32_t m, WParam wp, LParam lp) {
      if (m == shell_message) {
        seen.push_back(std::to_string(w) + " " + std::to_string(wp) + " " + std::to_string(lp));
      }
      return platform::LResult{0};
    });
    ASSERT_TRUE(shell.RegisterShellHook(w));
  }
  shell.RegisterShellHook(watcher1);  // twice counts once
  Hwnd chat = Make("Chat View", "Alex");
  desktop_.SetForegroundWindow(chat);
  desktop_.SetForegroundWindow(chat);  // already in front: no new activation
  loop_.ProcessPending();
  std::vector<std::string> expected = {std::to_string(watcher1) + " 4 " + std::to_string(chat),
                                       std::to_string(watcher2) + " 4 " + std::to_string(chat)};
  EXPECT_EQ(seen, expected);
}

TEST_F(SimDesktopTest, HidingTheForegroundWindowActivatesTheNextVisibleOne) {
  Hwnd back = Make("Back", "b");
  Hwnd front = Make("Front", "f");
  desktop_.SetForegroundWindow(front);
  desktop_.ShowWindow(front, platform::sw::kHide);
  EXPECT_FALSE(desktop_.IsWindowVisible(front));
  EXPECT_EQ(desktop_.GetForegroundWindow(), back);
  // Showing it again brings it up.
  desktop_.ShowWindow(front, platform::sw::kShow);
  EXPECT_EQ(desktop_.GetForegroundWindow(), front);
  // A child is visible only while its parent is.
  Hwnd child = Make("Child", "", front);
  desktop_.ShowWindow(front, platform::sw::kHide);
  EXPECT_FALSE(desktop_.IsWindowVisible(child));
}

TEST_F(SimDesktopTest, TopMostBandAndLayeredAlpha) {
  Hwnd a = Make("A", "a");
  Hwnd b = Make("B", "b");
  desktop_.SetTopMost(a, true);
  Make("C", "c");
  EXPECT_EQ(desktop_.TopLevelWindows().front(), a);  // new plain windows stay below the band
  desktop_.SetForegroundWindow(b);
  EXPECT_EQ(desktop_.TopLevelWindows().front(), a);
  EXPECT_FALSE(desktop_.SetLayeredWindowAttributes(b, 0, 100, platform::kLwaAlpha));
  desktop_.SetExStyle(b, desktop_.GetExStyle(b) | platform::kWsExLayered);
  EXPECT_TRUE(desktop_.SetLayeredWindowAttributes(b, 0, 100, platform::kLwaAlpha));
  EXPECT_EQ(desktop_.GetLayeredAlpha(b), std::optional<uint8_t>(100));
  desktop_.SetExStyle(b, desktop_.GetExStyle(b) & ~platform::kWsExLayered);
  EXPECT_EQ(desktop_.GetLayeredAlpha(b), std::nullopt);
}

TEST_F(SimDesktopTest, HungWindowsTimeOutAndBrowserDocumentsGoStale) {
  Hwnd view = Make("Chat View", "Alex");
  Hwnd browser = Make("Internet Explorer_Server", "", view);
  SimAccessibility accessibility(desktop_);
  uint32_t get_object = desktop_.RegisterWindowMessage("WM_HTML_GETOBJECT");
  auto reference =
      desktop_.SendMessageTimeout(browser, get_object, 0, 0, platform::kSmtoAbortIfHung, 1000);
  ASSERT_TRUE(reference.has_value());
  auto document = accessibility.DocumentFromLresult(*reference);
  ASSERT_NE(document, nullptr);
  document->SetBodyHtml("<P>hi</P>");
  EXPECT_EQ(document->ReadyState(), "loading");
  loop_.ProcessPending();
  EXPECT_EQ(document->ReadyState(), "complete");
  document->SetBgColor("FFCC00");
  EXPECT_EQ(document->BgColor(), "#ffcc00");
  document->SetFgColor("Red");
  EXPECT_EQ(document->FgColor(), "#ff0000");

  uint64_t before = clock_.TickCount();
  desktop_.SetHung(browser, true);
  EXPECT_FALSE(
      desktop_.SendMessageTimeout(browser, get_object, 0, 0, platform::kSmtoAbortIfHung, 1000));
  EXPECT_EQ(clock_.TickCount(), before);
  EXPECT_FALSE(desktop_.SendMessageTimeout(browser, get_object, 0, 0, 0, 1000));
  EXPECT_EQ(clock_.TickCount(), before + 1000);

  desktop_.DestroyWindow(view);
  EXPECT_EQ(accessibility.DocumentFromLresult(*reference), nullptr);
  EXPECT_EQ(document->BodyHtml(), "");
  EXPECT_EQ(accessibility.DocumentFromLresult(12345), nullptr);
}

TEST_F(SimDesktopTest, DragDrivesTheModalMoveLoop) {
  platform::WindowCreation creation;
  creation.class_name = "QNF";
  creation.bounds = {100, 100, 200, 150};
  creation.visible = true;
  Hwnd friend_window = desktop_.CreateWindow(creation);
  desktop_.SendMessage(friend_window, msg::kNcLButtonDown, platform::ht::kCaption, 0);
  EXPECT_EQ(desktop_.GetWindowRect(friend_window), (platform::Rect{100, 100, 200, 150}));
  desktop_.SetPendingDrag(30, -20);
  desktop_.SendMessage(friend_window, msg::kNcLButtonDown, platform::ht::kCaption, 0);
  EXPECT_EQ(desktop_.GetWindowRect(friend_window), (platform::Rect{130, 80, 230, 130}));
  desktop_.SetPendingDrag(25, 0);
  desktop_.SendMessage(friend_window, msg::kNcLButtonDown, platform::ht::kRight, 0);
  EXPECT_EQ(desktop_.GetWindowRect(friend_window).Width(), 125);
}

}  // namespace
}  // namespace quillon::sim
