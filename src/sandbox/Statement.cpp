#include "sandbox/Statement.h"

#include <cctype>
#include <charconv>

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
  if (!word.empty() && word[0] == '+') ++first;
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
  if (unit == "ms") return number;
  if (unit == "s") return number * 1000;
  if (unit == "m") return number * 60000;
  return std::nullopt;
}

}  // namespace quillon::sandbox
