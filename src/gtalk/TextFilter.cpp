#include "gtalk/TextFilter.h"

#include <array>
#include <utility>

namespace quillon::gtalk {
namespace {

// Leet: lower-case letters only, tested in this order.
constexpr std::array<std::pair<char, char>, 7> kLeet = {
    {{'l', '1'}, {'t', '7'}, {'e', '3'}, {'s', '5'}, {'g', '6'}, {'o', '0'}, {'a', '4'}}};

// Cool: each lower-case letter and the Windows-1252 code it becomes.
constexpr std::array<uint8_t, 26> kCool = {0xC0, 0xDF, 0xA9, 0xD0, 0xCB, 0x83, 0x47, 0x48, 0xCE,
                                           0x6A, 0x6B, 0xA3, 0x6D, 0xD1, 0xD8, 0xFE, 0xB6, 0xAE,
                                           0xA7, 0x74, 0xB5, 0x76, 0x77, 0xD7, 0xA5, 0x7A};

// PlainText's replacements, in order (effect characters as UTF-8).
constexpr std::array<std::pair<std::string_view, std::string_view>, 26> kPlain = {{
    {"À", "a"}, {"ß", "b"}, {"©", "c"}, {"Ð", "d"}, {"Ë", "e"}, {"ƒ", "f"}, {"G", "g"},
    {"H", "h"}, {"Î", "i"}, {"£", "l"}, {"Ñ", "n"}, {"Ø", "o"}, {"þ", "p"}, {"¶", "q"},
    {"®", "r"}, {"§", "s"}, {"µ", "u"}, {"×", "x"}, {"¥", "y"}, {"1", "l"}, {"7", "t"},
    {"3", "e"}, {"5", "s"}, {"6", "g"}, {"0", "o"}, {"4", "a"},
}};

}  // namespace

std::string TextFilter::FilterName(int filter) {
  if (filter == 1) return "1337Text";
  if (filter == 2) return "CoolText";
  return {};
}

uint32_t TextFilter::Apply(std::string_view setting, uint32_t code) {
  if (setting == "CoolText") {
    if (code >= 'a' && code <= 'z') return kCool[code - 'a'];
  } else if (setting == "1337Text") {
    for (auto [typed, becomes] : kLeet) {
      if (code == static_cast<uint32_t>(typed)) return static_cast<uint32_t>(becomes);
    }
  }
  return code;
}

std::string TextFilter::PlainText(std::string_view text) {
  std::string result(text);
  for (auto [from, to] : kPlain) {
    for (size_t at = result.find(from); at != std::string::npos;
         at = result.find(from, at + to.size())) {
      result.replace(at, from.size(), to);
    }
  }
  return result;
}

}  // namespace quillon::gtalk
