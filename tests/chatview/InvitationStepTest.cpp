// Invitations in the conversation: each new one opens the receive window once, the user's own and
// those handled before open nothing, and a tag that is not an invitation is marked as such.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/ErrorReporter.h"
#include "app/Settings.h"
#include "chatview/InvitationStep.h"
#include "chatview/MarkupRules.h"
#include "privacy/TextCipher.h"
#include "support/TestPlatform.h"
#include "transfer/Invitation.h"

namespace quillon::chatview {
namespace {

std::string Tag(const char* address, int number) {
  return transfer::InvitationTag(transfer::InvitationPayload(address, number));
}

class InvitationStepTest : public ::testing::Test {
 protected:
  std::string Run(std::string markup) {
    step_.Run(markup);
    return markup;
  }
  std::string Recent(int i) {
    return settings_.ReadSetting("Recent" + std::to_string(i), "", "FTNum");
  }

  testing::TestPlatform p_;
  runtime::Runtime rt_{*p_.platform_, p_.loop_, p_.Info()};
  app::ErrorReporter reporter_{rt_};
  app::Settings settings_{*p_.registry_, reporter_};
  std::vector<std::string> opened_;
  InvitationStep step_{settings_, [this](std::string_view a) { opened_.emplace_back(a); }};
};

TEST_F(InvitationStepTest, ANewInvitationOpensTheReceiveWindowOnceAndLeavesTheView) {
  const std::string tag = Tag("10.0.0.7", 42);
  EXPECT_EQ(Run("<DIV>offer<BR>" + tag + "</DIV>"), "<DIV>offer<BR></DIV>");
  EXPECT_EQ(opened_, std::vector<std::string>{"10.0.0.7"});
  EXPECT_EQ(Recent(10), "00042");
  // Seen again (another chat, a restart): removed, nothing opens.
  EXPECT_EQ(Run(tag + " again " + tag), " again ");
  EXPECT_EQ(opened_.size(), 1u);
}

TEST_F(InvitationStepTest, TheUsersOwnInvitationOpensNothing) {
  settings_.WriteSetting("Sender1", "00042", "FTNum");
  EXPECT_EQ(Run("mine: " + Tag("10.0.0.7", 42)), "mine: ");
  EXPECT_TRUE(opened_.empty());
  EXPECT_EQ(Recent(10), "");
}

TEST_F(InvitationStepTest, TheEleventhInvitationPushesTheOldestOut) {
  for (int n = 1; n <= 11; ++n) Run(Tag("10.0.0.9", n));
  EXPECT_EQ(opened_.size(), 11u);
  EXPECT_EQ(Recent(1), "00002");
  EXPECT_EQ(Recent(10), "00011");
  // The first is forgotten and opens again; the second is still known.
  Run(Tag("10.0.0.9", 2));
  EXPECT_EQ(opened_.size(), 11u);
  Run(Tag("10.0.0.9", 1));
  EXPECT_EQ(opened_.size(), 12u);
}

TEST_F(InvitationStepTest, ATagThatIsNoInvitationIsMarkedInvalid) {
  const std::string key = "rM51X9";
  const std::string no_bar = transfer::InvitationTag(privacy::EncryptText("10.0.0.7 42", key));
  const std::string no_number = transfer::InvitationTag(privacy::EncryptText("10.0.0.7|4x2", key));
  for (const std::string& tag : {no_bar, no_number, std::string("[!FileTransfer:!]")}) {
    EXPECT_EQ(Run("a " + tag + " b " + tag), "a *Invalid File Format* b *Invalid File Format*")
        << tag;
  }
  EXPECT_TRUE(opened_.empty());
}

TEST_F(InvitationStepTest, OneTagPerRunTheFirstFirst) {
  const std::string markup = Tag("10.0.0.1", 1) + "|" + Tag("10.0.0.2", 2);
  EXPECT_EQ(Run(markup), "|" + Tag("10.0.0.2", 2));
  EXPECT_EQ(opened_, std::vector<std::string>{"10.0.0.1"});
  EXPECT_EQ(Run("|" + Tag("10.0.0.2", 2)), "|");
  EXPECT_EQ(opened_.back(), "10.0.0.2");
  // No tag, or one without its end: nothing happens.
  EXPECT_EQ(Run("[!FileTransfer:ABC"), "[!FileTransfer:ABC");
}

TEST_F(InvitationStepTest, LettersTheChatViewTookForAnEmoticonStillReadAsThePayload) {
  const std::string tag = Tag("10.0.0.7", 42);
  const size_t bd = tag.find("BD");
  ASSERT_NE(bd, std::string::npos);
  std::string shown = tag;
  shown.replace(bd, 2, MarkupRules::EmoticonSpan("BD"));
  EXPECT_EQ(Run("<DIV>" + shown + "</DIV>"), "<DIV></DIV>");
  EXPECT_EQ(opened_, std::vector<std::string>{"10.0.0.7"});
}

TEST_F(InvitationStepTest, ATagOpenedInOneMessageAndClosedInAnotherSwallowsNothing) {
  // Someone typed the opening alone; a real invitation follows in a later message.
  const std::string markup = "<DIV>Sam: [!FileTransfer: hm</DIV><DIV>Alex: " + Tag("10.0.0.7", 42) +
                             "</DIV><DIV>Sam: wow!]</DIV>";
  EXPECT_EQ(Run(markup),
            "<DIV>Sam: [!FileTransfer: hm</DIV><DIV>Alex: </DIV><DIV>Sam: wow!]</DIV>");
  EXPECT_EQ(opened_, std::vector<std::string>{"10.0.0.7"});
}

}  // namespace
}  // namespace quillon::chatview
