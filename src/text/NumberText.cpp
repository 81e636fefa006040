#include "text/NumberText.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "text/Strings.h"

namespace quillon::text {

bool ParseNumber(std::string_view text, double& out) {
  text = TrimWhitespace(text);
  if (text.empty()) return false;
  bool negative = false;
  if (text.front() == '+' || text.front() == '-') {
    negative = text.front() == '-';
    text.remove_prefix(1);
    text = TrimWhitespace(text);
  }
  if (text.size() >= 2 && text[0] == '&') {
    int base = 0;
    char kind = static_cast<char>(std::toupper(static_cast<unsigned char>(text[1])));
    if (kind == 'H') base = 16;
    if (kind == 'O') base = 8;
    if (base == 0) return false;
    text.remove_prefix(2);
    if (text.empty() || text.size() > (base == 16 ? 8 : 11)) return false;
    uint64_t value = 0;
    for (char c : text) {
      int digit = std::isdigit(static_cast<unsigned char>(c)) ? c - '0'
                  : std::isxdigit(static_cast<unsigned char>(c))
                      ? std::toupper(static_cast<unsigned char>(c)) - 'A' + 10
                      : 99;
      if (digit >= base) return false;
      value = value * base + digit;
    }
    // Up to four hexadecimal digits is an Integer, more a Long: both wrap to negative.
    double number = value <= 0xFFFF && (base == 16 ? text.size() <= 4 : value <= 0177777)
                        ? static_cast<int16_t>(value)
                        : static_cast<int32_t>(static_cast<uint32_t>(value));
    out = negative ? -number : number;
    return true;
  }
  std::string clean;
  clean.reserve(text.size());
  size_t i = 0;
  bool digits = false;
  while (i < text.size() &&
         (std::isdigit(static_cast<unsigned char>(text[i])) || (text[i] == ',' && digits))) {
    if (text[i] != ',') clean += text[i];
    digits = true;
    ++i;
  }
  if (i < text.size() && text[i] == '.') {
    clean += '.';
    ++i;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
      clean += text[i++];
      digits = true;
    }
  }
  if (!digits) return false;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
    clean += 'e';
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) clean += text[i++];
    bool exponent_digits = false;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
      clean += text[i++];
      exponent_digits = true;
    }
    if (!exponent_digits) return false;
  }
  if (i != text.size()) return false;
  double number = std::strtod(clean.c_str(), nullptr);
  if (!std::isfinite(number)) return false;
  out = negative ? -number : number;
  return true;
}

std::string FormatDouble(double value, int significant_digits) {
  if (value == 0) return "0";
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value > 0 ? "Infinity" : "-Infinity";
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*G", significant_digits, value);
  return buffer;
}

std::string FormatCurrency(int64_t ten_thousandths) {
  bool negative = ten_thousandths < 0;
  uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(ten_thousandths)
                                : static_cast<uint64_t>(ten_thousandths);
  std::string text = std::to_string(magnitude / 10000);
  uint64_t fraction = magnitude % 10000;
  if (fraction != 0) {
    char digits[8];
    std::snprintf(digits, sizeof digits, "%04u", static_cast<unsigned>(fraction));
    std::string decimals = digits;
    while (decimals.back() == '0') decimals.pop_back();
    text += "." + decimals;
  }
  return negative ? "-" + text : text;
}

}  // namespace quillon::text
