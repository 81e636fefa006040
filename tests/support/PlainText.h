#pragma once
// The slow, obvious ways of doing what the fast text searches do, for tests that check the fast
// ones against them on text built at random from the pieces that matter.
#include <algorithm>
#include <cstddef>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace quillon::testing_support {

inline char PlainLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Where `what` first stands in `text` from `from` on, ASCII letters compared without case.
inline size_t PlainFindNoCase(std::string_view text, std::string_view what, size_t from) {
  if (from > text.size()) return std::string_view::npos;
  auto it = std::search(text.begin() + static_cast<std::ptrdiff_t>(from), text.end(), what.begin(),
                        what.end(), [](char a, char b) { return PlainLower(a) == PlainLower(b); });
  return it == text.end() && !what.empty() ? std::string_view::npos
                                           : static_cast<size_t>(it - text.begin());
}

// `count` pieces drawn at random, one after another.
inline std::string Pieces(std::mt19937& random, const std::vector<std::string>& pieces,
                          size_t count) {
  std::string text;
  for (size_t i = 0; i < count; ++i) text += pieces[random() % pieces.size()];
  return text;
}

}  // namespace quillon::testing_support
