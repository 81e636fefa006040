#include "os/KeyPath.h"

namespace quillon::os {

std::string FoldName(std::string_view name) {
  std::string folded(name);
  for (size_t i = 0; i < folded.size(); ++i) {
    const auto byte = static_cast<unsigned char>(folded[i]);
    if (byte >= 'a' && byte <= 'z') {
      folded[i] = static_cast<char>(byte - 0x20);
    } else if (byte == 0xC3 && i + 1 < folded.size()) {
      // 0xC3 only ever leads a two-byte sequence (U+00C0..U+00FF); à-þ map onto À-Þ by
      // clearing one bit of the second byte, except ÷ (U+00F7), which is no letter.
      const auto next = static_cast<unsigned char>(folded[i + 1]);
      if (next >= 0xA0 && next <= 0xBE && next != 0xB7)
        folded[i + 1] = static_cast<char>(next - 0x20);
      ++i;
    }
  }
  return folded;
}

std::optional<KeyPath> KeyPath::Parse(std::string_view path) {
  if (path.find('\0') != std::string_view::npos) return std::nullopt;
  KeyPath parsed;
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = path.find('\\', start);
    if (end == std::string_view::npos) end = path.size();
    if (end > start) {
      std::string_view level = path.substr(start, end - start);
      if (!parsed.folded.empty()) parsed.folded += '\\';
      parsed.folded += FoldName(level);
      parsed.levels.push_back(level);
    }
    start = end + 1;
  }
  return parsed;
}

}  // namespace quillon::os
