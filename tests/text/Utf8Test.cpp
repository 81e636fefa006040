// Reading UTF-8 never loses a byte: what is not UTF-8 is read byte by byte as Windows-1252.
#include <gtest/gtest.h>

#include <string>

#include "text/Utf8.h"

namespace quillon::text {
namespace {

TEST(Utf8, MalformedSequencesFallBackOneByteAtATime) {
  struct Case {
    const char* name;
    std::string bytes;
    std::u32string decoded;
  };
  const Case cases[] = {
      {"two bytes", "\xC3\xA9", U"é"},
      {"three bytes", "\xE2\x82\xAC", U"€"},
      {"four bytes", "\xF0\x9F\x98\x80", U"\U0001F600"},
      {"cut short at the end", "a\xE2\x82", U"a\u00E2\u201A"},
      {"lead without its continuation", "\xC3z", U"\u00C3z"},
      {"stray continuation", "\x80x", U"€x"},
      {"overlong slash", "\xC0\xAF", U"\u00C0\u00AF"},
      {"overlong three-byte", "\xE0\x80\xAF", U"\u00E0\u20AC\u00AF"},
      {"surrogate", "\xED\xA0\x80", U"\u00ED\u00A0\u20AC"},
      {"past U+10FFFF", "\xF4\x90\x80\x80", U"\u00F4\u0090\u20AC\u20AC"},
      {"never a lead", "\xFF\xFE", U"\u00FF\u00FE"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DecodeUtf8(c.bytes), c.decoded) << c.name;
    // Valid exactly when the bytes are what writing the characters gives back.
    EXPECT_EQ(IsValidUtf8(c.bytes), EncodeUtf8(c.decoded) == c.bytes) << c.name;
    // NextCodePoint always moves on, so a loop over any bytes ends.
    size_t count = 0;
    for (size_t pos = 0; pos < c.bytes.size(); ++count) {
      size_t before = pos;
      NextCodePoint(c.bytes, pos);
      ASSERT_GT(pos, before) << c.name;
    }
    EXPECT_EQ(count, c.decoded.size()) << c.name;
  }
}

TEST(Utf8, WritesOnlyWhatAReaderAccepts) {
  struct Case {
    char32_t code_point;
    std::string bytes;
  };
  const Case cases[] = {
      {0x7F, "\x7F"},
      {0x80, "\xC2\x80"},
      {0x7FF, "\xDF\xBF"},
      {0x800, "\xE0\xA0\x80"},
      {0xFFFF, "\xEF\xBF\xBF"},
      {0x10000, "\xF0\x90\x80\x80"},
      {0x10FFFF, "\xF4\x8F\xBF\xBF"},
      {0xD800, "\xEF\xBF\xBD"},  // a surrogate alone is no character
      {0xDFFF, "\xEF\xBF\xBD"},
      {0x110000, "\xEF\xBF\xBD"},
  };
  for (const Case& c : cases) {
    std::string out;
    AppendUtf8(out, c.code_point);
    EXPECT_EQ(out, c.bytes) << std::hex << static_cast<uint32_t>(c.code_point);
  }
}

}  // namespace
}  // namespace quillon::text
