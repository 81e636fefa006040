// Reaching the conversation document of a chat window through its browser window.
#include <gtest/gtest.h>

#include "chatview/GetIEDom.h"
#include "support/QuillonFixture.h"

namespace quillon::chatview {
namespace {

using GetIEDomTest = testing::QuillonFixture;

TEST_F(GetIEDomTest, DocumentFromWindowFindsTheFirstBrowserBelowAWindow) {
  GetIEDom dom(p_.desktop_, p_.accessibility_);
  EXPECT_EQ(dom.DocumentFromWindow(0), nullptr);
  EXPECT_EQ(dom.DocumentFromWindow(chat_->View()), chat_->Document());
  EXPECT_EQ(dom.DocumentFromWindow(chat_->Browser()), chat_->Document());
  // No browser below: the window itself is asked and does not answer.
  EXPECT_EQ(dom.DocumentFromWindow(chat_->Input()), nullptr);

  auto make = [&](const char* cls, platform::Hwnd parent) {
    platform::WindowCreation c;
    c.class_name = cls;
    c.parent = parent;
    return p_.desktop_.CreateWindow(c);
  };
  const platform::Hwnd top = make("Holder", 0);
  const platform::Hwnd first = make("Internet Explorer_Server", make("Inner", top));
  make("Internet Explorer_Server", top);
  EXPECT_EQ(dom.DocumentFromWindow(top), p_.desktop_.DocumentOf(first));
  // A browser that hangs has no document to give.
  p_.desktop_.SetHung(first, true);
  EXPECT_EQ(dom.DocumentFromWindow(top), nullptr);

  platform::Hwnd found = 0;
  EXPECT_TRUE(dom.IsIEServer(make("INTERNET EXPLORER_server", top)));
  EXPECT_FALSE(dom.IsIEServer(make("Internet Explorer_Server2", top)));
  EXPECT_EQ(dom.FindIEServerChild(chat_->Input(), found), 1);
  EXPECT_EQ(found, 0u);
  EXPECT_EQ(dom.FindIEServerChild(first, found), 0);
  EXPECT_EQ(found, first);
}

}  // namespace
}  // namespace quillon::chatview
