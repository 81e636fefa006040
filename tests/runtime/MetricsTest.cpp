// The measures forms are laid out with: how wide a caption is taken to be, how many lines it
// wraps to, and where a form's client area lies.
#include <gtest/gtest.h>

#include "runtime/Metrics.h"

namespace quillon::runtime {
namespace {

TEST(CaptionWidthTest, AccessKeysAndLineBreaksTakeNoRoom) {
  struct Case {
    const char* caption;
    int width;
  } cases[] = {
      {"", 0},
      {"Ok", CaptionWidth("O") + CaptionWidth("k")},
      // A single "&" marks the access key; "&&" shows one "&"; a trailing "&" shows nothing.
      {"&Ok", CaptionWidth("Ok")},
      {"Turn &OFF", CaptionWidth("Turn OFF")},
      {"A && B", CaptionWidth("A x B")},  // "&" is as wide as an average letter
      {"Ok&", CaptionWidth("Ok")},
      // The widest line counts, whatever ends the lines.
      {"v1.0.151\r\nOfficial Release", CaptionWidth("Official Release")},
      {"Official Release\nv1", CaptionWidth("Official Release")},
  };
  for (const Case& c : cases) EXPECT_EQ(CaptionWidth(c.caption), c.width) << c.caption;
}

TEST(CaptionWidthTest, WideLettersCountMoreThanThinOnesAndTextAboutSevenPixelsALetter) {
  EXPECT_GT(CaptionWidth("WWWW"), CaptionWidth("iiii"));
  EXPECT_GT(CaptionWidth("MMMM"), CaptionWidth("nnnn"));
  // Letters outside ASCII are counted as letters, not as their bytes.
  EXPECT_EQ(CaptionWidth("\xC3\xA9"), CaptionWidth("e"));
  const int sentence = CaptionWidth("Change Color of Message Area");
  EXPECT_GE(sentence, 28 * 6);
  EXPECT_LE(sentence, 28 * 8);
}

TEST(CaptionLinesTest, WrapsAtBlanksAndBreaksWordsLongerThanTheLine) {
  const int word = CaptionWidth("word");
  const int two_words = CaptionWidth("word word");
  struct Case {
    const char* caption;
    int width;
    int lines;
  } cases[] = {
      {"", 100, 0},
      {"word", word, 1},
      {"word word", two_words, 1},
      {"word word", two_words - 1, 2},
      {"word word word", two_words, 2},
      // Explicit breaks start lines of their own, also empty ones.
      {"word\r\nword", 1000, 2},
      {"word\r\n\r\nword", 1000, 3},
      // A word wider than the line goes on over as many lines as it needs.
      {"wordwordword", word, 3},
      {"a wordwordword", word, 4},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CaptionLines(c.caption, c.width), c.lines) << c.caption << " in " << c.width;
  }
  EXPECT_EQ(CaptionHeight(0), kControlHeight);
  EXPECT_EQ(CaptionHeight(1), kControlHeight);
  EXPECT_EQ(CaptionHeight(3), kControlHeight + 2 * kLineHeight);
}

TEST(ClientAreaTest, TitleBarAndBorderAreOutsideTheClientArea) {
  const platform::Rect outer{100, 50, 400, 250};
  EXPECT_EQ(ClientArea(outer, true), (platform::Rect{104, 77, 396, 246}));
  EXPECT_EQ(ClientArea(outer, false), outer);
}

}  // namespace
}  // namespace quillon::runtime
