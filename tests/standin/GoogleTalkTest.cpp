// The stand-in client answers the window messages a real client answers, and nothing else.
#include <gtest/gtest.h>

#include "runtime/EventLoop.h"
#include "sim/RichEditBox.h"
#include "sim/SimDesktop.h"
#include "sim/SimHtmlDocument.h"
#include "sim/SimShell.h"
#include "sim/VirtualClock.h"
#include "standin/ChatRenderer.h"
#include "standin/GoogleTalk.h"

namespace quillon::standin {
namespace {

using platform::LParam;
namespace msg = platform::msg;

class GoogleTalkTest : public ::testing::Test {
 protected:
  GoogleTalkTest()
      : desktop_(clock_), shell_(desktop_), gtalk_(desktop_, shell_, "me"), loop_(clock_) {
    loop_.AddSource(&desktop_);
    gtalk_.SetContacts({"Alex"});
    gtalk_.Start("Available");
  }

  void SetText(platform::Hwnd window, const char* text) {
    desktop_.SendMessage(window, msg::kSetText, 0, reinterpret_cast<LParam>(text));
  }

  sim::VirtualClock clock_;
  sim::SimDesktop desktop_;
  sim::SimShell shell_;
  GoogleTalk gtalk_;
  runtime::EventLoop loop_;
};

TEST_F(GoogleTalkTest, StatusChangesOnlyThroughClickEditEnter) {
  // Text set without entering editing mode is refused, and Enter alone commits nothing.
  SetText(gtalk_.StatusBox(), "Sneaky");
  desktop_.SendMessage(gtalk_.StatusArea(), msg::kImeKeyDown, platform::vk::kReturn, 0);
  EXPECT_EQ(gtalk_.Status(), "Available");
  EXPECT_EQ(desktop_.RichEditOf(gtalk_.StatusBox())->Text(), "Available");

  desktop_.SendMessage(gtalk_.StatusArea(), msg::kLButtonDown, 1, (26 << 16) | 23);
  desktop_.SendMessage(gtalk_.StatusArea(), msg::kLButtonUp, 0, (26 << 16) | 23);
  SetText(gtalk_.StatusBox(), "(Away) At lunch");
  EXPECT_EQ(gtalk_.Status(), "Available");  // not before Enter
  desktop_.SendMessage(gtalk_.StatusArea(), msg::kImeKeyDown, platform::vk::kReturn, 0);
  EXPECT_EQ(gtalk_.Status(), "(Away) At lunch");
  EXPECT_EQ(desktop_.RichEditOf(gtalk_.StatusBox())->Text(), "(Away) At lunch");
}

TEST_F(GoogleTalkTest, MenuCommandsAreRecordedAndActedOn) {
  desktop_.PostMessage(gtalk_.MainWindow(), msg::kCommand, 40003, 0);
  desktop_.PostMessage(gtalk_.MainWindow(), msg::kCommand, 40004, 0);
  loop_.ProcessPending();
  EXPECT_EQ(gtalk_.TakeCommands(), (std::vector<uint32_t>{40003, 40004}));
  EXPECT_TRUE(desktop_.FindWindowEx(0, 0, "#32770", "Settings"));
  EXPECT_FALSE(desktop_.IsWindowVisible(gtalk_.MainWindow()));
  EXPECT_TRUE(gtalk_.TakeCommands().empty());
}

TEST_F(GoogleTalkTest, ActivatedChatComesFirstAndOwnsTheFocus) {
  ChatSession* alex = gtalk_.ActivateChat("Alex");
  gtalk_.Receive("Sam", "hi");  // opens behind, does not take the front
  EXPECT_EQ(desktop_.FindWindowEx(0, 0, "ATL:00572B88", std::nullopt), alex->Frame());
  EXPECT_EQ(desktop_.GetForegroundWindow(), alex->View());
  EXPECT_EQ(desktop_.GetFocus(), alex->Input());
  ChatSession* sam = gtalk_.ActivateChat("Sam");
  EXPECT_EQ(desktop_.FindWindowEx(0, 0, "ATL:00572B88", std::nullopt), sam->Frame());
  // Enter sent by the program (WM_IME_KEYDOWN) sends the line as a typed Enter does.
  SetText(sam->Input(), "from the program");
  desktop_.SendMessage(sam->Input(), msg::kImeKeyDown, platform::vk::kReturn, 0);
  EXPECT_NE(sam->Document()->BodyHtml().find("from the program"), std::string::npos);
  EXPECT_EQ(sam->InputText(), "");
}

TEST(ChatRendererTest, RendersAsTheClientDoes) {
  EXPECT_EQ(ChatRenderer::RenderText("a<b & \"c\""), "a&lt;b &amp; &quot;c&quot;");
  // Every form of an emoticon: the code, with a nose, and with sunglasses.
  std::string smile = ChatRenderer::EmoticonSpan(":)");
  EXPECT_EQ(ChatRenderer::RenderText(":) :-) B)"), smile + " " + ChatRenderer::EmoticonSpan(":-)") +
                                                       " " + ChatRenderer::EmoticonSpan("B)"));
  // The letter-led form is an emoticon only as a word of its own.
  EXPECT_EQ(ChatRenderer::RenderText("0EBDFB BD"), "0EBDFB " + ChatRenderer::EmoticonSpan("BD"));
  EXPECT_EQ(ChatRenderer::RenderText("BDay"), "BDay");
  // Links stop before trailing punctuation and quotes; a bare scheme is no link.
  EXPECT_EQ(ChatRenderer::RenderText("see (http://x.org/a)."),
            "see (<a href=\"http://x.org/a\">http://x.org/a</a>).");
  EXPECT_EQ(ChatRenderer::RenderText("[!Quillon:http://x.org/p.png!]"),
            "[!Quillon:<a href=\"http://x.org/p.png\">http://x.org/p.png</a>!]");
  EXPECT_EQ(ChatRenderer::RenderText("http:// nothing"), "http:// nothing");
  EXPECT_EQ(ChatRenderer::RenderText("line\r\nnext"), "line<BR>next");
}

}  // namespace
}  // namespace quillon::standin
