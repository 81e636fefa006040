// The edges of the markup rules' lengths: the longest character reference a cut keeps whole, the
// 500 characters a clear keeps, the 32767 characters the rules search.
#include <gtest/gtest.h>

#include "chatview/MarkupRules.h"

namespace quillon::chatview {
namespace {

using R = MarkupRules;

const std::string kCleared = "<P>**Cleared**<P>";

// A reference-like run of `length` characters from "&" through ";".
std::string Reference(size_t length) { return "&" + std::string(length - 2, 'x') + ";"; }

// A clear of markup without five ">" keeps 500 characters, moved back to the start of a character
// reference the cut would split. What counts as a reference is at most 13 characters from "&" to
// ";" (longer than any a browser writes); a longer run is plain text and is cut like text.
TEST(ClearEdges, TheLongestReferenceIsKeptWholeAndALongerRunIsCutAsText) {
  struct Case {
    const char* what;
    size_t before;    // characters in front of the run
    size_t length;    // the run's length, "&" through ";"
    size_t expected;  // characters kept
  } cases[] = {
      {"13 characters across the cut go whole", 495, 13, 495},
      {"14 characters are no reference", 495, 14, 500},
      {"the cut just before the ';' of 13", 488, 13, 488},
      {"the cut just before the ';' of 14", 487, 14, 500},
      {"the cut just after the ';'", 487, 13, 500},
      {"the cut right before the '&'", 500, 13, 500},
      {"the cut right after the '&'", 499, 13, 499},
  };
  for (const Case& c : cases) {
    const std::string markup =
        std::string(c.before, 'a') + Reference(c.length) + std::string(100, 'b');
    ASSERT_EQ(R::ClearPosition(markup), 0u);
    EXPECT_EQ(R::ClearedMarkup(markup), markup.substr(0, c.expected) + kCleared) << c.what;
  }
  // A blank or a second "&" ends a reference: what follows is no part of it.
  const std::string blank = std::string(497, 'a') + "&x y;" + std::string(100, 'b');
  EXPECT_EQ(R::ClearedMarkup(blank), blank.substr(0, 500) + kCleared);
  const std::string twice = std::string(497, 'a') + "&x&y;" + std::string(100, 'b');
  EXPECT_EQ(R::ClearedMarkup(twice), twice.substr(0, 499) + kCleared);
}

TEST(ClearEdges, FiveHundredCharactersAndFiveAngles) {
  // Exactly 500 characters stay whole; the 501st goes.
  const std::string five_hundred(500, 'a');
  EXPECT_EQ(R::ClearedMarkup(five_hundred), five_hundred + kCleared);
  EXPECT_EQ(R::ClearedMarkup(five_hundred + "b"), five_hundred + kCleared);
  EXPECT_EQ(R::ClearedMarkup(std::string(499, 'a')), std::string(499, 'a') + kCleared);
  // Four ">" fall back to the 500 characters; the fifth decides the cut.
  const std::string four = "a>b>c>d>" + std::string(600, 'e');
  EXPECT_EQ(R::ClearedMarkup(four), four.substr(0, 500) + kCleared);
  const std::string five = "a>b>c>d>e>" + std::string(600, 'f');
  EXPECT_EQ(R::ClearedMarkup(five), "a>b>c>d>e>" + kCleared);
  // A cut right after a tag's ">" keeps the tag; right after its "<", the tag goes. (Three ">"
  // in front make the tag's the fourth, so the clear falls back to the 500 characters.)
  const std::string closed = "a>b>c>" + std::string(491, 'a') + "<B>" + std::string(100, 'b');
  ASSERT_EQ(R::ClearPosition(closed), 0u);
  EXPECT_EQ(R::ClearedMarkup(closed), closed.substr(0, 500) + kCleared);
  const std::string opened = "a>b>c>" + std::string(493, 'a') + "<B>" + std::string(100, 'b');
  ASSERT_EQ(R::ClearPosition(opened), 0u);
  EXPECT_EQ(R::ClearedMarkup(opened), opened.substr(0, 499) + kCleared);
}

// The tail the rules search starts after a reference the cut would split, with the same longest
// reference as the clear.
TEST(TailEdges, TheLongestReferenceMovesTheTailPastItAndALongerRunDoesNot) {
  constexpr size_t kTail = R::kTailCharacters;
  struct Case {
    const char* what;
    size_t cut;  // characters left out of a text of kTail + cut characters
    size_t before;
    size_t length;
    size_t expected;  // where the tail starts
  } cases[] = {
      {"a reference of 13 across the cut", 5, 0, 13, 13},
      {"a run of 14 across the cut", 5, 0, 14, 5},
      {"the cut just before the ';' of 13", 12, 0, 13, 13},
      {"the cut just before the ';' of 14", 13, 0, 14, 13},
      {"the cut right after the ';'", 13, 0, 13, 13},
      {"the cut right at the '&'", 5, 5, 13, 5},
      {"the cut right after the '&'", 5, 4, 13, 17},
  };
  for (const Case& c : cases) {
    const size_t rest = kTail + c.cut - c.before - c.length;
    const std::string markup =
        std::string(c.before, 'a') + Reference(c.length) + std::string(rest, 'b');
    EXPECT_EQ(R::TailStart(markup), c.expected) << c.what;
  }
  // Exactly the tail's length is searched whole.
  EXPECT_EQ(R::TailStart(Reference(13) + std::string(kTail - 13, 'b')), 0u);
}

}  // namespace
}  // namespace quillon::chatview

namespace quillon::chatview {
namespace {

// A picture's address needs five characters (characters, not bytes): "www." is too short, one
// character more is an address.
TEST(PictureAddressEdges, FiveCharactersMakeAnAddress) {
  struct Case {
    const char* address;
    const char* expected;
  } cases[] = {
      {"www.", ""},
      {"www.x", "www.x"},
      {"WWW.\xC3\xA9", "WWW.\xC3\xA9"},  // five characters in six bytes
      {"http:", ""},                     // five characters, but no web address
  };
  for (const Case& c : cases) {
    const std::string inner = std::string("<a href=\"x\">") + c.address + "</a>";
    EXPECT_EQ(MarkupRules::PictureAddress(inner), c.expected) << c.address;
  }
}

}  // namespace
}  // namespace quillon::chatview
