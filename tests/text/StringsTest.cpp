// The string helpers are written for speed; each must still give what the plain way gives.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "support/PlainText.h"
#include "text/Strings.h"

namespace quillon::text {
namespace {

using testing_support::Pieces;
using testing_support::PlainFindNoCase;

TEST(Strings, FindIgnoringCaseFindsWhatAPlainSearchFinds) {
  std::mt19937 random(7);
  const std::vector<std::string> pieces = {"a",
                                           "A",
                                           "b",
                                           "[",
                                           "!",
                                           "fILE",
                                           "File",
                                           "[!f",
                                           "é",
                                           ":",
                                           "x",
                                           "[!FileTransfer:",
                                           "[!filetransfer"};
  const std::vector<std::string> needles = {
      "[!FileTransfer:", "file", "A", "[u]", ":", "é", "", "xx", "B)"};
  for (int round = 0; round < 400; ++round) {
    const std::string text = Pieces(random, pieces, random() % 40);
    for (const std::string& needle : needles) {
      for (size_t from : {size_t{0}, size_t{1}, text.size() / 2, text.size(), text.size() + 1}) {
        EXPECT_EQ(FindAsciiNoCase(text, needle, from), PlainFindNoCase(text, needle, from))
            << "'" << needle << "' in '" << text << "' from " << from;
      }
    }
  }
}

// Only ASCII letters fold: a UTF-8 byte that happens to sit 0x20 away from another must not
// match it, or "É" (C3 89) would equal "é" (C3 A9) byte-wise and names would collide.
TEST(Strings, NoCaseComparisonsFoldAsciiLettersOnly) {
  struct Case {
    const char* a;
    const char* b;
    bool equal;
  };
  const Case cases[] = {
      {"Internet Explorer_Server", "internet explorer_server", true},
      {"#FFA500", "#ffa500", true},
      {"É", "é", false},
      {"@", "`", false},  // 0x40 and 0x60: neighbours of the letters, not letters
      {"[", "{", false},
      {"abc", "abcd", false},
      {"", "", true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(EqualsAsciiNoCase(c.a, c.b), c.equal) << c.a << " / " << c.b;
    EXPECT_EQ(AsciiLower(c.a) == AsciiLower(c.b), c.equal) << c.a << " / " << c.b;
    EXPECT_EQ(AsciiUpper(c.a) == AsciiUpper(c.b), c.equal) << c.a << " / " << c.b;
  }
  EXPECT_TRUE(StartsWithAsciiNoCase("HTTPS://x", "https://"));
  EXPECT_FALSE(StartsWithAsciiNoCase("http", "https://"));
  EXPECT_EQ(TrimWhitespace("\t 12 \r\n"), "12");
  EXPECT_EQ(TrimWhitespace(" \t\r\n"), "");
  EXPECT_EQ(TrimBlanks("\t 12 "), "\t 12");  // blanks only: a tab is content there
}

}  // namespace
}  // namespace quillon::text
