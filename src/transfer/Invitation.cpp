#include "transfer/Invitation.h"

#include <algorithm>
#include <cmath>

#include "privacy/TextCipher.h"
#include "text/Strings.h"
#include "transfer/Protocol.h"

namespace quillon::transfer {
namespace {

// The number after "|": decimal digits, perhaps followed by the blanks that pad the cipher's last
// block. Signs, fractions and exponents never come from a sender, so they make the tag invalid.
std::optional<int> ParseNumber(std::string_view text) {
  const size_t last = text.find_last_not_of(' ');
  text = last == std::string_view::npos ? std::string_view() : text.substr(0, last + 1);
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return std::nullopt;
  text.remove_prefix(first);
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

}  // namespace

int InvitationNumber(double unit_random) {
  // The default floating-point rounding is to nearest with halves to even.
  const double number = std::nearbyint(unit_random * 32766.0 + 1.0);
  return static_cast<int>(std::clamp(number, 1.0, 32767.0));
}

std::string FormatInvitationNumber(int number) {
  std::string digits = std::to_string(number);
  if (digits.size() < 5) digits.insert(0, 5 - digits.size(), '0');
  return digits;
}

std::string SizeText(uint64_t file_size) {
  uint64_t kb = file_size / 1000;
  const uint64_t rest = file_size % 1000;
  if (rest > 500 || (rest == 500 && kb % 2 == 1)) ++kb;
  return " (" + std::to_string(kb) + "kb) ";
}

std::string InvitationPayload(std::string_view address, int number) {
  std::string plain(address);
  plain += '|';
  plain += FormatInvitationNumber(number);
  return privacy::EncryptText(plain, kInvitationKey);
}

std::string InvitationTag(std::string_view payload) {
  std::string tag(kTagOpen);
  tag += payload;
  tag += kTagClose;
  return tag;
}

std::string InvitationText(const InvitationPieces& pieces) {
  std::string text = pieces.contact_name;
  text += ", you are being sent: _";
  text += pieces.file_name;
  text += "_";
  text += SizeText(pieces.file_size);
  text += " through Quillon.  To receive this file, connect to: *";
  text += pieces.address;
  text += "*\r\n";
  text += InvitationTag(InvitationPayload(pieces.address, pieces.number));
  return text;
}

std::optional<TagSpan> FindInvitationTag(std::string_view markup) {
  const size_t begin = text::FindAsciiNoCase(markup, kTagOpen, 0);
  if (begin == std::string_view::npos) return std::nullopt;
  const size_t close = markup.find(kTagClose, begin);
  if (close == std::string_view::npos) return std::nullopt;
  return TagSpan{begin, close + kTagClose.size() - begin};
}

std::optional<InvitationTarget> ParseInvitationTag(std::string_view tag) {
  const size_t colon = tag.find(':');
  if (colon == std::string_view::npos) return std::nullopt;
  // The payload ends before the last two characters, the closing "!]".
  const size_t end = tag.size() >= 2 ? tag.size() - 2 : 0;
  const std::string_view payload =
      colon + 1 < end ? tag.substr(colon + 1, end - colon - 1) : std::string_view();
  const std::string plain = privacy::DecryptText(payload, kInvitationKey);
  const size_t bar = plain.find('|');
  if (bar == std::string::npos) return std::nullopt;
  const std::optional<int> number = ParseNumber(std::string_view(plain).substr(bar + 1, 5));
  if (!number) return std::nullopt;
  return InvitationTarget{plain.substr(0, bar), *number};
}

}  // namespace quillon::transfer
