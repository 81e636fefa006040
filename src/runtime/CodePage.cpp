#include "runtime/CodePage.h"

#include <array>

namespace quillon::codepage {
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

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

char32_t NextCodePoint(std::string_view s, size_t& pos) {
  auto byte = [&](size_t i) { return static_cast<uint8_t>(s[i]); };
  uint8_t lead = byte(pos);
  size_t length = lead < 0x80           ? 1
                  : (lead >> 5) == 0x6  ? 2
                  : (lead >> 4) == 0xE  ? 3
                  : (lead >> 3) == 0x1E ? 4
                                        : 0;
  if (length == 1) {
    ++pos;
    return lead;
  }
  bool ok = length != 0 && pos + length <= s.size();
  char32_t cp = 0;
  if (ok) {
    cp = length == 2 ? (lead & 0x1F) : length == 3 ? (lead & 0x0F) : (lead & 0x07);
    for (size_t i = 1; i < length && ok; ++i) {
      if ((byte(pos + i) & 0xC0) != 0x80) ok = false;
      cp = (cp << 6) | (byte(pos + i) & 0x3F);
    }
    // Overlong forms and surrogates are not UTF-8.
    static constexpr char32_t kMin[] = {0, 0, 0x80, 0x800, 0x10000};
    if (ok && (cp < kMin[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))) ok = false;
  }
  if (!ok) {
    ++pos;
    return CodePointOfCp1252(lead);
  }
  pos += length;
  return cp;
}

std::u32string DecodeUtf8(std::string_view utf8) {
  std::u32string out;
  out.reserve(utf8.size());
  for (size_t pos = 0; pos < utf8.size();) out += NextCodePoint(utf8, pos);
  return out;
}

std::string EncodeUtf8(std::u32string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char32_t cp : text) AppendUtf8(out, cp);
  return out;
}

std::string Cp1252ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (char c : bytes) AppendUtf8(out, CodePointOfCp1252(static_cast<uint8_t>(c)));
  return out;
}

namespace {

char32_t LowerCp1252Letter(char32_t cp) {
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

}  // namespace

std::string Cp1252Lower(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (size_t pos = 0; pos < utf8.size();) {
    size_t start = pos;
    char32_t cp = NextCodePoint(utf8, pos);
    char32_t lower = LowerCp1252Letter(cp);
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

std::string Utf8ToCp1252(std::string_view utf8, char replacement) {
  std::string out;
  out.reserve(utf8.size());
  for (size_t pos = 0; pos < utf8.size();) {
    int byte = Cp1252ByteOf(NextCodePoint(utf8, pos));
    out += byte >= 0 ? static_cast<char>(byte) : replacement;
  }
  return out;
}

}  // namespace quillon::codepage
