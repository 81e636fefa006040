#include <gtest/gtest.h>

#include "privacy/TextCipher.h"
#include "transfer/Invitation.h"
#include "transfer/Protocol.h"

namespace quillon::transfer {
namespace {

TEST(InvitationTest, NumberIsOneTo32767InFiveDigits) {
  EXPECT_EQ(InvitationNumber(0.0), 1);
  EXPECT_EQ(InvitationNumber(0.99999999), 32767);
  EXPECT_EQ(InvitationNumber(0.5), 16384);
  EXPECT_EQ(FormatInvitationNumber(7), "00007");
  EXPECT_EQ(FormatInvitationNumber(42), "00042");
  EXPECT_EQ(FormatInvitationNumber(32767), "32767");
}

TEST(InvitationTest, SizeTextRoundsKilobytesHalfToEven) {
  EXPECT_EQ(SizeText(12345), " (12kb) ");
  EXPECT_EQ(SizeText(999), " (1kb) ");
  EXPECT_EQ(SizeText(500), " (0kb) ");
  EXPECT_EQ(SizeText(1500), " (2kb) ");
  EXPECT_EQ(SizeText(2500), " (2kb) ");
  EXPECT_EQ(SizeText(0), " (0kb) ");
  EXPECT_EQ(SizeText(5'000'000'000'000), " (5000000000kb) ");
}

TEST(InvitationTest, TextHasItsTenPiecesAndATagThatParsesBack) {
  const InvitationPieces pieces{"Ann", "notes.txt", 12345, "81.2.69.160", 42};
  const std::string tag = InvitationTag(InvitationPayload("81.2.69.160", 42));
  EXPECT_EQ(InvitationText(pieces),
            "Ann, you are being sent: _notes.txt_ (12kb)  through Quillon.  To receive this "
            "file, connect to: *81.2.69.160*\r\n" +
                tag);
  // "81.2.69.160|00042" is 17 characters: three cipher blocks.
  EXPECT_EQ(tag.size(), kTagOpen.size() + 48 + kTagClose.size());

  const std::string markup = "<P>Ann: " + InvitationText(pieces) + " trailing !] text";
  const auto span = FindInvitationTag(markup);
  ASSERT_TRUE(span.has_value());
  EXPECT_EQ(markup.substr(span->begin, span->length), tag);
  const auto target = ParseInvitationTag(tag);
  ASSERT_TRUE(target.has_value());
  EXPECT_EQ(target->address, "81.2.69.160");
  EXPECT_EQ(target->number, 42);
}

TEST(InvitationTest, TagIsFoundWhateverItsCaseAndNeedsItsEnd) {
  EXPECT_FALSE(FindInvitationTag("no tag here").has_value());
  EXPECT_FALSE(FindInvitationTag("[!FileTransfer:0123 without end").has_value());
  const auto span = FindInvitationTag("x!] [!filetransfer:AB!] [!FileTransfer:CD!]");
  ASSERT_TRUE(span.has_value());
  EXPECT_EQ(span->begin, 4u);
  EXPECT_EQ(span->length, 19u);
}

std::string TagOf(std::string_view plain) {
  return InvitationTag(privacy::EncryptText(plain, kInvitationKey));
}

TEST(InvitationTest, TagsWithoutAddressBarAndNumberAreInvalid) {
  EXPECT_FALSE(ParseInvitationTag(TagOf("1.2.3.4 00042")).has_value());
  EXPECT_FALSE(ParseInvitationTag(TagOf("1.2.3.4|")).has_value());
  EXPECT_FALSE(ParseInvitationTag(TagOf("1.2.3.4|4x042")).has_value());
  EXPECT_FALSE(ParseInvitationTag(TagOf("1.2.3.4|-0042")).has_value());
  EXPECT_FALSE(ParseInvitationTag(TagOf("1.2.3.4|1e3")).has_value());
  EXPECT_FALSE(ParseInvitationTag("[!FileTransfer:!]").has_value());
  EXPECT_FALSE(ParseInvitationTag("[!FileTransfer:garbage that is not hex!]").has_value());
  EXPECT_FALSE(ParseInvitationTag("no colon").has_value());
  EXPECT_FALSE(ParseInvitationTag("").has_value());
  // Only five characters after the bar count, and the padding blanks do not spoil a number.
  const auto long_number = ParseInvitationTag(TagOf("host|1234567"));
  ASSERT_TRUE(long_number.has_value());
  EXPECT_EQ(long_number->number, 12345);
  const auto short_number = ParseInvitationTag(TagOf("h|7"));
  ASSERT_TRUE(short_number.has_value());
  EXPECT_EQ(short_number->address, "h");
  EXPECT_EQ(short_number->number, 7);
}

}  // namespace
}  // namespace quillon::transfer
