#include <gtest/gtest.h>

#include <random>

#include "privacy/TextCipher.h"
#include "text/CodePage.h"
#include "text/Utf8.h"

namespace quillon::privacy {
namespace {

constexpr std::string_view kKey = "rM51X9";

TEST(TextCipherTest, MatchesTheKnownTextValues) {
  EXPECT_EQ(EncryptText("abcdef", kKey), "7CF2F22F53E5C61B");
  EXPECT_EQ(EncryptText("abcdefg", kKey), "7CF2F22F53E5C61B55BABD8836916E4F");
  EXPECT_EQ(DecryptText("7CF2F22F53E5C61B55BABD8836916E4F", kKey), "abcdefg     ");
  // Lower-case digits read the same; a trailing partial block is ignored.
  EXPECT_EQ(DecryptText("7cf2f22f53e5c61b55BA", kKey), "abcdef");
  EXPECT_EQ(EncryptText("", kKey), "");
  EXPECT_EQ(DecryptText("7CF2F22F53E5C61", kKey), "");
}

TEST(TextCipherTest, KeyTextIsReadAsHexPairsWithOtherCharactersAsZero) {
  // "rM51X9" is the key 00 51 09 followed by zero bytes, as is "005109" spelled out in full.
  EXPECT_EQ(EncryptText("abcdef", "005109"), EncryptText("abcdef", kKey));
  EXPECT_EQ(EncryptText("abcdef", "00510900000000000000"), EncryptText("abcdef", kKey));
  EXPECT_NE(EncryptText("abcdef", "005108"), EncryptText("abcdef", kKey));
}

// Random texts of Windows-1252 characters (without NUL, which ends a block) of every length come
// back with blanks padding the last block to six characters.
TEST(TextCipherTest, RoundTripsEveryLengthUpToAHundred) {
  std::mt19937 rng(1129);
  for (size_t length = 0; length <= 100; ++length) {
    std::string bytes;
    for (size_t i = 0; i < length; ++i) bytes += static_cast<char>(1 + rng() % 255);
    const std::string text = text::Cp1252ToUtf8(bytes);
    const std::string cipher = EncryptText(text, kKey);
    ASSERT_EQ(cipher.size(), 16 * ((length + 5) / 6));
    ASSERT_EQ(cipher.find_first_not_of("0123456789ABCDEF"), std::string::npos);
    const std::string padding((6 - length % 6) % 6, ' ');
    ASSERT_EQ(DecryptText(cipher, kKey), text + padding) << "length " << length;
  }
}

TEST(TextCipherTest, CharactersOutsideTheCodePageBecomeQuestionMarks) {
  EXPECT_EQ(DecryptText(EncryptText("a\u4e2db\u00e9", kKey), kKey), "a?b\u00e9  ");
}

TEST(TextCipherTest, MalformedCipherTextStillDecryptsToWellFormedText) {
  std::mt19937 rng(3);
  for (int i = 0; i < 500; ++i) {
    std::string junk(rng() % 80, ' ');
    for (auto& c : junk) c = static_cast<char>(rng());
    const std::string plain = DecryptText(junk, kKey);
    // The result is valid UTF-8: it survives a decode and encode unchanged.
    ASSERT_EQ(text::EncodeUtf8(text::DecodeUtf8(plain)), plain);
    ASSERT_EQ(plain.find('\0'), std::string::npos);
  }
  // Non-hexadecimal digits count as 0, so these two read alike.
  EXPECT_EQ(DecryptText("zz00xx00yy00ww00", kKey), DecryptText("0000000000000000", kKey));
}

}  // namespace
}  // namespace quillon::privacy
