#pragma once
// Reading and writing UTF-8, the program's own text. Decoding never fails: a malformed sequence
// yields its first byte read as Windows-1252 (the text most likely came from an "ANSI" source),
// and decoding goes on after it, so no byte of the input is ever lost.
#include <string>
#include <string_view>

namespace quillon::text {

std::u32string DecodeUtf8(std::string_view utf8);
std::string EncodeUtf8(std::u32string_view text);

// Appends one code point; a surrogate or a value past U+10FFFF is written as U+FFFD, since no
// UTF-8 reader would accept it.
void AppendUtf8(std::string& out, char32_t code_point);

// Reads one code point at `pos` and advances `pos` past it (by one byte for a malformed one).
char32_t NextCodePoint(std::string_view utf8, size_t& pos);

// True when every byte belongs to a well-formed character (no overlong forms, no surrogates,
// nothing past U+10FFFF): the test for text that may be either UTF-8 or Windows-1252.
bool IsValidUtf8(std::string_view bytes);

// True for the bytes that continue a character rather than start one: a cut before such a byte
// would split the character.
inline bool IsUtf8Continuation(char byte) {
  return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

}  // namespace quillon::text
