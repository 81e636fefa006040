// The program's end gives back what it held, so that a copy started afterwards on the same
// desktop finds the hotkeys, the watched windows and the ports free again.
#include <gtest/gtest.h>

#include "runtime/HotkeyControl.h"
#include "runtime/MessageHook.h"
#include "runtime/Runtime.h"
#include "runtime/Timer.h"
#include "support/TestPlatform.h"

namespace quillon::runtime {
namespace {

// A network whose sockets only say whether they were closed.
class CountingNetwork : public platform::Network {
 public:
  class Socket : public platform::TcpSocket {
   public:
    explicit Socket(int& closed) : closed_(closed) {}
    bool Listen(uint16_t) override { return true; }
    bool Accept(uint32_t) override { return true; }
    bool Connect(std::string_view, uint16_t) override { return true; }
    bool Send(std::string_view) override { return true; }
    void Close() override { ++closed_; }
    platform::SocketState State() const override { return platform::SocketState::kListening; }
    std::string RemoteHostIp() const override { return {}; }

   private:
    int& closed_;
  };
  std::unique_ptr<platform::TcpSocket> CreateSocket(platform::SocketEvents) override {
    ++made;
    return std::make_unique<Socket>(closed);
  }
  platform::HttpResult HttpGet(std::string_view, uint32_t) override { return {}; }
  std::string LocalIp() override { return "127.0.0.1"; }
  int made = 0;
  int closed = 0;
};

class ProgramEndTest : public ::testing::Test {
 protected:
  ProgramEndTest() {
    platform_ = std::make_unique<platform::Platform>(
        platform::Platform{p_.desktop_, p_.shell_, p_.hotkeys_, *p_.registry_, p_.accessibility_,
                           network_, p_.dialogs_, p_.clock_, p_.instances_});
    rt_ = std::make_unique<Runtime>(*platform_, p_.loop_, p_.Info());
  }
  static constexpr platform::Chord kChord{platform::kModControl | platform::kModShift, 'L'};

  testing::TestPlatform p_;
  CountingNetwork network_;
  std::unique_ptr<platform::Platform> platform_;
  std::unique_ptr<Runtime> rt_;
};

TEST_F(ProgramEndTest, HotkeysAreFreeForTheNextCopy) {
  HotkeyControl held(*rt_, kChord);
  int pressed = 0;
  held.on_hotkey_pressed = [&] { ++pressed; };
  ASSERT_TRUE(held.Register());
  rt_->End();
  EXPECT_FALSE(held.Registered());
  EXPECT_FALSE(held.Register()) << "an ended program takes nothing again";

  Runtime next(*platform_, p_.loop_, p_.Info());
  HotkeyControl again(next, kChord);
  int next_pressed = 0;
  again.on_hotkey_pressed = [&] { ++next_pressed; };
  ASSERT_TRUE(again.Register());
  EXPECT_TRUE(p_.hotkeys_.Press(kChord));
  p_.loop_.ProcessPending();
  EXPECT_EQ(pressed, 0);
  EXPECT_EQ(next_pressed, 1);
}

TEST_F(ProgramEndTest, ARefusedChordIsSaidAndNotHeld) {
  ASSERT_NE(p_.hotkeys_.Register(kChord, [] {}), 0u);
  HotkeyControl refused(*rt_, kChord);
  EXPECT_FALSE(refused.Register());
  EXPECT_EQ(rt_->HoldingCount(), 0u);
  EXPECT_EQ(refused.KeyText(), "Ctrl+Shift+L");
  EXPECT_EQ(HotkeyControl(*rt_, {platform::kModControl, 'R'}).KeyText(), "Ctrl+R");
}

TEST_F(ProgramEndTest, WatchedWindowsHearTheirMessagesAgain) {
  platform::WindowCreation creation;
  creation.class_name = "Edit";
  std::vector<platform::WParam> received;
  creation.proc = [&](platform::Hwnd, uint32_t message, platform::WParam wparam,
                      platform::LParam) -> platform::LResult {
    if (message == platform::msg::kChar) received.push_back(wparam);
    return 0;
  };
  platform::Hwnd window = p_.desktop_.CreateWindow(creation);
  MessageHook hook(*rt_);
  hook.SetWatchedWindow(window);
  hook.AddMessage("WM_CHAR", platform::msg::kChar);
  hook.on_posted_message = [](uint32_t& message, platform::WParam& wparam, platform::LParam&) {
    message = 0;  // the watcher swallows every character
    wparam = 0;
  };
  ASSERT_TRUE(hook.Start());
  p_.desktop_.PostMessage(window, platform::msg::kChar, 'a', 0);
  p_.loop_.ProcessPending();
  EXPECT_TRUE(received.empty());
  rt_->End();
  EXPECT_FALSE(hook.IsActive());
  EXPECT_FALSE(hook.Start());
  p_.desktop_.PostMessage(window, platform::msg::kChar, 'b', 0);
  p_.loop_.ProcessPending();
  EXPECT_EQ(received, std::vector<platform::WParam>{'b'});
}

TEST_F(ProgramEndTest, TimersStopAndStayStopped) {
  int ticks = 0;
  Timer timer(*rt_, 100, true, [&] { ++ticks; });
  rt_->End();
  EXPECT_FALSE(timer.Armed());
  timer.SetEnabled(true);
  EXPECT_FALSE(timer.Armed());
  p_.loop_.AdvanceTo(p_.clock_.TickCount() + 1000);
  EXPECT_EQ(ticks, 0);
  // A timer made by an ended program never starts.
  Timer late(*rt_, 100, true, [&] { ++ticks; });
  EXPECT_FALSE(late.Armed());
}

TEST_F(ProgramEndTest, SocketsStillHeldAreClosedAndNoneIsMadeAfterwards) {
  auto listener = rt_->Network().CreateSocket({});
  auto gone = rt_->Network().CreateSocket({});
  ASSERT_TRUE(listener && gone);
  gone.reset();  // a window that let go of its socket itself
  rt_->End();
  EXPECT_EQ(network_.closed, 1);
  EXPECT_EQ(rt_->Network().CreateSocket({}), nullptr);
  EXPECT_EQ(network_.made, 2);
  listener.reset();
  EXPECT_EQ(rt_->HoldingCount(), 0u);
}

TEST_F(ProgramEndTest, WhatWasGivenBackBeforeTheEndIsNotTouchedAgain) {
  HotkeyControl hotkey(*rt_, kChord);
  ASSERT_TRUE(hotkey.Register());
  EXPECT_EQ(rt_->HoldingCount(), 1u);
  hotkey.Unregister();
  EXPECT_EQ(rt_->HoldingCount(), 0u);
  // Another program takes the chord meanwhile; the end must not take it from that program.
  int other = 0;
  ASSERT_NE(p_.hotkeys_.Register(kChord, [&] { ++other; }), 0u);
  rt_->End();
  EXPECT_TRUE(p_.hotkeys_.Press(kChord));
  p_.loop_.ProcessPending();
  EXPECT_EQ(other, 1);
}

}  // namespace
}  // namespace quillon::runtime
