#include "sandbox/FormReference.h"

#include <cctype>
#include <charconv>

namespace quillon::sandbox {
namespace {

bool ReadName(std::string_view text, size_t& at, std::string& name) {
  size_t start = at;
  while (at < text.size() &&
         (std::isalnum(static_cast<unsigned char>(text[at])) || text[at] == '_')) {
    ++at;
  }
  name = std::string(text.substr(start, at - start));
  return !name.empty();
}

}  // namespace

std::optional<FormReference> FormReference::Parse(std::string_view text) {
  FormReference reference;
  size_t at = 0;
  if (!ReadName(text, at, reference.form)) return std::nullopt;
  if (at < text.size() && text[at] == '(') {
    size_t close = text.find(')', at);
    if (close == std::string_view::npos) return std::nullopt;
    std::string_view key = text.substr(at + 1, close - at - 1);
    if (key.size() >= 2 && key.front() == '"' && key.back() == '"')
      key = key.substr(1, key.size() - 2);
    reference.key = std::string(key);
    at = close + 1;
  }
  if (at == text.size()) return reference;
  if (text[at] != '.') return std::nullopt;
  ++at;
  if (!ReadName(text, at, reference.control)) return std::nullopt;
  if (at < text.size() && text[at] == '(') {
    size_t close = text.find(')', at);
    if (close == std::string_view::npos || close != text.size() - 1) return std::nullopt;
    std::string_view digits = text.substr(at + 1, close - at - 1);
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string_view::npos) {
      return std::nullopt;
    }
    // An index no control array could have is a reference to nothing, not a reason to throw.
    auto [end, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), reference.index);
    if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
    at = close + 1;
  }
  if (at != text.size()) return std::nullopt;
  return reference;
}

}  // namespace quillon::sandbox
