// The chat view pass on a running Quillon beside the stand-in Google Talk: how it reaches the
// document, and when it writes back.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "chatview/ChatColors.h"
#include "chatview/GetIEDom.h"
#include "chatview/MarkupRules.h"
#include "chatview/PassOf.h"
#include "support/QuillonFixture.h"

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
  ChatViewPass pass = PassOf(*program_);
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
  PassOf(*program_).RewriteChatView(chat_->View());
  EXPECT_EQ(Document()->BodyHtml(), markup);
  EXPECT_EQ(Document()->BgColor(), "#ffffff");
  // A switch that is not a number is not "off".
  Set("BU", "x");
  Set("MainBack", "1");
  PassOf(*program_).RewriteChatView(chat_->View());
  EXPECT_EQ(Document()->BgColor(), "#ff0000");
}

TEST_F(ChatViewPassTest, OnlyAChatViewWindowWithABrowserIsRewritten) {
  Set("Underline", "1");
  Document()->SetBodyHtml("[U]x[/U]");
  p_.loop_.ProcessPending();
  ChatViewPass pass = PassOf(*program_);
  pass.RewriteChatView(0);
  pass.RewriteChatView(chat_->Browser());
  pass.RewriteChatView(program_->Chat().MainWnd);
  EXPECT_EQ(Document()->BodyHtml(), "[U]x[/U]");
  pass.RewriteChatView(chat_->View());
  EXPECT_EQ(Document()->BodyHtml(), "<U>x</U>");
  EXPECT_EQ(Document()->ReadyState(), "complete");
}

// A pass that finds the conversation as a quiet pass left it runs no rule; each thing that can
// make the rules do something still takes effect on the very next pass.
TEST_F(ChatViewPassTest, AfterQuietPassesEveryChangeStillTakesEffectOnTheNextPass) {
  Set("Smileys", "1");
  Set("ImageInterval", "100");  // a picture step every second pass once pictures are on
  const std::string link = "<a href=\"http://x.org/a.png\">http://x.org/a.png</a>";
  Document()->SetBodyHtml("<DIV>[U]a[/U] " + MarkupRules::EmoticonSpan(":)") + "</DIV>");
  p_.loop_.ProcessPending();
  ChatViewPass pass = PassOf(*program_);
  auto settle = [&] {
    for (int i = 0; i < 3; ++i) pass.RewriteChatView(chat_->View());
  };
  auto body = [&] { return Document()->BodyHtml(); };
  settle();
  EXPECT_EQ(body().find("<SPAN"), std::string::npos) << body();
  EXPECT_NE(body().find("[U]a[/U]"), std::string::npos);

  struct Change {
    const char* what;
    std::function<void()> make;
    std::string expect_in_body;
  };
  const std::vector<Change> changes = {
      {"a setting", [&] { Set("Underline", "1"); }, "<U>a</U>"},
      {"a new message",
       [&] { Document()->AppendHtml("<DIV>" + MarkupRules::EmoticonSpan(";)") + "</DIV>"); },
       "!).gif\"></DIV>"},
      {"the picture timer",
       [&] {
         Set("CustomImages", "1");
         Document()->AppendHtml("<DIV>[!Quillon:" + link + "!]</DIV>");
         // The first pass after the switch is not yet the picture step's.
         pass.RewriteChatView(chat_->View());
         EXPECT_NE(body().find("[!Quillon:"), std::string::npos);
       },
       "<img src=\"http://x.org/a.png\">"},
      {"the clear", [&] { program_->MainForm()->SetTag("clear"); }, "**Cleared**"},
  };
  for (const Change& change : changes) {
    settle();
    const std::string before = body();
    change.make();
    pass.RewriteChatView(chat_->View());
    EXPECT_NE(body().find(change.expect_in_body), std::string::npos)
        << change.what << ": " << body();
    EXPECT_NE(body(), before) << change.what;
  }
}

}  // namespace
}  // namespace quillon::chatview
