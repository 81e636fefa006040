#pragma once
// Text is UTF-8 everywhere inside the program. The outside world sometimes speaks Windows-1252
// ("ANSI"): typed character codes, plugin and custom-image files, the file-transfer messages and
// the cipher's bytes. Those boundaries convert here, and only here.
#include <cstdint>
#include <string>
#include <string_view>

namespace quillon::text {

// Windows-1252 bytes to UTF-8. The five bytes the code page leaves undefined (0x81, 0x8D, 0x8F,
// 0x90, 0x9D) map to the C1 control of the same number, as Windows does.
std::string Cp1252ToUtf8(std::string_view bytes);

// UTF-8 to Windows-1252 bytes. A character the code page lacks becomes `replacement`; malformed
// UTF-8 is read byte by byte as Windows-1252.
std::string Utf8ToCp1252(std::string_view utf8, char replacement = '?');

// The Windows-1252 byte of a code point, or -1 when the code page has no such character.
int Cp1252ByteOf(char32_t code_point);

// The code point of a Windows-1252 byte.
char32_t CodePointOfCp1252(uint8_t byte);

// The code a typed character carries in WM_CHAR: its Windows-1252 byte when the code page has
// it (so "ƒ" is 0x83 and "©" is 0xA9), its code point otherwise.
uint32_t CharCodeOf(char32_t code_point);

// The character a WM_CHAR code stands for (the inverse of CharCodeOf).
char32_t CodePointOfCharCode(uint32_t code);

// The small and capital forms of the code page's letters: A-Z, the accented letters (À to Þ
// and à to þ, not × or ÷), Š, Œ, Ž and Ÿ. Any other character comes back as it is, ß and ƒ
// included, which have no other form in the code page.
char32_t Cp1252LowerLetter(char32_t code_point);
char32_t Cp1252UpperLetter(char32_t code_point);

// The text in lower case as the code page knows its letters. Every other character, and any
// malformed byte, stays as it is, so every byte offset in the result is one in the text.
std::string Cp1252Lower(std::string_view utf8);

}  // namespace quillon::text
