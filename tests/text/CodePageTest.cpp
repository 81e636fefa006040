// The code page at the program's boundaries, and UTF-8 inside it.
#include <gtest/gtest.h>

#include <string>

#include "text/CodePage.h"
#include "text/Utf8.h"

namespace quillon::text {
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

// Every byte of the range where Windows-1252 differs from Latin-1, with the character it stands
// for: a slip in this table garbles typed characters, plugin files and the cipher alike.
TEST(CodePage, TheHighControlRangeMapsByteForByte) {
  const char32_t expected[32] = {U'€', 0x81, U'‚', U'ƒ', U'„', U'…', U'†', U'‡', U'ˆ', U'‰', U'Š',
                                 U'‹', U'Œ', 0x8D, U'Ž', 0x8F, 0x90, U'‘', U'’', U'“', U'”', U'•',
                                 U'–', U'—', U'˜', U'™', U'š', U'›', U'œ', 0x9D, U'ž', U'Ÿ'};
  for (int byte = 0x80; byte <= 0x9F; ++byte) {
    const char32_t cp = expected[byte - 0x80];
    EXPECT_EQ(CodePointOfCp1252(static_cast<uint8_t>(byte)), cp) << std::hex << byte;
    EXPECT_EQ(Cp1252ByteOf(cp), byte) << std::hex << byte;
    EXPECT_EQ(CharCodeOf(cp), static_cast<uint32_t>(byte)) << std::hex << byte;
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(std::string(1, static_cast<char>(byte)))),
              std::string(1, static_cast<char>(byte)));
  }
  // Latin-1's own controls at those code points are not in the code page (0x80 is "€" there).
  EXPECT_EQ(Cp1252ByteOf(0x80), -1);
  EXPECT_EQ(Cp1252ByteOf(0x9F), -1);
  EXPECT_EQ(Utf8ToCp1252("\u0080"), "?");
}

// Every letter of the code page has its other form inside the code page, and the two forms
// lead back to each other; every other character has no other form.
TEST(CodePage, LetterCaseStaysInsideTheCodePageAndRoundTrips) {
  int pairs = 0;
  for (int byte = 0; byte < 256; ++byte) {
    const char32_t cp = CodePointOfCp1252(static_cast<uint8_t>(byte));
    const char32_t lower = Cp1252LowerLetter(cp);
    const char32_t upper = Cp1252UpperLetter(cp);
    EXPECT_TRUE(lower == cp || upper == cp) << std::hex << byte;  // never both changed
    if (lower != cp) {
      ++pairs;
      EXPECT_GE(Cp1252ByteOf(lower), 0) << std::hex << byte;
      EXPECT_EQ(Cp1252UpperLetter(lower), cp) << std::hex << byte;
    }
    if (upper != cp) {
      EXPECT_GE(Cp1252ByteOf(upper), 0) << std::hex << byte;
      EXPECT_EQ(Cp1252LowerLetter(upper), cp) << std::hex << byte;
    }
  }
  EXPECT_EQ(pairs, 26 + 30 + 4);  // A-Z, À-Þ without ×, and Š Œ Ž Ÿ
  for (char32_t no_pair : {U'ß', U'ƒ', U'µ', U'ª', U'º', U'×', U'÷', U'Ж', U'1'}) {
    EXPECT_EQ(Cp1252LowerLetter(no_pair), no_pair);
    EXPECT_EQ(Cp1252UpperLetter(no_pair), no_pair);
  }
}

}  // namespace
}  // namespace quillon::text
