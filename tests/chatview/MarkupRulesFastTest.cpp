// The pass's searches are written for speed over long conversations; each must still give what
// the plain way of doing it gives, on conversations built from the pieces the rules look for.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <string>
#include <vector>

#include "chatview/MarkupRules.h"
#include "support/PlainText.h"

namespace quillon::chatview {
namespace {

using testing_support::Pieces;
using testing_support::PlainFindNoCase;

using R = MarkupRules;

// The tail as counted one character at a time from the end.
size_t PlainTailCut(std::string_view markup) {
  size_t characters = 0;
  size_t cut = markup.size();
  while (cut > 0 && characters < R::kTailCharacters) {
    --cut;
    if ((static_cast<unsigned char>(markup[cut]) & 0xC0) != 0x80) ++characters;
  }
  return cut;
}

// Each code in turn: when the form occurs anywhere (any case), every span of it is replaced.
void PlainSmileys(std::string& markup, const std::vector<std::string_view>& codes) {
  for (std::string_view code : codes) {
    const std::string picture = R::SmileyPicture("/q/", code[1]);
    for (const std::string& form :
         {std::string(code), std::string{code[0], '-', code[1]}, std::string{'B', code[1]}}) {
      if (PlainFindNoCase(markup, form, 0) != std::string::npos) {
        R::ReplaceAll(markup, R::EmoticonSpan(form), picture);
      }
    }
  }
}

TEST(FastSearches, TheTailStartsWhereCountingCharacterByCharacterEnds) {
  std::mt19937 random(11);
  // One-, two- and three-byte characters, and a stray continuation byte as broken text has.
  const std::vector<std::string> pieces = {"x", "yz", "\xC3\xA9", "\xE2\x82\xAC", "\x80", "abc"};
  for (int round = 0; round < 60; ++round) {
    const size_t count = R::kTailCharacters - 200 + random() % 25000;
    const std::string markup = Pieces(random, pieces, count / 2);
    const size_t cut = PlainTailCut(markup);
    // Without tags or references in the text, the tail starts at the counted cut (0 when the
    // count reached the start).
    EXPECT_EQ(R::TailStart(markup), cut) << "size " << markup.size();
  }
}

TEST(FastSearches, AllSmileysAtOnceDoWhatEachCodeInTurnDoes) {
  std::mt19937 random(3);
  const std::vector<std::string_view> codes = {":(", ";)", ":)", ":x", ":D", ":O", ":P"};
  std::vector<std::string> pieces = {
      " text ", ":)", "B)", "<DIV>", "</DIV>", "<SPAN>", "</SPAN>", R::kEmoticonOpen.data(), "é"};
  for (const char* form : {":)", ":-)", "B)", ";)", ";-)", ":P", "BP", ":-x", ":O", "B(", ":d"}) {
    pieces.push_back(R::EmoticonSpan(form));
  }
  for (int round = 0; round < 500; ++round) {
    const std::string markup = Pieces(random, pieces, random() % 30);
    std::string fast = markup;
    R::ReplaceSmileys(fast, codes, "/q/");
    std::string plain = markup;
    PlainSmileys(plain, codes);
    EXPECT_EQ(fast, plain) << markup;
  }
}

}  // namespace
}  // namespace quillon::chatview
