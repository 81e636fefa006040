// The pass compares the colours the browser reports ("#rrggbb", lower case) with the stored ones
// ("RRGGBB") as colours: a stored colour that differs in any one digit is applied, one that
// differs only in letter case or in a leading "#" is the same colour.
#include <gtest/gtest.h>

#include <cctype>

#include "chatview/ChatViewPass.h"
#include "chatview/PassOf.h"
#include "support/QuillonFixture.h"

namespace quillon::chatview {
namespace {

class MessageAreaColorTest : public testing::QuillonFixture {
 protected:
  void Set(const char* name, const std::string& value) {
    program_->Config().WriteSetting(name, value);
  }
  void Pass() { PassOf(*program_).RewriteChatView(chat_->View()); }
  std::shared_ptr<sim::SimHtmlDocument> Document() { return chat_->Document(); }
};

TEST_F(MessageAreaColorTest, AColourDifferingInAnyOneDigitIsApplied) {
  Set("MainBack", "1");
  Set("ChangeFont", "1");
  // Each stored colour differs from the one before it in one digit only.
  const char* colours[] = {"A2B4C6", "A2B4C7", "A2B4D7", "A2B5D7", "A2C5D7", "A3C5D7", "B3C5D7"};
  for (const char* colour : colours) {
    Set("MainBackColor", colour);
    Set("FontColor", colour);
    Pass();
    std::string reported = "#" + std::string(colour);
    for (char& c : reported) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    EXPECT_EQ(Document()->BgColor(), reported) << colour;
    EXPECT_EQ(Document()->FgColor(), reported) << colour;
  }
}

TEST_F(MessageAreaColorTest, LetterCaseAndALeadingHashNameTheSameColour) {
  Set("MainBack", "1");
  Set("MainBackColor", "00ff00");
  Pass();
  EXPECT_EQ(Document()->BgColor(), "#00ff00");
  Set("MainBackColor", "#00FF01");
  Pass();
  EXPECT_EQ(Document()->BgColor(), "#00ff01");
  // A stored text of another length is another colour, even where it starts the same.
  Set("MainBackColor", "00FF0");
  Pass();
  EXPECT_NE(Document()->BgColor(), "#00ff01");
  // Off: the colour stays as it was, whatever is stored.
  Set("MainBack", "0");
  Set("ChangeFont", "1");  // keeps the pass from being all off
  Set("MainBackColor", "123456");
  const std::string before = Document()->BgColor();
  Pass();
  EXPECT_EQ(Document()->BgColor(), before);
}

}  // namespace
}  // namespace quillon::chatview
