// The custom-picture step runs when the stored interval is reached, not only when it is passed:
// every pass adds the timer's 50 ms, and the step runs on the pass where the sum equals the
// interval.
#include <gtest/gtest.h>

#include "chatview/MarkupRules.h"
#include "chatview/PassOf.h"
#include "support/QuillonFixture.h"

namespace quillon::chatview {
namespace {

class ImageTimerEdgesTest : public testing::QuillonFixture {
 protected:
  // How many passes it takes for a picture tag to become its picture.
  int PassesUntilThePicture(const char* interval) {
    program_->Config().WriteSetting("CustomImages", "1");
    program_->Config().WriteSetting("ImageInterval", interval);
    const std::string link = "<a href=\"http://x.org/a.png\">http://x.org/a.png</a>";
    chat_->Document()->SetBodyHtml("<DIV>[!Quillon:" + link + "!]</DIV>");
    p_.loop_.ProcessPending();
    ChatViewPass pass = PassOf(*program_);
    for (int passes = 1; passes <= 10; ++passes) {
      pass.RewriteChatView(chat_->View());
      if (chat_->Document()->BodyHtml().find("<img src=\"http://x.org/a.png\">") !=
          std::string::npos) {
        return passes;
      }
    }
    return 0;
  }
};

TEST_F(ImageTimerEdgesTest, TheStepRunsOnThePassThatReachesTheInterval) {
  struct Case {
    const char* interval;
    int passes;
  } cases[] = {{"0", 1}, {"49", 1}, {"50", 1}, {"51", 2}, {"100", 2}, {"101", 3}, {"150", 3}};
  for (const Case& c : cases) EXPECT_EQ(PassesUntilThePicture(c.interval), c.passes) << c.interval;
}

}  // namespace
}  // namespace quillon::chatview
