#include <gtest/gtest.h>

#include "runtime/CodePage.h"

namespace quillon::codepage {
namespace {

TEST(CodePage, TypedCharacterCodesFollowWindows1252WhereItHasTheCharacter) {
  EXPECT_EQ(CharCodeOf(U'ƒ'), 0x83u);
  EXPECT_EQ(CharCodeOf(U'©'), 0xA9u);
  EXPECT_EQ(CharCodeOf(U'€'), 0x80u);
  EXPECT_EQ(CharCodeOf(U'a'), 0x61u);
  EXPECT_EQ(CharCodeOf(U'Ж'), 0x416u);  // not in the code page: the code point itself
  EXPECT_EQ(CodePointOfCharCode(0x83), U'ƒ');
  EXPECT_EQ(CodePointOfCharCode(0x416), U'Ж');
}

TEST(CodePage, RoundTripsEveryByteThroughUtf8) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
}

TEST(CodePage, MalformedUtf8IsReadAsWindows1252AndNeverLost) {
  std::string bad = "a\xE9z\xC0\x80\xF0\x28";  // lone é byte, an overlong NUL, a broken 4-byte lead
  std::u32string decoded = DecodeUtf8(bad);
  ASSERT_EQ(decoded.size(), 7u);
  EXPECT_EQ(decoded[1], U'é');
  EXPECT_EQ(Utf8ToCp1252("Жx"), "?x");
  EXPECT_EQ(EncodeUtf8(DecodeUtf8("héllo €")), "héllo €");
}

TEST(CodePage, LowerCaseKnowsTheCodePagesLettersAndLeavesTheRest) {
  struct Case {
    const char* text;
    const char* lower;
  };
  const Case cases[] = {
      {"S:CAFÉ", "s:café"},
      {"ÀÁÂÃÄÅÆÇÈÉÊËÌÍÎÏÐÑÒÓÔÕÖØÙÚÛÜÝÞ", "àáâãäåæçèéêëìíîïðñòóôõöøùúûüýþ"},
      {"ŠŒŽŸ", "šœžÿ"},
      {"×ß÷ÿ", "×ß÷ÿ"},      // no capital, or already small
      {"ΣΩЖ", "ΣΩЖ"},        // letters the code page does not have
      {"@[`{", "@[`{"},      // the neighbours of A-Z and a-z
      {"A\xC9Z", "a\xC9z"},  // a lone byte is no letter and stays as it is
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(Cp1252Lower(c.text), c.lower) << c.text;
}

}  // namespace
}  // namespace quillon::codepage
