#pragma once
// The text cipher that hides a file-transfer invitation inside ordinary chat text. Six characters
// at a time go through SKIPJACK and come out as sixteen upper-case hexadecimal digits.
//
// Texts are UTF-8 here; the cipher itself works on Windows-1252 bytes, one per character, so that
// both ends agree byte for byte whatever program made the other end. A character that code page
// lacks is enciphered as "?".
#include <string>
#include <string_view>

namespace quillon::privacy {

// The hexadecimal digits of `plain_text` enciphered with `key_text`. The last block is padded
// with blanks to six characters; an empty text gives an empty result.
std::string EncryptText(std::string_view plain_text, std::string_view key_text);

// The text behind every complete 16-digit block of `cipher_text`; a trailing partial block is
// ignored. Never fails: digits that are not hexadecimal count as 0, so malformed input yields
// some well-formed text. Each block's text ends at its first NUL character.
std::string DecryptText(std::string_view cipher_text, std::string_view key_text);

}  // namespace quillon::privacy
