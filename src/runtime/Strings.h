#pragma once
// Small text helpers the program's parts share.
#include <string>
#include <string_view>

namespace quillon::runtime {

// ASCII letters to lower case; every other byte (UTF-8 included) as it is.
inline std::string AsciiLower(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

// Without the blanks at either end.
inline std::string TrimBlanks(std::string_view text) {
  size_t start = text.find_first_not_of(' ');
  if (start == std::string_view::npos) return {};
  size_t end = text.find_last_not_of(' ');
  return std::string(text.substr(start, end - start + 1));
}

}  // namespace quillon::runtime
