#include "vbscript/Text.h"

#include "text/CodePage.h"
#include "text/Utf8.h"

namespace quillon::vbscript::text {
namespace {

bool IsAscii(std::string_view s) {
  for (char c : s) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

using quillon::text::AppendUtf8;
using quillon::text::NextCodePoint;

char32_t ToUpper(char32_t c) { return quillon::text::Cp1252UpperLetter(c); }
char32_t ToLower(char32_t c) { return quillon::text::Cp1252LowerLetter(c); }

}  // namespace

size_t CharCount(std::string_view s) {
  size_t count = 0;
  for (size_t pos = 0; pos < s.size();) {
    NextCodePoint(s, pos);
    ++count;
  }
  return count;
}

size_t ByteOffset(std::string_view s, size_t chars) {
  if (IsAscii(s)) return chars < s.size() ? chars : s.size();
  size_t pos = 0;
  for (size_t i = 0; i < chars && pos < s.size(); ++i) NextCodePoint(s, pos);
  return pos;
}

size_t CharIndex(std::string_view s, size_t bytes) {
  return CharCount(s.substr(0, bytes < s.size() ? bytes : s.size()));
}

std::string_view CharSlice(std::string_view s, size_t start, size_t count) {
  size_t begin = ByteOffset(s, start);
  std::string_view rest = s.substr(begin);
  return rest.substr(0, ByteOffset(rest, count));
}

char32_t FoldCase(char32_t c) { return ToLower(c); }

std::string Upper(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (size_t pos = 0; pos < s.size();) AppendUtf8(out, ToUpper(NextCodePoint(s, pos)));
  return out;
}

std::string Lower(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (size_t pos = 0; pos < s.size();) AppendUtf8(out, ToLower(NextCodePoint(s, pos)));
  return out;
}

int Compare(std::string_view a, std::string_view b, bool ignore_case) {
  if (!ignore_case) {
    int c = a.compare(b);
    return c < 0 ? -1 : c > 0 ? 1 : 0;
  }
  size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    char32_t x = ToLower(NextCodePoint(a, i));
    char32_t y = ToLower(NextCodePoint(b, j));
    if (x != y) return x < y ? -1 : 1;
  }
  if (i < a.size()) return 1;
  if (j < b.size()) return -1;
  return 0;
}

size_t Find(std::string_view haystack, std::string_view needle, size_t from, bool ignore_case) {
  if (from > haystack.size()) return std::string_view::npos;
  if (!ignore_case) return haystack.find(needle, from);
  // Folding keeps the byte length of every character it changes and leaves malformed bytes as
  // they are, so offsets in the folded text are offsets in the text.
  return quillon::text::Cp1252Lower(haystack).find(quillon::text::Cp1252Lower(needle), from);
}

size_t FindLast(std::string_view haystack, std::string_view needle, size_t before_end,
                bool ignore_case) {
  if (needle.size() > before_end) return std::string_view::npos;
  size_t start = before_end - needle.size();
  if (!ignore_case) return haystack.rfind(needle, start);
  return quillon::text::Cp1252Lower(haystack).rfind(quillon::text::Cp1252Lower(needle), start);
}

}  // namespace quillon::vbscript::text
