#include <gtest/gtest.h>

#include "gtalk/TextFilter.h"
#include "text/CodePage.h"
#include "text/Utf8.h"

namespace quillon::gtalk {
namespace {

std::string Filter(std::string_view setting, std::u32string_view typed) {
  std::u32string out;
  for (char32_t c : typed) {
    out += text::CodePointOfCharCode(TextFilter::Apply(setting, text::CharCodeOf(c)));
  }
  return text::EncodeUtf8(out);
}

TEST(TextFilterTest, LeetAndCoolTouchLowerCaseLettersOnly) {
  EXPECT_EQ(Filter("1337Text", U"letters LETTERS 42!"), "13773r5 LETTERS 42!");
  EXPECT_EQ(Filter("CoolText", U"cool"), "©ØØ£");
  EXPECT_EQ(Filter("CoolText", U"abcdefghijklmnopqrstuvwxyz"), "Àß©ÐËƒGHÎjk£mÑØþ¶®§tµvw×¥z");
  EXPECT_EQ(Filter("CoolText", U"ABC 123"), "ABC 123");
  // Anything else in the setting (the stored blank included) is no filter.
  EXPECT_EQ(Filter(" ", U"letters"), "letters");
  EXPECT_EQ(Filter("cooltext", U"letters"), "letters");
  EXPECT_EQ(TextFilter::Apply("CoolText", 'f'), 0x83u);  // Windows-1252 code of ƒ
}

TEST(TextFilterTest, FilterNamesAndPlainText) {
  EXPECT_EQ(TextFilter::FilterName(1), "1337Text");
  EXPECT_EQ(TextFilter::FilterName(2), "CoolText");
  EXPECT_EQ(TextFilter::FilterName(7), "");
  EXPECT_EQ(TextFilter::PlainText("/©ØØ£"), "/cool");
  EXPECT_EQ(TextFilter::PlainText("/status Room 101"), "/status Room lol");
  EXPECT_EQ(TextFilter::PlainText("GH 4ll 7h3 w0rld5"), "gh all the worlds");
  // Every effect letter of the cool filter comes back as its letter (t, v, w ... never changed).
  EXPECT_EQ(TextFilter::PlainText("Àß©ÐËƒGHÎjk£mÑØþ¶®§tµvw×¥z"), "abcdefghijklmnopqrstuvwxyz");
}

}  // namespace
}  // namespace quillon::gtalk
