// The operations on Google Talk's windows, against the stand-in client.
#include <gtest/gtest.h>

#include "app/ErrorReporter.h"
#include "gtalk/GTalkWindows.h"
#include "standin/GoogleTalk.h"
#include "support/TestPlatform.h"

namespace quillon::gtalk {
namespace {

class GTalkWindowsTest : public ::testing::Test {
 protected:
  GTalkWindowsTest() { client_.SetContacts({"Alex"}); }

  testing::TestPlatform p_;
  runtime::Runtime rt_{*p_.platform_, p_.loop_, p_.Info()};
  app::ErrorReporter reporter_{rt_};
  services::ChatState state_;
  GTalkWindows gtalk_{rt_, reporter_, state_};
  standin::GoogleTalk client_{p_.desktop_, p_.shell_, "me"};
};

TEST_F(GTalkWindowsTest, WithoutGoogleTalkEverythingFindsNothingAndFailsQuietly) {
  EXPECT_EQ(gtalk_.FindGTalk(), 0u);
  EXPECT_EQ(gtalk_.GetText(0), "");
  EXPECT_EQ(gtalk_.GetWndClass(0), "No class");
  EXPECT_FALSE(gtalk_.ChangeStatus("Hello"));
  EXPECT_FALSE(gtalk_.SendCommand(40002));
  EXPECT_FALSE(gtalk_.SendChatCommand(8010));
  EXPECT_TRUE(p_.shell_.Started().empty());  // nothing worth a report
}

TEST_F(GTalkWindowsTest, ChangeStatusGoesThroughTheClientsEditingAndKeepsTheFront) {
  client_.Start("Available");
  standin::ChatSession* chat = client_.ActivateChat("Alex");
  EXPECT_FALSE(gtalk_.ChangeStatus(""));
  EXPECT_FALSE(gtalk_.ChangeStatus(" "));
  EXPECT_EQ(client_.Status(), "Available");
  EXPECT_TRUE(gtalk_.ChangeStatus("At lunch"));
  EXPECT_EQ(client_.Status(), "At lunch");
  EXPECT_EQ(p_.desktop_.GetForegroundWindow(), chat->View());
}

TEST_F(GTalkWindowsTest, StatusPrefixReplacesTheTagInBrackets) {
  client_.Start("(Busy) Working");
  state_.StatusPrefix = "Away";
  EXPECT_EQ(gtalk_.ApplyStatusPrefix(true, "(Busy) Working"), "(Away) Working");
  EXPECT_EQ(gtalk_.ApplyStatusPrefix(true, "(no close bracket"), "(Away) (no close bracket");
  state_.StatusPrefix.clear();
  EXPECT_EQ(gtalk_.ApplyStatusPrefix(true, "(Busy) Working"), "Working");
  EXPECT_EQ(gtalk_.ApplyStatusPrefix(true, "(no close bracket"), "(no close bracket");
  // Applied for real: the status line changes once, and not again when nothing would change.
  state_.StatusPrefix = "Brb";
  EXPECT_EQ(gtalk_.ApplyStatusPrefix(false, ""), "");
  EXPECT_EQ(client_.Status(), "(Brb) Working");
}

TEST_F(GTalkWindowsTest, CommandsArePostedToTheRightWindows) {
  client_.Start();
  EXPECT_FALSE(gtalk_.SendChatCommand(8010));  // no chat open: nothing posted
  gtalk_.SendCommand(40089);
  gtalk_.SendAvatarCommand();
  client_.ActivateChat("Alex");
  client_.SetTyping("Alex", true);  // the title carries a note; the chat is still found
  EXPECT_TRUE(gtalk_.SendChatCommand(8011));
  p_.loop_.ProcessPending();
  EXPECT_EQ(client_.TakeCommands(), (std::vector<uint32_t>{40089, 10000, 8011}));
  EXPECT_EQ(GTalkWindows::RemoveExtra("Alex is typing"), "Alex");
  EXPECT_EQ(GTalkWindows::RemoveExtra("Alex has entered text"), "Alex");
  EXPECT_EQ(GTalkWindows::RemoveExtra("Alex Is Typing"), "Alex Is Typing");
}

TEST_F(GTalkWindowsTest, SearchOpensAKnownChatOrAsksAboutAnInvitation) {
  client_.Start();
  gtalk_.Search("Alex");
  ASSERT_NE(client_.Chat("Alex"), nullptr);
  EXPECT_EQ(p_.desktop_.GetForegroundWindow(), client_.Chat("Alex")->View());
  EXPECT_FALSE(p_.desktop_.IsWindowVisible(client_.MainWindow()));
  EXPECT_EQ(p_.dialogs_.UncheckedCount(), 0u);

  // Unknown, answered No: Escape closes the invitation window.
  p_.dialogs_.QueueAnswer({sim::SimDialogs::Answer::Kind::kNo, "", 0});
  gtalk_.Search("zed@example.com");
  auto question = p_.dialogs_.TakeUnchecked();
  ASSERT_TRUE(question);
  EXPECT_EQ(question->text, "Unable to find friend.  Would you like to invite them to Gmail?");
  EXPECT_EQ(question->title, "Quillon");
  EXPECT_FALSE(p_.desktop_.FindWindowEx(0, 0, std::nullopt, GTalkWindows::kInviteTitle));

  // Answered Yes: the address goes into the invitation, which comes to the front.
  p_.dialogs_.QueueAnswer({sim::SimDialogs::Answer::Kind::kYes, "", 0});
  gtalk_.Search("zed@example.com");
  platform::Hwnd invitation =
      p_.desktop_.FindWindowEx(0, 0, std::nullopt, GTalkWindows::kInviteTitle);
  ASSERT_TRUE(invitation);
  EXPECT_EQ(p_.desktop_.GetForegroundWindow(), invitation);
  EXPECT_EQ(gtalk_.GetText(p_.desktop_.FindWindowEx(invitation, 0, "Edit", std::nullopt)),
            "zed@example.com");
}

}  // namespace
}  // namespace quillon::gtalk
