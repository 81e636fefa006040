#pragma once
// The invitation a sender types into the chat and the tag in it that the receiving copy of the
// program recognises and deciphers.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quillon::transfer {

// A random invitation number from 1 to 32767, made from `unit_random` in [0, 1).
int InvitationNumber(double unit_random);

// The number as five decimal digits, padded with "0" (7 is "00007").
std::string FormatInvitationNumber(int number);

// " (12kb) ": the size in kilobytes of 1000 bytes, rounded half to even, between blanks.
std::string SizeText(uint64_t file_size);

// The enciphered payload of the tag: the address, "|" and the five-digit number.
std::string InvitationPayload(std::string_view address, int number);

// "[!FileTransfer:" payload "!]".
std::string InvitationTag(std::string_view payload);

struct InvitationPieces {
  std::string contact_name;  // the chat title, already without " is typing" and the like
  std::string file_name;     // without its folder
  uint64_t file_size = 0;
  std::string address;  // the sender's public address
  int number = 0;
};

// The whole chat message announcing a file, ending with its tag.
std::string InvitationText(const InvitationPieces& pieces);

// Where the first tag starts in `markup` and how long it is, through its first "!]". The opening
// is found whatever its letter case, as chat markup is searched everywhere.
struct TagSpan {
  size_t begin = 0;
  size_t length = 0;
};
std::optional<TagSpan> FindInvitationTag(std::string_view markup);

// What a valid tag tells the receiver: where to connect, and the number that marks this
// invitation as seen.
struct InvitationTarget {
  std::string address;
  int number = 0;
};

// Deciphers a tag as found by FindInvitationTag. No value means the tag is invalid: it has no
// ":", its plain text has no "|", or the (up to) five characters after the "|" are not a decimal
// number.
std::optional<InvitationTarget> ParseInvitationTag(std::string_view tag);

}  // namespace quillon::transfer
