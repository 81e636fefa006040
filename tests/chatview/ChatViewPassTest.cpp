// The chat view pass on a running Quillon beside the stand-in Google Talk: how it reaches the
// document, and when it writes back.
#include <gtest/gtest.h>

#include "chatview/ChatColors.h"
#include "chatview/ChatViewPass.h"
#include "chatview/GetIEDom.h"
#include "chatview/MarkupRules.h"
#include "gtalk/QuillonFixture.h"

namespace quillon::chatview {
namespace {

class ChatViewPassTest : public testing::QuillonFixture {
 protected:
  void Set(const char* name, const char* value) { program_->Config().WriteSetting(name, value); }
  std::shared_ptr<sim::SimHtmlDocument> Document() { return chat_->Document(); }
};

TEST_F(ChatViewPassTest, AConversationChangedToTheSameLengthDuringThePassIsNotOverwritten) {
  Set("Smileys", "1");
  Set("CustomImages", "1");
  Set("ImageInterval", "0");
  const std::string link = "<a href=\"http://x.org/a.png\">http://x.org/a.png</a>";
  const std::string before =
      "<DIV>" + MarkupRules::EmoticonSpan(":)") + " [!Quillon:" + link + "!]</DIV>";
  Document()->SetBodyHtml(before);
  p_.loop_.ProcessPending();
  // While the pass waits between custom pictures, the client rewrites a message in place: the
  // markup keeps its length.
  std::string replaced = before;
  replaced[5] = '*';
  p_.loop_.Post([&] { Document()->SetBodyHtml(replaced); });
  ChatViewPass pass(*program_, *program_->MainForm());
  pass.RewriteChatView(chat_->View());
  EXPECT_EQ(Document()->BodyHtml(), replaced);
  // The next pass starts from the new markup.
  pass.RewriteChatView(chat_->View());
  EXPECT_NE(Document()->BodyHtml().find("<img src=\"http://x.org/a.png\">"), std::string::npos);
}

TEST_F(ChatViewPassTest, AllFeaturesOffLeavesTheDocumentAlone) {
  Set("MainBackColor", "FF0000");
  Document()->SetBodyHtml(MarkupRules::EmoticonSpan(":)") + "[U]x[/U]");
  p_.loop_.ProcessPending();
  const std::string markup = Document()->BodyHtml();
  ChatViewPass(*program_, *program_->MainForm()).RewriteChatView(chat_->View());
  EXPECT_EQ(Document()->BodyHtml(), markup);
  EXPECT_EQ(Document()->BgColor(), "#ffffff");
  // A switch that is not a number is not "off".
  Set("BU", "x");
  Set("MainBack", "1");
  ChatViewPass(*program_, *program_->MainForm()).RewriteChatView(chat_->View());
  EXPECT_EQ(Document()->BgColor(), "#ff0000");
}

TEST_F(ChatViewPassTest, OnlyAChatViewWindowWithABrowserIsRewritten) {
  Set("Underline", "1");
  Document()->SetBodyHtml("[U]x[/U]");
  p_.loop_.ProcessPending();
  ChatViewPass pass(*program_, *program_->MainForm());
  pass.RewriteChatView(0);
  pass.RewriteChatView(chat_->Browser());
  pass.RewriteChatView(program_->Chat().MainWnd);
  EXPECT_EQ(Document()->BodyHtml(), "[U]x[/U]");
  pass.RewriteChatView(chat_->View());
  EXPECT_EQ(Document()->BodyHtml(), "<U>x</U>");
  EXPECT_EQ(Document()->ReadyState(), "complete");
}

}  // namespace
}  // namespace quillon::chatview
