#include "sandbox/Statement.h"

#include <cctype>
#include <charconv>
#include <limits>

namespace quillon::sandbox {

const std::string& Statement::At(size_t i) const {
  static const std::string kNone;
  return i < words.size() ? words[i].text : kNone;
}

bool Statement::Is(size_t i, std::string_view bare) const {
  return i < words.size() && !words[i].quoted && words[i].text == bare;
}

std::optional<int> ParseNumber(std::string_view word) {
  int value = 0;
  const char* first = word.data();
  // One sign at most: "+-5" is not a number.
  if (!word.empty() && word[0] == '+') {
    if (word.size() > 1 && word[1] == '-') return std::nullopt;
    ++first;
  }
  auto [end, error] = std::from_chars(first, word.data() + word.size(), value);
  if (word.empty() || error != std::errc() || end != word.data() + word.size()) return std::nullopt;
  return value;
}

std::optional<uint64_t> ParseDuration(std::string_view word) {
  size_t digits = 0;
  while (digits < word.size() && std::isdigit(static_cast<unsigned char>(word[digits]))) ++digits;
  if (digits == 0) return std::nullopt;
  uint64_t number = 0;
  auto [end, error] = std::from_chars(word.data(), word.data() + digits, number);
  if (error != std::errc()) return std::nullopt;
  std::string_view unit = word.substr(digits);
  uint64_t scale = unit == "ms" ? 1 : unit == "s" ? 1000 : unit == "m" ? 60000 : 0;
  // A duration too long to count in milliseconds is refused rather than wrapped round to a short
  // one.
  if (scale == 0 || number > std::numeric_limits<uint64_t>::max() / scale) return std::nullopt;
  return number * scale;
}

}  // namespace quillon::sandbox
