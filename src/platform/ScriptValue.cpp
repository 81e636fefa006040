#include "platform/ScriptValue.h"

#include <cassert>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <span>
#include <vector>

#include "platform/ScriptArray.h"
#include "platform/ScriptDate.h"
#include "platform/ScriptObject.h"

namespace quillon::platform {
namespace {

constexpr int kTypeMismatch = 13;
constexpr int kOverflow = 6;
constexpr int kInvalidUseOfNull = 94;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

// Reads the default property of an object, which is what a conversion of an object converts.
int DefaultValue(const std::shared_ptr<ScriptObject>& object, ScriptValue& out) {
  if (!object) return 91;  // Object variable not set
  ScriptStatus status = object->Invoke("", ScriptCall::kPropertyGet, {}, out);
  if (!status.ok()) return status.number;
  if (out.IsObject()) return kTypeMismatch;
  return 0;
}

double RoundHalfEven(double value) {
  double rounded = std::nearbyint(value);  // the default rounding mode is to nearest, ties even
  return rounded;
}

}  // namespace

ScriptValue ScriptValue::Null() { return Integral(ScriptType::kNull, 0); }
ScriptValue ScriptValue::Boolean(bool value) {
  return Integral(ScriptType::kBoolean, value ? 1 : 0);
}
ScriptValue ScriptValue::Byte(uint8_t value) { return Integral(ScriptType::kByte, value); }
ScriptValue ScriptValue::Integer(int16_t value) { return Integral(ScriptType::kInteger, value); }
ScriptValue ScriptValue::Long(int32_t value) { return Integral(ScriptType::kLong, value); }
ScriptValue ScriptValue::Single(float value) {
  return Real(ScriptType::kSingle, static_cast<double>(value));
}
ScriptValue ScriptValue::Double(double value) { return Real(ScriptType::kDouble, value); }
ScriptValue ScriptValue::Currency(int64_t ten_thousandths) {
  return Integral(ScriptType::kCurrency, ten_thousandths);
}
ScriptValue ScriptValue::Date(double serial) { return Real(ScriptType::kDate, serial); }
ScriptValue ScriptValue::String(std::string text) {
  return Referring(ScriptType::kString, std::move(text));
}
ScriptValue ScriptValue::Object(std::shared_ptr<ScriptObject> object) {
  return Referring(ScriptType::kObject, std::move(object));
}
ScriptValue ScriptValue::Nothing() {
  return Referring(ScriptType::kObject, std::shared_ptr<ScriptObject>());
}
ScriptValue ScriptValue::Array(std::shared_ptr<ScriptArray> array) {
  assert(array);
  return Referring(ScriptType::kArray, std::move(array));
}
ScriptValue ScriptValue::Missing() { return Integral(ScriptType::kError, 0); }

bool ScriptValue::IsNumber() const {
  switch (type_) {
    case ScriptType::kByte:
    case ScriptType::kInteger:
    case ScriptType::kLong:
    case ScriptType::kSingle:
    case ScriptType::kDouble:
    case ScriptType::kCurrency:
      return true;
    default:
      return false;
  }
}

bool ScriptValue::BooleanValue() const {
  assert(type_ == ScriptType::kBoolean);
  return number_.integer != 0;
}

int32_t ScriptValue::IntegerValue() const {
  assert(type_ == ScriptType::kByte || type_ == ScriptType::kInteger || type_ == ScriptType::kLong);
  return static_cast<int32_t>(number_.integer);
}

double ScriptValue::DoubleValue() const {
  assert(type_ == ScriptType::kSingle || type_ == ScriptType::kDouble ||
         type_ == ScriptType::kDate);
  return number_.real;
}

int64_t ScriptValue::CurrencyValue() const {
  assert(type_ == ScriptType::kCurrency);
  return number_.integer;
}

const std::string& ScriptValue::StringValue() const {
  assert(type_ == ScriptType::kString);
  return std::get<std::string>(heavy_);
}

std::string& ScriptValue::MutableString() {
  assert(type_ == ScriptType::kString);
  return std::get<std::string>(heavy_);
}

const std::shared_ptr<ScriptObject>& ScriptValue::ObjectValue() const {
  assert(type_ == ScriptType::kObject);
  return std::get<std::shared_ptr<ScriptObject>>(heavy_);
}

const std::shared_ptr<ScriptArray>& ScriptValue::ArrayValue() const {
  assert(type_ == ScriptType::kArray);
  return std::get<std::shared_ptr<ScriptArray>>(heavy_);
}

int ScriptValue::ToText(std::string& out) const {
  switch (type_) {
    case ScriptType::kEmpty:
      out.clear();
      return 0;
    case ScriptType::kNull:
      return kInvalidUseOfNull;
    case ScriptType::kBoolean:
      out = BooleanValue() ? "True" : "False";
      return 0;
    case ScriptType::kByte:
    case ScriptType::kInteger:
    case ScriptType::kLong:
      out = std::to_string(IntegerValue());
      return 0;
    case ScriptType::kSingle:
      out = FormatDouble(DoubleValue(), 7);
      return 0;
    case ScriptType::kDouble:
      out = FormatDouble(DoubleValue());
      return 0;
    case ScriptType::kCurrency:
      out = FormatCurrency(CurrencyValue());
      return 0;
    case ScriptType::kDate:
      out = FormatDate(DoubleValue());
      return 0;
    case ScriptType::kString:
      out = StringValue();
      return 0;
    case ScriptType::kObject: {
      ScriptValue value;
      if (int error = DefaultValue(ObjectValue(), value)) return error;
      return value.ToText(out);
    }
    default:
      return kTypeMismatch;
  }
}

int ScriptValue::ToDouble(double& out) const {
  switch (type_) {
    case ScriptType::kEmpty:
      out = 0;
      return 0;
    case ScriptType::kNull:
      return kInvalidUseOfNull;
    case ScriptType::kBoolean:
      out = BooleanValue() ? -1 : 0;
      return 0;
    case ScriptType::kByte:
    case ScriptType::kInteger:
    case ScriptType::kLong:
      out = IntegerValue();
      return 0;
    case ScriptType::kSingle:
    case ScriptType::kDouble:
    case ScriptType::kDate:
      out = DoubleValue();
      return 0;
    case ScriptType::kCurrency:
      out = static_cast<double>(CurrencyValue()) / 10000.0;
      return 0;
    case ScriptType::kString:
      return ParseNumber(StringValue(), out) ? 0 : kTypeMismatch;
    case ScriptType::kObject: {
      ScriptValue value;
      if (int error = DefaultValue(ObjectValue(), value)) return error;
      return value.ToDouble(out);
    }
    default:
      return kTypeMismatch;
  }
}

int ScriptValue::ToLong(int32_t& out) const {
  if (type_ == ScriptType::kByte || type_ == ScriptType::kInteger || type_ == ScriptType::kLong) {
    out = static_cast<int32_t>(number_.integer);
    return 0;
  }
  if (type_ == ScriptType::kBoolean) {
    out = BooleanValue() ? -1 : 0;  // True is all bits set
    return 0;
  }
  double number = 0;
  if (int error = ToDouble(number)) return error;
  double rounded = RoundHalfEven(number);
  if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0)) return kOverflow;
  out = static_cast<int32_t>(rounded);
  return 0;
}

int ScriptValue::ToBoolean(bool& out) const {
  switch (type_) {
    case ScriptType::kBoolean:
      out = BooleanValue();
      return 0;
    case ScriptType::kString: {
      // "#TRUE#" and "#FALSE#" are how a Boolean is written in files and reports.
      std::string_view text = Trim(StringValue());
      if (EqualsNoCase(text, "true") || EqualsNoCase(text, "#true#")) {
        out = true;
        return 0;
      }
      if (EqualsNoCase(text, "false") || EqualsNoCase(text, "#false#")) {
        out = false;
        return 0;
      }
      double number = 0;
      if (!ParseNumber(text, number)) return kTypeMismatch;
      out = number != 0;
      return 0;
    }
    case ScriptType::kObject: {
      ScriptValue value;
      if (int error = DefaultValue(ObjectValue(), value)) return error;
      return value.ToBoolean(out);
    }
    default: {
      double number = 0;
      if (int error = ToDouble(number)) return error;
      out = number != 0;
      return 0;
    }
  }
}

int ScriptValue::ToDate(double& out) const {
  if (type_ == ScriptType::kString) {
    if (ParseDate(StringValue(), out)) return 0;
    double number = 0;
    if (!ParseNumber(StringValue(), number)) return kTypeMismatch;
    out = number;
  } else if (type_ == ScriptType::kObject) {
    ScriptValue value;
    if (int error = DefaultValue(ObjectValue(), value)) return error;
    return value.ToDate(out);
  } else if (int error = ToDouble(out)) {
    return error;
  }
  if (!(out > kScriptDateMin - 1 && out < kScriptDateEnd)) return kOverflow;
  return 0;
}

int ScriptValue::ToCurrency(int64_t& out) const {
  if (type_ == ScriptType::kCurrency) {
    out = CurrencyValue();
    return 0;
  }
  double number = 0;
  if (int error = ToDouble(number)) return error;
  double scaled = RoundHalfEven(number * 10000.0);
  if (!(std::fabs(scaled) < 9.2233720368547e18)) return kOverflow;
  out = static_cast<int64_t>(scaled);
  return 0;
}

std::string ScriptValue::Text() const {
  std::string text;
  if (ToText(text) != 0) text.clear();
  return text;
}

double ScriptValue::Number() const {
  double number = 0;
  if (ToDouble(number) != 0) number = 0;
  return number;
}

bool ScriptValue::Truth() const {
  bool truth = false;
  if (ToBoolean(truth) != 0) truth = false;
  return truth;
}

bool ScriptValue::ParseNumber(std::string_view text, double& out) {
  text = Trim(text);
  if (text.empty()) return false;
  bool negative = false;
  if (text.front() == '+' || text.front() == '-') {
    negative = text.front() == '-';
    text.remove_prefix(1);
    text = Trim(text);
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

namespace {

struct DateToken {
  enum Kind { kNumber, kWord, kSeparator } kind;
  std::string text;
  int number = 0;
};

int MonthOfName(std::string_view word) {
  static constexpr const char* kMonths[] = {"january",   "february", "march",    "april",
                                            "may",       "june",     "july",     "august",
                                            "september", "october",  "november", "december"};
  if (word.size() < 3) return 0;
  for (int m = 0; m < 12; ++m) {
    std::string_view name = kMonths[m];
    if (word.size() <= name.size() && EqualsNoCase(word, name.substr(0, word.size()))) return m + 1;
  }
  return 0;
}

bool IsWeekdayName(std::string_view word) {
  static constexpr const char* kDays[] = {"sunday",   "monday", "tuesday", "wednesday",
                                          "thursday", "friday", "saturday"};
  if (word.size() < 3) return false;
  for (const char* day : kDays) {
    std::string_view name = day;
    if (word.size() <= name.size() && EqualsNoCase(word, name.substr(0, word.size()))) return true;
  }
  return false;
}

bool ValidDate(int year, int month, int day) {
  return year >= 100 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
         day <= DaysInMonth(year, month);
}

int FullYear(const DateToken& token) {
  if (token.text.size() <= 2) return token.number < 30 ? 2000 + token.number : 1900 + token.number;
  return token.number;
}

}  // namespace

bool ScriptValue::ParseDate(std::string_view text, double& serial) {
  std::vector<DateToken> tokens;
  for (size_t i = 0; i < text.size();) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (std::isdigit(c)) {
      size_t start = i;
      while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i;
      if (i - start > 4) return false;
      DateToken token{DateToken::kNumber, std::string(text.substr(start, i - start))};
      token.number = std::atoi(token.text.c_str());
      tokens.push_back(token);
    } else if (std::isalpha(c)) {
      size_t start = i;
      while (i < text.size() && std::isalpha(static_cast<unsigned char>(text[i]))) ++i;
      tokens.push_back({DateToken::kWord, std::string(text.substr(start, i - start))});
    } else if (c == '/' || c == '-' || c == ':' || c == ',' || c == '.') {
      tokens.push_back({DateToken::kSeparator, std::string(1, static_cast<char>(c))});
      ++i;
    } else if (IsBlank(static_cast<char>(c))) {
      ++i;
    } else {
      return false;
    }
  }
  if (tokens.empty()) return false;

  // The time: numbers joined by ":" and an optional AM/PM word.
  bool has_time = false;
  int hour = 0, minute = 0, second = 0;
  std::vector<DateToken> date_tokens;
  for (size_t i = 0; i < tokens.size(); ++i) {
    if (tokens[i].kind == DateToken::kNumber && i + 2 < tokens.size() &&
        tokens[i + 1].text == ":" && tokens[i + 2].kind == DateToken::kNumber) {
      if (has_time) return false;
      has_time = true;
      hour = tokens[i].number;
      minute = tokens[i + 2].number;
      i += 2;
      if (i + 2 < tokens.size() && tokens[i + 1].text == ":" &&
          tokens[i + 2].kind == DateToken::kNumber) {
        second = tokens[i + 2].number;
        i += 2;
      }
      if (i + 1 < tokens.size() && tokens[i + 1].kind == DateToken::kWord) {
        std::string_view word = tokens[i + 1].text;
        bool am = EqualsNoCase(word, "am") || EqualsNoCase(word, "a");
        bool pm = EqualsNoCase(word, "pm") || EqualsNoCase(word, "p");
        if (am || pm) {
          if (hour < 1 || hour > 12) return false;
          if (am && hour == 12) hour = 0;
          if (pm && hour != 12) hour += 12;
          ++i;
        }
      }
      if (hour > 23 || minute > 59 || second > 59) return false;
      continue;
    }
    if (tokens[i].kind == DateToken::kNumber && i + 1 < tokens.size() &&
        tokens[i + 1].kind == DateToken::kWord) {
      // "3 PM"
      std::string_view word = tokens[i + 1].text;
      bool am = EqualsNoCase(word, "am");
      bool pm = EqualsNoCase(word, "pm");
      if (am || pm) {
        if (has_time || tokens[i].number < 1 || tokens[i].number > 12) return false;
        has_time = true;
        hour = tokens[i].number % 12 + (pm ? 12 : 0);
        ++i;
        continue;
      }
    }
    date_tokens.push_back(tokens[i]);
  }

  std::vector<DateToken> numbers;
  int named_month = 0;
  for (const auto& token : date_tokens) {
    if (token.kind == DateToken::kNumber) {
      numbers.push_back(token);
    } else if (token.kind == DateToken::kWord) {
      if (int month = MonthOfName(token.text)) {
        if (named_month) return false;
        named_month = month;
      } else if (!IsWeekdayName(token.text)) {
        return false;
      }
    }
  }
  bool has_date = !numbers.empty() || named_month;
  if (!has_date && !has_time) return false;
  double day_number = 0;
  if (has_date) {
    int year = 0, month = 0, day = 0;
    if (named_month) {
      if (numbers.size() != 2) return false;
      month = named_month;
      // "June 12, 2026" or "12 June 2026": the four-digit (or larger) number is the year.
      if (numbers[0].text.size() >= 3 || numbers[0].number > 31) {
        year = FullYear(numbers[0]);
        day = numbers[1].number;
      } else {
        day = numbers[0].number;
        year = FullYear(numbers[1]);
      }
    } else {
      if (numbers.size() != 3) return false;
      if (numbers[0].text.size() >= 3) {
        year = numbers[0].number;
        month = numbers[1].number;
        day = numbers[2].number;
      } else {
        month = numbers[0].number;
        day = numbers[1].number;
        year = FullYear(numbers[2]);
        // A first number that cannot be a month is the day, as in 13/6/2026.
        if (!ValidDate(year, month, day) && ValidDate(year, day, month)) std::swap(month, day);
      }
    }
    if (!ValidDate(year, month, day)) return false;
    day_number = ScriptDayNumber(year, month, day);
  }
  serial = ScriptDateJoin(day_number, ScriptTimeFraction(hour, minute, second));
  return true;
}

void ScriptValue::DestroyIteratively(std::vector<ScriptValue>& pending) {
  while (!pending.empty()) {
    ScriptValue value = std::move(pending.back());
    pending.pop_back();
    if (value.IsArray() && value.ArrayValue().use_count() == 1) {
      auto& elements = value.ArrayValue()->elements;
      for (auto& element : elements) pending.push_back(std::move(element));
      elements.clear();
    } else if (value.IsObject() && value.ObjectValue() && value.ObjectValue().use_count() == 1) {
      value.ObjectValue()->TakeContents(pending);
    }
  }
}

std::string ScriptValue::FormatDouble(double value, int significant_digits) {
  if (value == 0) return "0";
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value > 0 ? "Infinity" : "-Infinity";
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*G", significant_digits, value);
  return buffer;
}

std::string ScriptValue::FormatCurrency(int64_t ten_thousandths) {
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

std::string ScriptValue::FormatDate(double serial) {
  ScriptDateParts parts = ScriptDateSplit(serial);
  char buffer[64];
  std::string text;
  bool has_time = parts.hour != 0 || parts.minute != 0 || parts.second != 0;
  bool has_date = std::trunc(serial) != 0 || !has_time;
  if (has_date) {
    std::snprintf(buffer, sizeof buffer, "%d/%d/%d", parts.month, parts.day, parts.year);
    text = buffer;
  }
  if (has_time) {
    int hour12 = parts.hour % 12 == 0 ? 12 : parts.hour % 12;
    std::snprintf(buffer, sizeof buffer, "%d:%02d:%02d %s", hour12, parts.minute, parts.second,
                  parts.hour < 12 ? "AM" : "PM");
    if (!text.empty()) text += ' ';
    text += buffer;
  }
  return text;
}

}  // namespace quillon::platform
