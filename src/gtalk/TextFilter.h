#pragma once
// The letter filters applied while typing (leet digits, look-alike accented letters) and the way
// back from effect characters to plain letters, so commands typed with a filter on are still
// recognised.
#include <cstdint>
#include <string>
#include <string_view>

namespace quillon::gtalk {

class TextFilter {
 public:
  // The setting text of a filter number: 1 "1337Text", 2 "CoolText", anything else "".
  static std::string FilterName(int filter);
  // The character code a typed code becomes under the filter named by `setting` (the value of
  // 1337Filter); codes are as WM_CHAR carries them (Windows-1252 where it has the character).
  static uint32_t Apply(std::string_view setting, uint32_t code);
  // Effect characters back to plain letters, in the fixed order of replacements (UTF-8 text).
  static std::string PlainText(std::string_view text);
};

}  // namespace quillon::gtalk
