#include "runtime/Metrics.h"

#include <algorithm>
#include <string>
#include <vector>

#include "text/Utf8.h"

namespace quillon::runtime {

namespace {

// Advance widths of a 12 px sans-serif font, each rounded up a little: thin letters and
// punctuation, the widest letters, the other capitals, and the rest (lower case, digits, and
// every letter outside ASCII, which are taken as an average letter).
int CharacterWidth(char32_t c) {
  switch (c) {
    case U'\t':
      return 28;
    case U' ':
    case U'i':
    case U'j':
    case U'l':
    case U'I':
    case U'f':
    case U't':
    case U'r':
    case U'!':
    case U'|':
    case U'.':
    case U',':
    case U':':
    case U';':
    case U'\'':
    case U'`':
    case U'(':
    case U')':
    case U'[':
    case U']':
    case U'/':
    case U'\\':
    case U'-':
      return 4;
    case U'm':
    case U'w':
    case U'M':
    case U'W':
    case U'@':
    case U'%':
      return 11;
    default:
      return c >= U'A' && c <= U'Z' ? 9 : 7;
  }
}

// The text as drawn: the access-key marks go, and the caption splits into its lines.
std::vector<std::u32string> ShownLines(std::string_view caption) {
  std::u32string text = text::DecodeUtf8(caption);
  std::vector<std::u32string> lines(1);
  for (size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (c == U'&') {
      if (i + 1 < text.size() && text[i + 1] == U'&') lines.back() += text[++i];
      continue;
    }
    if (c == U'\r' && i + 1 < text.size() && text[i + 1] == U'\n') continue;
    if (c == U'\n') {
      lines.emplace_back();
      continue;
    }
    lines.back() += c;
  }
  return lines;
}

int Width(std::u32string_view text) {
  int width = 0;
  for (char32_t c : text) width += CharacterWidth(c);
  return width;
}

// Lines one caption line takes wrapped at blanks within `width`.
int WrappedLines(std::u32string_view line, int width) {
  int lines = 1;
  int used = 0;
  size_t start = 0;
  while (start <= line.size()) {
    size_t end = std::min(line.find(U' ', start), line.size());
    std::u32string_view word = line.substr(start, end - start);
    int word_width = Width(word);
    int gap = used == 0 ? 0 : CharacterWidth(U' ');
    if (used + gap + word_width <= width) {
      used += gap + word_width;
    } else {
      if (used > 0) ++lines;
      used = 0;
      // A word wider than the whole line breaks wherever the line is full.
      for (char32_t c : word) {
        int c_width = CharacterWidth(c);
        if (used > 0 && used + c_width > width) {
          ++lines;
          used = 0;
        }
        used += c_width;
      }
    }
    start = end + 1;
  }
  return lines;
}

}  // namespace

int CaptionWidth(std::string_view caption) {
  int widest = 0;
  for (const std::u32string& line : ShownLines(caption)) widest = std::max(widest, Width(line));
  return widest;
}

int CaptionLines(std::string_view caption, int width) {
  if (caption.empty()) return 0;
  int lines = 0;
  for (const std::u32string& line : ShownLines(caption)) lines += WrappedLines(line, width);
  return lines;
}

platform::Rect ClientArea(const platform::Rect& outer, bool title_bar) {
  if (!title_bar) return outer;
  return {outer.left + kBorderWidth, outer.top + kBorderWidth + kTitleBarHeight,
          outer.right - kBorderWidth, outer.bottom - kBorderWidth};
}

}  // namespace quillon::runtime
