#include "text/CodePage.h"

#include <array>

#include "text/Utf8.h"

namespace quillon::text {
namespace {

// 0x80..0x9F of Windows-1252; the undefined bytes keep their C1 code points.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

}  // namespace

char32_t CodePointOfCp1252(uint8_t byte) {
  if (byte >= 0x80 && byte <= 0x9F) return kHighControls[byte - 0x80];
  return byte;
}

int Cp1252ByteOf(char32_t code_point) {
  if (code_point < 0x80 || (code_point >= 0xA0 && code_point <= 0xFF)) {
    return static_cast<int>(code_point);
  }
  for (size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] == code_point) return static_cast<int>(0x80 + i);
  }
  return -1;
}

uint32_t CharCodeOf(char32_t code_point) {
  int byte = Cp1252ByteOf(code_point);
  return byte >= 0 ? static_cast<uint32_t>(byte) : static_cast<uint32_t>(code_point);
}

char32_t CodePointOfCharCode(uint32_t code) {
  if (code <= 0xFF) return CodePointOfCp1252(static_cast<uint8_t>(code));
  return static_cast<char32_t>(code);
}

std::string Cp1252ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (char c : bytes) AppendUtf8(out, CodePointOfCp1252(static_cast<uint8_t>(c)));
  return out;
}

std::string Utf8ToCp1252(std::string_view utf8, char replacement) {
  std::string out;
  out.reserve(utf8.size());
  for (size_t pos = 0; pos < utf8.size();) {
    int byte = Cp1252ByteOf(NextCodePoint(utf8, pos));
    out += byte >= 0 ? static_cast<char>(byte) : replacement;
  }
  return out;
}

char32_t Cp1252LowerLetter(char32_t cp) {
  if ((cp >= U'A' && cp <= U'Z') || (cp >= 0xC0 && cp <= 0xDE && cp != 0xD7)) return cp + 0x20;
  switch (cp) {
    case 0x0160:  // Š
    case 0x0152:  // Œ
    case 0x017D:  // Ž
      return cp + 1;
    case 0x0178:  // Ÿ
      return 0xFF;
    default:
      return cp;
  }
}

char32_t Cp1252UpperLetter(char32_t cp) {
  if ((cp >= U'a' && cp <= U'z') || (cp >= 0xE0 && cp <= 0xFE && cp != 0xF7)) return cp - 0x20;
  switch (cp) {
    case 0x0161:  // š
    case 0x0153:  // œ
    case 0x017E:  // ž
      return cp - 1;
    case 0x00FF:  // ÿ
      return 0x0178;
    default:
      return cp;
  }
}

std::string Cp1252Lower(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (size_t pos = 0; pos < utf8.size();) {
    size_t start = pos;
    char32_t cp = NextCodePoint(utf8, pos);
    char32_t lower = Cp1252LowerLetter(cp);
    // Only a well-formed letter is rewritten; a malformed byte decodes as a Windows-1252
    // character but is not one, so it is copied unchanged.
    bool well_formed = pos - start > 1 || static_cast<uint8_t>(utf8[start]) < 0x80;
    if (lower != cp && well_formed) {
      AppendUtf8(out, lower);
    } else {
      out.append(utf8.substr(start, pos - start));
    }
  }
  return out;
}

}  // namespace quillon::text
