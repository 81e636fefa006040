#include "vbscript/Builtins.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <unordered_map>

#include "platform/ScriptArray.h"
#include "platform/ScriptObject.h"
#include "text/CodePage.h"
#include "text/DateText.h"
#include "text/NumberText.h"
#include "text/ScriptDate.h"
#include "text/Utf8.h"
#include "vbscript/Interpreter.h"
#include "vbscript/Operators.h"
#include "vbscript/RuntimeError.h"
#include "vbscript/Text.h"

namespace quillon::vbscript {
namespace {

using platform::ScriptArray;
using platform::ScriptType;
using platform::ScriptValue;
using quillon::text::ScriptDateParts;
using Args = std::span<ScriptValue>;

// ---- Argument helpers ----

bool Has(Args args, size_t i) { return i < args.size() && !args[i].IsMissing(); }

int32_t LongArg(Args args, size_t i, int32_t fallback) {
  if (!Has(args, i)) return fallback;
  if (args[i].IsNull()) ThrowError(94);
  return ToLong(args[i]);
}

bool TextCompareArg(Args args, size_t i) {
  int32_t mode = LongArg(args, i, 0);
  if (mode < 0 || mode > 2) ThrowError(5);
  return mode != 0;
}

ScriptValue String(std::string text) {
  Interpreter::CheckStringSize(text.size());
  return ScriptValue::String(std::move(text));
}

ScriptValue Long(int64_t value) {
  if (value < INT32_MIN || value > INT32_MAX) ThrowError(6);
  return ScriptValue::Long(static_cast<int32_t>(value));
}

ScriptValue StringArray(std::vector<std::string> parts) {
  auto array = std::make_shared<ScriptArray>();
  array->bounds.push_back({0, static_cast<int32_t>(parts.size())});
  array->elements.reserve(parts.size());
  for (auto& part : parts) array->elements.push_back(ScriptValue::String(std::move(part)));
  return ScriptValue::Array(std::move(array));
}

const ScriptArray& ArrayArg(Args args, size_t i) {
  if (!Has(args, i) || !args[i].IsArray()) ThrowError(13);
  return *args[i].ArrayValue();
}

double DateArg(const ScriptValue& value) { return ToDate(value); }

ScriptValue CheckedDate(double serial) {
  if (!(serial > quillon::text::kScriptDateMin - 1 && serial < quillon::text::kScriptDateEnd)) {
    ThrowError(5);
  }
  return ScriptValue::Date(serial);
}

// ---- Strings ----

ScriptValue Len(Interpreter&, Args a) {
  if (a[0].IsNull()) return ScriptValue::Null();
  return Long(static_cast<int64_t>(text::CharCount(ToText(a[0]))));
}

// Left, Right and Mid check their numbers before they look at the text: a Null text gives
// Null only when the numbers are sound.
ScriptValue Left(Interpreter&, Args a) {
  int32_t count = LongArg(a, 1, 0);
  if (count < 0) ThrowError(5);
  if (a[0].IsNull()) return ScriptValue::Null();
  std::string s = ToText(a[0]);
  return ScriptValue::String(std::string(text::CharSlice(s, 0, static_cast<size_t>(count))));
}

ScriptValue Right(Interpreter&, Args a) {
  int32_t count = LongArg(a, 1, 0);
  if (count < 0) ThrowError(5);
  if (a[0].IsNull()) return ScriptValue::Null();
  std::string s = ToText(a[0]);
  size_t length = text::CharCount(s);
  size_t take = std::min(length, static_cast<size_t>(count));
  return ScriptValue::String(std::string(text::CharSlice(s, length - take, take)));
}

ScriptValue Mid(Interpreter&, Args a) {
  int32_t start = LongArg(a, 1, 1);
  if (start < 1) ThrowError(5);
  int32_t count = LongArg(a, 2, INT32_MAX);
  if (count < 0) ThrowError(5);
  if (a[0].IsNull()) return ScriptValue::Null();
  std::string s = ToText(a[0]);
  return ScriptValue::String(
      std::string(text::CharSlice(s, static_cast<size_t>(start - 1), static_cast<size_t>(count))));
}

ScriptValue InStr(Interpreter&, Args a) {
  size_t first = 0;
  int32_t start = 1;
  if (a.size() >= 3) {
    if (a[0].IsNull()) ThrowError(94);
    start = LongArg(a, 0, 1);
    if (start < 1) ThrowError(5);
    first = 1;
  }
  bool ignore_case = TextCompareArg(a, first + 2);
  if (a[first].IsNull() || a[first + 1].IsNull()) return ScriptValue::Null();
  std::string haystack = ToText(a[first]);
  std::string needle = ToText(a[first + 1]);
  size_t length = text::CharCount(haystack);
  if (static_cast<size_t>(start) > length)
    return ScriptValue::Long(needle.empty() && length == 0 && start == 1 ? 0 : 0);
  if (needle.empty()) return ScriptValue::Long(start);
  size_t from = text::ByteOffset(haystack, static_cast<size_t>(start - 1));
  size_t found = text::Find(haystack, needle, from, ignore_case);
  if (found == std::string::npos) return ScriptValue::Long(0);
  return Long(static_cast<int64_t>(text::CharIndex(haystack, found)) + 1);
}

ScriptValue InStrRev(Interpreter&, Args a) {
  // Unlike InStr, InStrRev has no Null answer.
  if (a[0].IsNull() || a[1].IsNull()) ThrowError(94);
  std::string haystack = ToText(a[0]);
  std::string needle = ToText(a[1]);
  int32_t start = LongArg(a, 2, -1);
  bool ignore_case = TextCompareArg(a, 3);
  if (start == 0 || start < -1) ThrowError(5);
  size_t length = text::CharCount(haystack);
  if (start == -1) start = static_cast<int32_t>(length);
  if (static_cast<size_t>(start) > length) return ScriptValue::Long(0);
  if (needle.empty()) return ScriptValue::Long(start);
  size_t end = text::ByteOffset(haystack, static_cast<size_t>(start));
  size_t found = text::FindLast(haystack, needle, end, ignore_case);
  if (found == std::string::npos) return ScriptValue::Long(0);
  return Long(static_cast<int64_t>(text::CharIndex(haystack, found)) + 1);
}

ScriptValue Replace(Interpreter&, Args a) {
  // Unlike most string functions, Replace has no Null answer: a Null text is an error.
  if (a[0].IsNull() || a[1].IsNull() || a[2].IsNull()) ThrowError(94);
  std::string source = ToText(a[0]);
  std::string find = ToText(a[1]);
  std::string with = ToText(a[2]);
  int32_t start = LongArg(a, 3, 1);
  int32_t count = LongArg(a, 4, -1);
  bool ignore_case = TextCompareArg(a, 5);
  if (start < 1 || count < -1) ThrowError(5);
  // The result begins at `start`: Replace drops what stands before it.
  std::string rest(text::CharSlice(source, static_cast<size_t>(start - 1), std::string::npos));
  if (find.empty() || count == 0) return ScriptValue::String(rest);
  // Offsets found in the folded text are used in `rest`, so the folding must keep every byte
  // where it was (the code page's letters keep their length, malformed bytes stay as they are).
  std::string folded = ignore_case ? quillon::text::Cp1252Lower(rest) : std::string();
  std::string folded_find = ignore_case ? quillon::text::Cp1252Lower(find) : std::string();
  const std::string& hay = ignore_case ? folded : rest;
  const std::string& needle = ignore_case ? folded_find : find;
  std::string out;
  size_t pos = 0;
  int32_t done = 0;
  while (count < 0 || done < count) {
    size_t found = hay.find(needle, pos);
    if (found == std::string::npos) break;
    out.append(rest, pos, found - pos);
    out += with;
    Interpreter::CheckStringSize(out.size());
    pos = found + needle.size();
    ++done;
  }
  out.append(rest, pos, std::string::npos);
  return String(std::move(out));
}

ScriptValue Split(Interpreter&, Args a) {
  if (a[0].IsNull()) ThrowError(94);
  std::string source = ToText(a[0]);
  std::string delimiter = Has(a, 1) ? ToText(a[1]) : " ";
  int32_t limit = LongArg(a, 2, -1);
  // Split knows only the binary and the text comparison.
  int32_t mode = LongArg(a, 3, 0);
  if (mode < 0 || mode > 1) ThrowError(5);
  bool ignore_case = mode == 1;
  if (limit < -1) ThrowError(5);
  std::vector<std::string> parts;
  if (source.empty() || limit == 0) return StringArray(std::move(parts));
  if (delimiter.empty()) return StringArray({source});
  size_t pos = 0;
  while (limit < 0 || static_cast<int32_t>(parts.size()) < limit - 1) {
    size_t found = text::Find(source, delimiter, pos, ignore_case);
    if (found == std::string::npos) break;
    parts.push_back(source.substr(pos, found - pos));
    pos = found + delimiter.size();
  }
  parts.push_back(source.substr(pos));
  return StringArray(std::move(parts));
}

ScriptValue Join(Interpreter&, Args a) {
  if (a[0].IsNull()) ThrowError(94);
  if (a[0].IsObject()) ThrowError(438);
  const ScriptArray& array = ArrayArg(a, 0);
  if (array.bounds.size() != 1) ThrowError(13);
  std::string delimiter = Has(a, 1) ? ToText(a[1]) : " ";
  std::string out;
  for (size_t i = 0; i < array.elements.size(); ++i) {
    if (i > 0) out += delimiter;
    // Every element must be text already or become text: Null and nested arrays do not.
    if (array.elements[i].IsNull()) ThrowError(13);
    out += ToText(array.elements[i]);
    Interpreter::CheckStringSize(out.size());
  }
  return ScriptValue::String(std::move(out));
}

ScriptValue UCase(Interpreter&, Args a) {
  if (a[0].IsNull()) return ScriptValue::Null();
  return ScriptValue::String(text::Upper(ToText(a[0])));
}

ScriptValue LCase(Interpreter&, Args a) {
  if (a[0].IsNull()) return ScriptValue::Null();
  return ScriptValue::String(text::Lower(ToText(a[0])));
}

ScriptValue TrimSides(Args a, bool left, bool right) {
  if (a[0].IsNull()) return ScriptValue::Null();
  std::string s = ToText(a[0]);
  size_t begin = 0;
  size_t end = s.size();
  if (left) {
    while (begin < end && s[begin] == ' ') ++begin;
  }
  if (right) {
    while (end > begin && s[end - 1] == ' ') --end;
  }
  return ScriptValue::String(s.substr(begin, end - begin));
}

ScriptValue Trim(Interpreter&, Args a) { return TrimSides(a, true, true); }
ScriptValue LTrim(Interpreter&, Args a) { return TrimSides(a, true, false); }
ScriptValue RTrim(Interpreter&, Args a) { return TrimSides(a, false, true); }

ScriptValue Space(Interpreter&, Args a) {
  int32_t count = LongArg(a, 0, 0);
  if (count < 0) ThrowError(5);
  Interpreter::CheckStringSize(static_cast<size_t>(count));
  return ScriptValue::String(std::string(static_cast<size_t>(count), ' '));
}

ScriptValue StringOf(Interpreter&, Args a) {
  // A Null count or character gives Null, as the function's documentation says.
  if (a[0].IsNull() || a[1].IsNull()) return ScriptValue::Null();
  int32_t count = LongArg(a, 0, 0);
  if (count < 0) ThrowError(5);
  std::string unit;
  if (a[1].IsString()) {
    if (a[1].StringValue().empty()) ThrowError(5);
    unit = std::string(text::CharSlice(a[1].StringValue(), 0, 1));
  } else {
    int32_t code = ToLong(a[1]) % 256;
    if (code < 0) code += 256;
    quillon::text::AppendUtf8(unit, quillon::text::CodePointOfCp1252(static_cast<uint8_t>(code)));
  }
  Interpreter::CheckStringSize(unit.size() * static_cast<size_t>(count));
  std::string out;
  out.reserve(unit.size() * static_cast<size_t>(count));
  for (int32_t i = 0; i < count; ++i) out += unit;
  return ScriptValue::String(std::move(out));
}

ScriptValue StrReverse(Interpreter&, Args a) {
  if (a[0].IsNull()) ThrowError(94);
  std::u32string chars = quillon::text::DecodeUtf8(ToText(a[0]));
  std::reverse(chars.begin(), chars.end());
  return ScriptValue::String(quillon::text::EncodeUtf8(chars));
}

ScriptValue StrComp(Interpreter&, Args a) {
  if (a[0].IsNull() || a[1].IsNull()) return ScriptValue::Null();
  bool ignore_case = TextCompareArg(a, 2);
  return ScriptValue::Integer(
      static_cast<int16_t>(text::Compare(ToText(a[0]), ToText(a[1]), ignore_case)));
}

ScriptValue Chr(Interpreter&, Args a) {
  int32_t code = LongArg(a, 0, 0);
  if (code < 0 || code > 255) ThrowError(5);
  std::string out;
  quillon::text::AppendUtf8(out, quillon::text::CodePointOfCp1252(static_cast<uint8_t>(code)));
  return ScriptValue::String(std::move(out));
}

ScriptValue ChrW(Interpreter&, Args a) {
  int32_t code = LongArg(a, 0, 0);
  if (code < -32768 || code > 65535) ThrowError(5);
  if (code < 0) code += 65536;
  std::string out;
  quillon::text::AppendUtf8(out, static_cast<char32_t>(code));
  return ScriptValue::String(std::move(out));
}

char32_t FirstChar(const ScriptValue& value) {
  if (value.IsNull()) ThrowError(94);
  std::string s = ToText(value);
  if (s.empty()) ThrowError(5);
  size_t pos = 0;
  return quillon::text::NextCodePoint(s, pos);
}

ScriptValue Asc(Interpreter&, Args a) {
  int byte = quillon::text::Cp1252ByteOf(FirstChar(a[0]));
  return ScriptValue::Integer(static_cast<int16_t>(byte < 0 ? '?' : byte));
}

ScriptValue AscW(Interpreter&, Args a) {
  char32_t c = FirstChar(a[0]);
  if (c > 0xFFFF) return ScriptValue::Long(static_cast<int32_t>(c));
  return ScriptValue::Integer(static_cast<int16_t>(static_cast<uint16_t>(c)));
}

ScriptValue Radix(Args a, bool hex) {
  if (a[0].IsNull()) return ScriptValue::Null();
  const ScriptValue& v = a[0];
  int32_t number = ToLong(v);
  bool narrow = v.Type() == ScriptType::kInteger || v.Type() == ScriptType::kByte ||
                v.Type() == ScriptType::kBoolean || v.IsEmpty();
  uint32_t bits = narrow && number >= -32768 && number <= 32767
                      ? static_cast<uint16_t>(static_cast<int16_t>(number))
                      : static_cast<uint32_t>(number);
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, hex ? "%X" : "%o", bits);
  return ScriptValue::String(buffer);
}

ScriptValue Hex(Interpreter&, Args a) { return Radix(a, true); }
ScriptValue Oct(Interpreter&, Args a) { return Radix(a, false); }

ScriptValue Filter(Interpreter&, Args a) {
  const ScriptArray& array = ArrayArg(a, 0);
  if (array.bounds.size() != 1) ThrowError(5);
  if (a[1].IsNull()) ThrowError(94);
  std::string match = ToText(a[1]);
  bool include = Has(a, 2) ? ToBoolean(a[2]) : true;
  bool ignore_case = TextCompareArg(a, 3);
  std::vector<std::string> kept;
  for (const auto& element : array.elements) {
    std::string s = element.IsNull() ? std::string() : ToText(element);
    bool found = text::Find(s, match, 0, ignore_case) != std::string::npos;
    if (found == include) kept.push_back(std::move(s));
  }
  return StringArray(std::move(kept));
}

// ---- Conversions and tests ----

ScriptValue CStr(Interpreter&, Args a) { return ScriptValue::String(ToText(a[0])); }

ScriptValue CInt(Interpreter&, Args a) {
  int32_t n = ToLong(a[0]);
  if (n < -32768 || n > 32767) ThrowError(6);
  return ScriptValue::Integer(static_cast<int16_t>(n));
}

ScriptValue CLng(Interpreter&, Args a) { return ScriptValue::Long(ToLong(a[0])); }

ScriptValue CByte(Interpreter&, Args a) {
  // True is all bits set, which as a Byte is 255.
  if (a[0].Type() == ScriptType::kBoolean) return ScriptValue::Byte(a[0].BooleanValue() ? 255 : 0);
  int32_t n = ToLong(a[0]);
  if (n < 0 || n > 255) ThrowError(6);
  return ScriptValue::Byte(static_cast<uint8_t>(n));
}

ScriptValue CDbl(Interpreter&, Args a) { return ScriptValue::Double(ToDouble(a[0])); }

ScriptValue CSng(Interpreter&, Args a) {
  double d = ToDouble(a[0]);
  if (std::fabs(d) > 3.402823466e38) ThrowError(6);
  return ScriptValue::Single(static_cast<float>(d));
}

ScriptValue CCur(Interpreter&, Args a) {
  int64_t scaled = 0;
  if (int error = a[0].ToCurrency(scaled)) ThrowError(error);
  return ScriptValue::Currency(scaled);
}

ScriptValue CBool(Interpreter&, Args a) { return ScriptValue::Boolean(ToBoolean(a[0])); }

ScriptValue CDate(Interpreter&, Args a) { return ScriptValue::Date(ToDate(a[0])); }

ScriptValue IsNumeric(Interpreter& engine, Args a) {
  if (a[0].IsObject()) {
    // An object is numeric when its default value is; one without a default value is not.
    if (!a[0].ObjectValue()) return ScriptValue::Boolean(false);
    ScriptValue value;
    try {
      value = Dereference(a[0]);
    } catch (const RuntimeError&) {
      return ScriptValue::Boolean(false);
    }
    return IsNumeric(engine, Args(&value, 1));
  }
  const ScriptValue& v = a[0];
  double number = 0;
  switch (v.Type()) {
    case ScriptType::kEmpty:
    case ScriptType::kBoolean:
      return ScriptValue::Boolean(true);
    case ScriptType::kString:
      return ScriptValue::Boolean(quillon::text::ParseNumber(v.StringValue(), number));
    default:
      return ScriptValue::Boolean(v.IsNumber());
  }
}

ScriptValue IsEmpty(Interpreter&, Args a) { return ScriptValue::Boolean(a[0].IsEmpty()); }
ScriptValue IsNull(Interpreter&, Args a) { return ScriptValue::Boolean(a[0].IsNull()); }
ScriptValue IsObject(Interpreter&, Args a) { return ScriptValue::Boolean(a[0].IsObject()); }
ScriptValue IsArray(Interpreter&, Args a) { return ScriptValue::Boolean(a[0].IsArray()); }

ScriptValue IsDate(Interpreter&, Args a) {
  if (a[0].Type() == ScriptType::kDate) return ScriptValue::Boolean(true);
  double serial = 0;
  if (a[0].IsString())
    return ScriptValue::Boolean(quillon::text::ParseDate(a[0].StringValue(), serial));
  return ScriptValue::Boolean(false);
}

ScriptValue TypeName(Interpreter&, Args a) {
  switch (a[0].Type()) {
    case ScriptType::kEmpty:
      return ScriptValue::String("Empty");
    case ScriptType::kNull:
      return ScriptValue::String("Null");
    case ScriptType::kInteger:
      return ScriptValue::String("Integer");
    case ScriptType::kLong:
      return ScriptValue::String("Long");
    case ScriptType::kSingle:
      return ScriptValue::String("Single");
    case ScriptType::kDouble:
      return ScriptValue::String("Double");
    case ScriptType::kCurrency:
      return ScriptValue::String("Currency");
    case ScriptType::kDate:
      return ScriptValue::String("Date");
    case ScriptType::kString:
      return ScriptValue::String("String");
    case ScriptType::kBoolean:
      return ScriptValue::String("Boolean");
    case ScriptType::kByte:
      return ScriptValue::String("Byte");
    case ScriptType::kError:
      return ScriptValue::String("Error");
    case ScriptType::kArray:
      return ScriptValue::String("Variant()");
    case ScriptType::kObject: {
      const auto& object = a[0].ObjectValue();
      return ScriptValue::String(object ? object->TypeName() : "Nothing");
    }
  }
  return ScriptValue::String("Unknown");
}

ScriptValue VarType(Interpreter&, Args a) {
  return ScriptValue::Integer(static_cast<int16_t>(static_cast<uint16_t>(a[0].Type())));
}

// ---- Math ----

ScriptValue Abs(Interpreter&, Args a) {
  const ScriptValue& v = a[0];
  if (v.IsNull()) return v;
  switch (v.Type()) {
    case ScriptType::kEmpty:
      return ScriptValue::Integer(0);
    case ScriptType::kByte:
      return v;
    case ScriptType::kInteger:
    case ScriptType::kLong:
    case ScriptType::kBoolean:
    case ScriptType::kCurrency:
      return ToDouble(v) < 0 ? Negate(v) : Arithmetic(Op::kAdd, v, ScriptValue::Integer(0));
    case ScriptType::kSingle:
      return ScriptValue::Single(std::fabs(static_cast<float>(v.DoubleValue())));
    case ScriptType::kDate:
      return ScriptValue::Date(std::fabs(v.DoubleValue()));
    default:
      return ScriptValue::Double(std::fabs(ToDouble(v)));
  }
}

ScriptValue Rounded(const ScriptValue& v, double (*how)(double)) {
  if (v.IsNull()) return v;
  switch (v.Type()) {
    case ScriptType::kEmpty:
      return ScriptValue::Integer(0);
    case ScriptType::kByte:
    case ScriptType::kInteger:
    case ScriptType::kLong:
      return v;
    case ScriptType::kBoolean:
      return ScriptValue::Integer(v.BooleanValue() ? -1 : 0);
    case ScriptType::kSingle:
      return ScriptValue::Single(static_cast<float>(how(v.DoubleValue())));
    case ScriptType::kDate:
      return ScriptValue::Date(how(v.DoubleValue()));
    case ScriptType::kCurrency: {
      double units = how(static_cast<double>(v.CurrencyValue()) / 10000.0);
      return ScriptValue::Currency(static_cast<int64_t>(units) * 10000);
    }
    default:
      return ScriptValue::Double(how(ToDouble(v)));
  }
}

double Floor(double x) { return std::floor(x); }
double Trunc(double x) { return std::trunc(x); }

ScriptValue Int(Interpreter&, Args a) { return Rounded(a[0], Floor); }
ScriptValue Fix(Interpreter&, Args a) { return Rounded(a[0], Trunc); }

ScriptValue Round(Interpreter&, Args a) {
  const ScriptValue& v = a[0];
  if (v.IsNull()) return v;
  int32_t digits = LongArg(a, 1, 0);
  if (digits < 0) ThrowError(5);
  // The result keeps the argument's sub-type; whole numbers and Booleans have nothing to round.
  if (v.Type() == ScriptType::kInteger || v.Type() == ScriptType::kLong ||
      v.Type() == ScriptType::kByte || v.Type() == ScriptType::kBoolean)
    return v;
  if (v.IsEmpty()) return ScriptValue::Integer(0);
  double x = ToDouble(v);
  double scale = std::pow(10.0, digits);
  double scaled = x * scale;
  // Ties go to the even neighbour (banker's rounding); a product that lands a hair off the
  // tie because of binary fractions is read as the tie it was meant to be.
  double rounded = std::nearbyint(scaled);
  double diff = std::fabs(scaled - std::trunc(scaled));
  if (std::fabs(diff - 0.5) < 1e-9 * std::max(1.0, std::fabs(scaled))) {
    double lower = std::floor(scaled);
    rounded = std::fmod(lower, 2.0) == 0 ? lower : lower + 1;
  }
  double result = digits == 0 ? rounded : rounded / scale;
  if (v.Type() == ScriptType::kSingle) return ScriptValue::Single(static_cast<float>(result));
  if (v.Type() == ScriptType::kDate) return CheckedDate(result);
  if (v.Type() == ScriptType::kCurrency) {
    return ScriptValue::Currency(static_cast<int64_t>(std::nearbyint(result * 10000.0)));
  }
  return ScriptValue::Double(result);
}

ScriptValue Sgn(Interpreter&, Args a) {
  if (a[0].IsNull()) ThrowError(94);
  double x = ToDouble(a[0]);
  return ScriptValue::Integer(static_cast<int16_t>(x > 0 ? 1 : x < 0 ? -1 : 0));
}

ScriptValue MathOf(Args a, double (*fn)(double), bool positive_only, bool non_negative) {
  if (a[0].IsNull()) return a[0];
  double x = ToDouble(a[0]);
  if ((positive_only && x <= 0) || (non_negative && x < 0)) ThrowError(5);
  double r = fn(x);
  if (!std::isfinite(r)) ThrowError(6);
  return ScriptValue::Double(r);
}

double SqrtFn(double x) { return std::sqrt(x); }
double ExpFn(double x) { return std::exp(x); }
double LogFn(double x) { return std::log(x); }
double SinFn(double x) { return std::sin(x); }
double CosFn(double x) { return std::cos(x); }
double TanFn(double x) { return std::tan(x); }
double AtnFn(double x) { return std::atan(x); }

ScriptValue Sqr(Interpreter&, Args a) { return MathOf(a, SqrtFn, false, true); }
ScriptValue Exp(Interpreter&, Args a) { return MathOf(a, ExpFn, false, false); }
ScriptValue Log(Interpreter&, Args a) { return MathOf(a, LogFn, true, false); }
ScriptValue Sin(Interpreter&, Args a) { return MathOf(a, SinFn, false, false); }
ScriptValue Cos(Interpreter&, Args a) { return MathOf(a, CosFn, false, false); }
ScriptValue Tan(Interpreter&, Args a) { return MathOf(a, TanFn, false, false); }
ScriptValue Atn(Interpreter&, Args a) { return MathOf(a, AtnFn, false, false); }

ScriptValue Rnd(Interpreter& engine, Args a) {
  std::optional<double> argument;
  if (Has(a, 0)) argument = ToDouble(a[0]);
  return ScriptValue::Single(engine.NextRandom(argument));
}

ScriptValue Randomize(Interpreter& engine, Args a) {
  std::optional<double> seed;
  if (Has(a, 0)) seed = ToDouble(a[0]);
  engine.Randomize(seed);
  return ScriptValue();
}

ScriptValue Rgb(Interpreter&, Args a) {
  int32_t parts[3];
  for (int i = 0; i < 3; ++i) {
    parts[i] = LongArg(a, static_cast<size_t>(i), 0);
    if (parts[i] < 0) ThrowError(5);
    parts[i] = std::min(parts[i], 255);
  }
  return ScriptValue::Long(parts[0] + parts[1] * 256 + parts[2] * 65536);
}

// ---- Dates ----

constexpr const char* kMonthNames[] = {"January",   "February", "March",    "April",
                                       "May",       "June",     "July",     "August",
                                       "September", "October",  "November", "December"};
constexpr const char* kDayNames[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                     "Thursday", "Friday", "Saturday"};

ScriptValue Now(Interpreter& engine, Args) { return ScriptValue::Date(engine.Now()); }

ScriptValue DateNow(Interpreter& engine, Args) {
  return ScriptValue::Date(std::trunc(engine.Now()));
}

ScriptValue TimeNow(Interpreter& engine, Args) {
  double now = engine.Now();
  return ScriptValue::Date(std::fabs(now - std::trunc(now)));
}

ScriptValue Timer(Interpreter& engine, Args) {
  double now = engine.Now();
  double seconds = std::fabs(now - std::trunc(now)) * 86400.0;
  return ScriptValue::Single(static_cast<float>(std::round(seconds * 100.0) / 100.0));
}

ScriptValue DatePartOf(const ScriptValue& v, int ScriptDateParts::*field) {
  if (v.IsNull()) return v;
  ScriptDateParts parts = quillon::text::ScriptDateSplit(DateArg(v));
  return ScriptValue::Integer(static_cast<int16_t>(parts.*field));
}

ScriptValue Year(Interpreter&, Args a) { return DatePartOf(a[0], &ScriptDateParts::year); }
ScriptValue Month(Interpreter&, Args a) { return DatePartOf(a[0], &ScriptDateParts::month); }
ScriptValue Day(Interpreter&, Args a) { return DatePartOf(a[0], &ScriptDateParts::day); }
ScriptValue Hour(Interpreter&, Args a) { return DatePartOf(a[0], &ScriptDateParts::hour); }
ScriptValue Minute(Interpreter&, Args a) { return DatePartOf(a[0], &ScriptDateParts::minute); }
ScriptValue Second(Interpreter&, Args a) { return DatePartOf(a[0], &ScriptDateParts::second); }

int FirstDayArg(Args a, size_t i) {
  int32_t first = LongArg(a, i, 1);
  if (first < 0 || first > 7) ThrowError(5);
  return first == 0 ? 1 : first;
}

// Weekday counted from `first_day` (1 = Sunday).
int WeekdayFrom(int weekday, int first_day) { return (weekday - first_day + 7) % 7 + 1; }

ScriptValue Weekday(Interpreter&, Args a) {
  // The first day is checked even when the date is Null.
  int first_day = FirstDayArg(a, 1);
  if (a[0].IsNull()) return a[0];
  ScriptDateParts parts = quillon::text::ScriptDateSplit(DateArg(a[0]));
  return ScriptValue::Integer(static_cast<int16_t>(WeekdayFrom(parts.weekday, first_day)));
}

// The names take their options before the number.
ScriptValue WeekdayName(Interpreter&, Args a) {
  bool abbreviate = Has(a, 1) && ToBoolean(a[1]);
  int first = FirstDayArg(a, 2);
  int32_t day = LongArg(a, 0, 0);
  if (day < 1 || day > 7) ThrowError(5);
  std::string name = kDayNames[(day - 1 + first - 1) % 7];
  return ScriptValue::String(abbreviate ? name.substr(0, 3) : name);
}

ScriptValue MonthName(Interpreter&, Args a) {
  bool abbreviate = Has(a, 1) && ToBoolean(a[1]);
  int32_t month = LongArg(a, 0, 0);
  if (month < 1 || month > 12) ThrowError(5);
  std::string name = kMonthNames[month - 1];
  return ScriptValue::String(abbreviate ? name.substr(0, 3) : name);
}

std::string IntervalArg(const ScriptValue& v) { return text::Lower(ToText(v)); }

double TimeOfDay(double serial) { return std::fabs(serial - std::trunc(serial)); }

ScriptValue DateAdd(Interpreter&, Args a) {
  std::string interval = IntervalArg(a[0]);
  if (a[2].IsNull()) return a[2];
  double number = std::trunc(ToDouble(a[1]));
  double serial = DateArg(a[2]);
  ScriptDateParts parts = quillon::text::ScriptDateSplit(serial);
  int64_t months = 0;
  double seconds = 0;
  if (interval == "yyyy") {
    months = static_cast<int64_t>(number) * 12;
  } else if (interval == "q") {
    months = static_cast<int64_t>(number) * 3;
  } else if (interval == "m") {
    months = static_cast<int64_t>(number);
  } else if (interval == "d" || interval == "y" || interval == "w") {
    seconds = number * 86400;
  } else if (interval == "ww") {
    seconds = number * 7 * 86400;
  } else if (interval == "h") {
    seconds = number * 3600;
  } else if (interval == "n") {
    seconds = number * 60;
  } else if (interval == "s") {
    seconds = number;
  } else {
    ThrowError(5);
  }
  if (months != 0) {
    int64_t total = parts.year * 12LL + (parts.month - 1) + months;
    int64_t year = total >= 0 ? total / 12 : -((-total + 11) / 12);
    int month = static_cast<int>(total - year * 12) + 1;
    if (year < 100 || year > 9999) ThrowError(5);
    int day = std::min(parts.day, quillon::text::DaysInMonth(year, month));
    double day_number = quillon::text::ScriptDayNumber(year, month, day);
    return CheckedDate(quillon::text::ScriptDateJoin(day_number, TimeOfDay(serial)));
  }
  double day_number = std::trunc(serial);
  double total_seconds = std::round(TimeOfDay(serial) * 86400.0) + seconds;
  double extra_days = std::floor(total_seconds / 86400.0);
  double day_seconds = total_seconds - extra_days * 86400.0;
  // Dates before day 0 count whole days backwards; walk in the calendar, not in the double.
  double new_day = day_number + extra_days;
  if (serial < 0 && day_number == 0) new_day = extra_days;
  return CheckedDate(quillon::text::ScriptDateJoin(new_day, day_seconds / 86400.0));
}

int64_t TotalSeconds(double serial) {
  double day = std::trunc(serial);
  return static_cast<int64_t>(day) * 86400 + std::llround(TimeOfDay(serial) * 86400.0);
}

int64_t FloorDiv(int64_t a, int64_t b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

ScriptValue DateDiff(Interpreter&, Args a) {
  std::string interval = IntervalArg(a[0]);
  if (a[1].IsNull() || a[2].IsNull()) return ScriptValue::Null();
  double d1 = DateArg(a[1]);
  double d2 = DateArg(a[2]);
  int first_day = FirstDayArg(a, 3);
  ScriptDateParts p1 = quillon::text::ScriptDateSplit(d1);
  ScriptDateParts p2 = quillon::text::ScriptDateSplit(d2);
  int64_t s1 = TotalSeconds(d1);
  int64_t s2 = TotalSeconds(d2);
  int64_t days = FloorDiv(s2, 86400) - FloorDiv(s1, 86400);
  int64_t result = 0;
  if (interval == "yyyy") {
    result = p2.year - p1.year;
  } else if (interval == "q") {
    result = (p2.year * 4LL + (p2.month - 1) / 3) - (p1.year * 4LL + (p1.month - 1) / 3);
  } else if (interval == "m") {
    result = (p2.year * 12LL + p2.month) - (p1.year * 12LL + p1.month);
  } else if (interval == "d" || interval == "y") {
    result = days;
  } else if (interval == "w") {
    result = days / 7;
  } else if (interval == "ww") {
    // Counts the first-days-of-week crossed between the two dates.
    int64_t day1 = FloorDiv(s1, 86400);
    int64_t day2 = FloorDiv(s2, 86400);
    auto week_start = [first_day](int64_t day) {
      int64_t weekday = ((day % 7) + 7 + 6) % 7 + 1;  // 1 is Sunday, as Weekday counts
      int64_t offset = (weekday - first_day + 7) % 7;
      return day - offset;
    };
    result = (week_start(day2) - week_start(day1)) / 7;
  } else if (interval == "h") {
    result = FloorDiv(s2, 3600) - FloorDiv(s1, 3600);
  } else if (interval == "n") {
    result = FloorDiv(s2, 60) - FloorDiv(s1, 60);
  } else if (interval == "s") {
    result = s2 - s1;
  } else {
    ThrowError(5);
  }
  return Long(result);
}

ScriptValue DatePart(Interpreter&, Args a) {
  std::string interval = IntervalArg(a[0]);
  if (a[1].IsNull()) return a[1];
  double serial = DateArg(a[1]);
  int first_day = FirstDayArg(a, 2);
  ScriptDateParts parts = quillon::text::ScriptDateSplit(serial);
  int day_of_year =
      static_cast<int>(std::trunc(serial) - quillon::text::ScriptDayNumber(parts.year, 1, 1)) + 1;
  if (serial < 0) {
    day_of_year =
        static_cast<int>(quillon::text::ScriptDayNumber(parts.year, parts.month, parts.day) -
                         quillon::text::ScriptDayNumber(parts.year, 1, 1)) +
        1;
  }
  int value = 0;
  if (interval == "yyyy") {
    value = parts.year;
  } else if (interval == "q") {
    value = (parts.month - 1) / 3 + 1;
  } else if (interval == "m") {
    value = parts.month;
  } else if (interval == "y") {
    value = day_of_year;
  } else if (interval == "d") {
    value = parts.day;
  } else if (interval == "w") {
    value = WeekdayFrom(parts.weekday, first_day);
  } else if (interval == "ww") {
    // Week 1 is the week holding January 1.
    ScriptDateParts jan1 =
        quillon::text::ScriptDateSplit(quillon::text::ScriptDayNumber(parts.year, 1, 1));
    int offset = WeekdayFrom(jan1.weekday, first_day) - 1;
    value = (day_of_year - 1 + offset) / 7 + 1;
  } else if (interval == "h") {
    value = parts.hour;
  } else if (interval == "n") {
    value = parts.minute;
  } else if (interval == "s") {
    value = parts.second;
  } else {
    ThrowError(5);
  }
  return ScriptValue::Integer(static_cast<int16_t>(value));
}

ScriptValue DateSerial(Interpreter&, Args a) {
  for (size_t i = 0; i < 3; ++i) {
    if (a[i].IsNull()) ThrowError(94);
  }
  int64_t year = ToLong(a[0]);
  if (year >= 0 && year < 30) year += 2000;
  if (year >= 30 && year < 100) year += 1900;
  int64_t month = ToLong(a[1]);
  int64_t day = ToLong(a[2]);
  if (std::llabs(month) > 1000000 || std::llabs(day) > 10000000) ThrowError(5);
  return CheckedDate(quillon::text::ScriptDayNumber(year, month, day));
}

ScriptValue TimeSerial(Interpreter&, Args a) {
  for (size_t i = 0; i < 3; ++i) {
    if (a[i].IsNull()) ThrowError(94);
  }
  double fraction = quillon::text::ScriptTimeFraction(ToLong(a[0]), ToLong(a[1]), ToLong(a[2]));
  return CheckedDate(quillon::text::ScriptDateJoin(0, fraction));
}

ScriptValue DateValue(Interpreter&, Args a) {
  if (a[0].IsNull()) return a[0];
  return ScriptValue::Date(std::trunc(DateArg(a[0])));
}

ScriptValue TimeValue(Interpreter&, Args a) {
  if (a[0].IsNull()) return a[0];
  return ScriptValue::Date(TimeOfDay(DateArg(a[0])));
}

// The Format functions take no Null: they format a value or fail.
ScriptValue FormatDateTime(Interpreter&, Args a) {
  if (a[0].IsNull()) ThrowError(13);
  double serial = DateArg(a[0]);
  int32_t format = LongArg(a, 1, 0);
  ScriptDateParts p = quillon::text::ScriptDateSplit(serial);
  char buffer[96];
  switch (format) {
    case 0:
      return ScriptValue::String(quillon::text::FormatDate(serial));
    case 1:
      std::snprintf(buffer, sizeof buffer, "%s, %s %d, %d", kDayNames[p.weekday - 1],
                    kMonthNames[p.month - 1], p.day, p.year);
      return ScriptValue::String(buffer);
    case 2:
      std::snprintf(buffer, sizeof buffer, "%d/%d/%d", p.month, p.day, p.year);
      return ScriptValue::String(buffer);
    case 3:
      std::snprintf(buffer, sizeof buffer, "%d:%02d:%02d %s", p.hour % 12 == 0 ? 12 : p.hour % 12,
                    p.minute, p.second, p.hour < 12 ? "AM" : "PM");
      return ScriptValue::String(buffer);
    case 4:
      std::snprintf(buffer, sizeof buffer, "%02d:%02d", p.hour, p.minute);
      return ScriptValue::String(buffer);
    default:
      ThrowError(5);
  }
}

// ---- Number formatting (en-US: "." decimals, "," groups) ----

std::string FormatFixed(double value, int32_t digits, bool leading_zero, bool parens, bool group) {
  if (digits < -1 || digits > 255) ThrowError(5);
  if (digits == -1) digits = 2;
  // Halves round away from zero, as the platform's number formatting does.
  double scale = std::pow(10.0, digits);
  double magnitude = std::fabs(value);
  double rounded = std::floor(magnitude * scale + 0.5 + 1e-9) / scale;
  char buffer[400];
  std::snprintf(buffer, sizeof buffer, "%.*f", digits, rounded);
  std::string number = buffer;
  size_t point = number.find('.');
  std::string whole = number.substr(0, point);
  std::string fraction = point == std::string::npos ? std::string() : number.substr(point);
  if (group && whole.size() > 3) {
    std::string grouped;
    int count = 0;
    for (size_t i = whole.size(); i > 0; --i) {
      grouped.insert(grouped.begin(), whole[i - 1]);
      if (++count % 3 == 0 && i > 1) grouped.insert(grouped.begin(), ',');
    }
    whole = grouped;
  }
  if (whole == "0" && !leading_zero && !fraction.empty()) whole.clear();
  std::string text = whole + fraction;
  bool negative = value < 0 && rounded != 0;
  if (negative) text = parens ? "(" + text + ")" : "-" + text;
  return text;
}

// The tri-state arguments: -2 (vbUseDefault) and -1 (vbTrue) mean yes for en-US defaults that
// are yes; 0 means no.
bool TriState(Args a, size_t i, bool fallback) {
  int32_t value = LongArg(a, i, -2);
  if (value == -2) return fallback;
  return value != 0;
}

ScriptValue FormatNumber(Interpreter&, Args a) {
  if (a[0].IsNull()) ThrowError(13);
  double value = ToDouble(a[0]);
  return ScriptValue::String(FormatFixed(value, LongArg(a, 1, -1), TriState(a, 2, true),
                                         TriState(a, 3, false), TriState(a, 4, true)));
}

ScriptValue FormatPercent(Interpreter&, Args a) {
  if (a[0].IsNull()) ThrowError(13);
  double value = ToDouble(a[0]) * 100.0;
  return ScriptValue::String(FormatFixed(value, LongArg(a, 1, -1), TriState(a, 2, true),
                                         TriState(a, 3, false), TriState(a, 4, true)) +
                             "%");
}

ScriptValue FormatCurrency(Interpreter&, Args a) {
  if (a[0].IsNull()) ThrowError(13);
  double value = ToDouble(a[0]);
  std::string text = FormatFixed(std::fabs(value), LongArg(a, 1, -1), TriState(a, 2, true), false,
                                 TriState(a, 4, true));
  bool negative = value < 0 && text.find_first_not_of("0.,") != std::string::npos;
  if (!negative) return ScriptValue::String("$" + text);
  return ScriptValue::String(TriState(a, 3, true) ? "($" + text + ")" : "-$" + text);
}

// ---- Arrays ----

ScriptValue ArrayOf(Interpreter&, Args a) {
  auto array = std::make_shared<ScriptArray>();
  array->bounds.push_back({0, static_cast<int32_t>(a.size())});
  for (auto& value : a) {
    if (value.IsMissing()) ThrowError(449);
    array->elements.push_back(value);
  }
  return ScriptValue::Array(std::move(array));
}

ScriptValue Bound(Args a, bool upper) {
  const ScriptArray& array = ArrayArg(a, 0);
  int32_t dimension = LongArg(a, 1, 1);
  if (dimension < 1 || static_cast<size_t>(dimension) > array.bounds.size()) ThrowError(9);
  const auto& bound = array.bounds[static_cast<size_t>(dimension - 1)];
  return ScriptValue::Long(upper ? bound.lower + bound.count - 1 : bound.lower);
}

ScriptValue UBound(Interpreter&, Args a) { return Bound(a, true); }
ScriptValue LBound(Interpreter&, Args a) { return Bound(a, false); }

// ---- The engine itself ----

ScriptValue Eval(Interpreter& engine, Args a) { return engine.EvalInScope(ToText(a[0])); }

ScriptValue Execute(Interpreter& engine, Args a) {
  engine.ExecuteInScope(ToText(a[0]), false);
  return ScriptValue();
}

ScriptValue ExecuteGlobal(Interpreter& engine, Args a) {
  engine.ExecuteInScope(ToText(a[0]), true);
  return ScriptValue();
}

ScriptValue GetRef(Interpreter& engine, Args a) { return engine.GetRef(ToText(a[0])); }

ScriptValue CreateObject(Interpreter& engine, Args a) {
  return engine.CreateObjectValue(ToText(a[0]));
}

ScriptValue GetObject(Interpreter&, Args a) {
  ThrowError(429, Has(a, 1) ? ToText(a[1]) : std::string());
}

ScriptValue ErrValue(Interpreter& engine, Args) { return engine.ErrValue(); }

// Escape and Unescape follow the old JavaScript escape(): letters, digits and @*_+-./ stay,
// other characters below 256 become %XX and the rest %uXXXX.
ScriptValue Escape(Interpreter&, Args a) {
  if (a[0].IsNull()) return a[0];
  std::u32string chars = quillon::text::DecodeUtf8(ToText(a[0]));
  std::string out;
  for (char32_t c : chars) {
    char buffer[8];
    if (c < 128 &&
        (std::isalnum(static_cast<int>(c)) || std::strchr("@*_+-./", static_cast<int>(c)))) {
      out += static_cast<char>(c);
    } else if (c < 256) {
      std::snprintf(buffer, sizeof buffer, "%%%02X", static_cast<unsigned>(c));
      out += buffer;
    } else {
      std::snprintf(buffer, sizeof buffer, "%%u%04X", static_cast<unsigned>(c & 0xFFFF));
      out += buffer;
    }
  }
  return String(std::move(out));
}

ScriptValue Unescape(Interpreter&, Args a) {
  if (a[0].IsNull()) return a[0];
  std::string in = ToText(a[0]);
  std::string out;
  auto hex = [&](size_t at, size_t count, unsigned& value) {
    if (at + count > in.size()) return false;
    value = 0;
    for (size_t i = at; i < at + count; ++i) {
      if (!std::isxdigit(static_cast<unsigned char>(in[i]))) return false;
      value = value * 16 + static_cast<unsigned>(
                               std::isdigit(static_cast<unsigned char>(in[i]))
                                   ? in[i] - '0'
                                   : std::toupper(static_cast<unsigned char>(in[i])) - 'A' + 10);
    }
    return true;
  };
  for (size_t i = 0; i < in.size(); ++i) {
    unsigned value = 0;
    if (in[i] == '%' && i + 1 < in.size() && in[i + 1] == 'u' && hex(i + 2, 4, value)) {
      quillon::text::AppendUtf8(out, value);
      i += 5;
    } else if (in[i] == '%' && hex(i + 1, 2, value)) {
      quillon::text::AppendUtf8(out, value);
      i += 2;
    } else {
      out += in[i];
    }
  }
  return ScriptValue::String(std::move(out));
}

// The en-US locale is the only one this engine formats in.
ScriptValue GetLocale(Interpreter&, Args) { return ScriptValue::Long(1033); }
ScriptValue SetLocale(Interpreter&, Args) { return ScriptValue::Long(1033); }

// A host without a user interface refuses dialogs, as the platform's does.
ScriptValue NoInterface(Interpreter&, Args) { ThrowError(70); }

ScriptValue EngineName(Interpreter&, Args) { return ScriptValue::String("VBScript"); }
ScriptValue EngineMajor(Interpreter&, Args) { return ScriptValue::Long(5); }
ScriptValue EngineMinor(Interpreter&, Args) { return ScriptValue::Long(8); }
ScriptValue EngineBuild(Interpreter&, Args) { return ScriptValue::Long(16384); }

#define VB_CONSTANT(name, expr)                               \
  Builtin {                                                   \
    name, [](Interpreter&, Args) { return expr; }, 0, 0, true \
  }
#define VB_LONG(name, value) VB_CONSTANT(name, ScriptValue::Long(value))
#define VB_INT(name, value) VB_CONSTANT(name, ScriptValue::Integer(value))
#define VB_TEXT(name, value) VB_CONSTANT(name, ScriptValue::String(value))

const Builtin kBuiltins[] = {
    {"len", Len, 1, 1},
    {"left", Left, 2, 2},
    {"right", Right, 2, 2},
    {"mid", Mid, 2, 3},
    {"instr", InStr, 2, 4},
    {"instrrev", InStrRev, 2, 4},
    {"replace", Replace, 3, 6},
    {"split", Split, 1, 4},
    {"join", Join, 1, 2},
    {"ucase", UCase, 1, 1},
    {"lcase", LCase, 1, 1},
    {"trim", Trim, 1, 1},
    {"ltrim", LTrim, 1, 1},
    {"rtrim", RTrim, 1, 1},
    {"space", Space, 1, 1},
    {"string", StringOf, 2, 2},
    {"strreverse", StrReverse, 1, 1},
    {"strcomp", StrComp, 2, 3},
    {"chr", Chr, 1, 1},
    {"chrw", ChrW, 1, 1},
    {"asc", Asc, 1, 1},
    {"ascw", AscW, 1, 1},
    {"hex", Hex, 1, 1},
    {"oct", Oct, 1, 1},
    {"filter", Filter, 2, 4},
    {"cstr", CStr, 1, 1, false, BuiltinUse::kConversion},
    {"cint", CInt, 1, 1, false, BuiltinUse::kConversion},
    {"clng", CLng, 1, 1, false, BuiltinUse::kConversion},
    {"cbyte", CByte, 1, 1, false, BuiltinUse::kConversion},
    {"cdbl", CDbl, 1, 1, false, BuiltinUse::kConversion},
    {"csng", CSng, 1, 1, false, BuiltinUse::kConversion},
    {"ccur", CCur, 1, 1, false, BuiltinUse::kConversion},
    {"cbool", CBool, 1, 1, false, BuiltinUse::kConversion},
    {"cdate", CDate, 1, 1, false, BuiltinUse::kConversion},
    {"isnumeric", IsNumeric, 1, 1},
    {"isempty", IsEmpty, 1, 1},
    {"isnull", IsNull, 1, 1},
    {"isobject", IsObject, 1, 1},
    {"isarray", IsArray, 1, 1},
    {"isdate", IsDate, 1, 1},
    {"typename", TypeName, 1, 1},
    {"vartype", VarType, 1, 1},
    {"abs", Abs, 1, 1},
    {"int", Int, 1, 1},
    {"fix", Fix, 1, 1},
    {"round", Round, 1, 2},
    {"sgn", Sgn, 1, 1},
    {"sqr", Sqr, 1, 1},
    {"exp", Exp, 1, 1},
    {"log", Log, 1, 1},
    {"sin", Sin, 1, 1},
    {"cos", Cos, 1, 1},
    {"tan", Tan, 1, 1},
    {"atn", Atn, 1, 1},
    {"rnd", Rnd, 0, 1},
    {"randomize", Randomize, 0, 1, false, BuiltinUse::kStatement},
    {"rgb", Rgb, 3, 3},
    {"now", Now, 0, 0},
    {"date", DateNow, 0, 0},
    {"time", TimeNow, 0, 0},
    {"timer", Timer, 0, 0},
    {"year", Year, 1, 1},
    {"month", Month, 1, 1},
    {"day", Day, 1, 1},
    {"hour", Hour, 1, 1},
    {"minute", Minute, 1, 1},
    {"second", Second, 1, 1},
    {"weekday", Weekday, 1, 2},
    {"weekdayname", WeekdayName, 1, 3},
    {"monthname", MonthName, 1, 2},
    {"dateadd", DateAdd, 3, 3},
    {"datediff", DateDiff, 3, 5},
    {"datepart", DatePart, 2, 4},
    {"dateserial", DateSerial, 3, 3},
    {"timeserial", TimeSerial, 3, 3},
    {"datevalue", DateValue, 1, 1},
    {"timevalue", TimeValue, 1, 1},
    {"formatdatetime", FormatDateTime, 1, 2},
    {"formatnumber", FormatNumber, 1, 5},
    {"formatpercent", FormatPercent, 1, 5},
    {"formatcurrency", FormatCurrency, 1, 5},
    {"array", ArrayOf, 0, 1024},
    {"ubound", UBound, 1, 2},
    {"lbound", LBound, 1, 2},
    {"eval", Eval, 1, 1},
    {"execute", Execute, 1, 1},
    {"executeglobal", ExecuteGlobal, 1, 1},
    {"getref", GetRef, 1, 1},
    {"createobject", CreateObject, 1, 2},
    {"getobject", GetObject, 0, 2},
    {"err", ErrValue, 0, 0},
    {"escape", Escape, 1, 1},
    {"unescape", Unescape, 1, 1},
    {"getlocale", GetLocale, 0, 0},
    {"setlocale", SetLocale, 0, 1},
    {"msgbox", NoInterface, 0, 5},
    {"inputbox", NoInterface, 0, 7},
    {"scriptengine", EngineName, 0, 0},
    {"scriptenginemajorversion", EngineMajor, 0, 0},
    {"scriptengineminorversion", EngineMinor, 0, 0},
    {"scriptenginebuildversion", EngineBuild, 0, 0},
    VB_TEXT("vbcrlf", "\r\n"),
    VB_TEXT("vbnewline", "\r\n"),
    VB_TEXT("vbcr", "\r"),
    VB_TEXT("vblf", "\n"),
    VB_TEXT("vbtab", "\t"),
    VB_TEXT("vbnullstring", ""),
    VB_CONSTANT("vbnullchar", ScriptValue::String(std::string(1, '\0'))),
    VB_TEXT("vbback", "\b"),
    VB_TEXT("vbformfeed", "\f"),
    VB_TEXT("vbverticaltab", "\v"),
    VB_INT("vbtrue", -1),
    VB_INT("vbfalse", 0),
    VB_INT("vbusedefault", -2),
    VB_INT("vbbinarycompare", 0),
    VB_INT("vbtextcompare", 1),
    VB_INT("vbdatabasecompare", 2),
    VB_INT("vbusesystemdayofweek", 0),
    VB_INT("vbsunday", 1),
    VB_INT("vbmonday", 2),
    VB_INT("vbtuesday", 3),
    VB_INT("vbwednesday", 4),
    VB_INT("vbthursday", 5),
    VB_INT("vbfriday", 6),
    VB_INT("vbsaturday", 7),
    VB_INT("vbusesystem", 0),
    VB_INT("vbfirstjan1", 1),
    VB_INT("vbfirstfourdays", 2),
    VB_INT("vbfirstfullweek", 3),
    VB_INT("vbgeneraldate", 0),
    VB_INT("vblongdate", 1),
    VB_INT("vbshortdate", 2),
    VB_INT("vblongtime", 3),
    VB_INT("vbshorttime", 4),
    VB_LONG("vbobjecterror", static_cast<int32_t>(0x80040000)),
    VB_INT("vbempty", 0),
    VB_INT("vbnull", 1),
    VB_INT("vbinteger", 2),
    VB_INT("vblong", 3),
    VB_INT("vbsingle", 4),
    VB_INT("vbdouble", 5),
    VB_INT("vbcurrency", 6),
    VB_INT("vbdate", 7),
    VB_INT("vbstring", 8),
    VB_INT("vbobject", 9),
    VB_INT("vberror", 10),
    VB_INT("vbboolean", 11),
    VB_INT("vbvariant", 12),
    VB_INT("vbdataobject", 13),
    VB_INT("vbdecimal", 14),
    VB_INT("vbbyte", 17),
    VB_INT("vbarray", 8192),
    VB_INT("vbokonly", 0),
    VB_INT("vbokcancel", 1),
    VB_INT("vbabortretryignore", 2),
    VB_INT("vbyesnocancel", 3),
    VB_INT("vbyesno", 4),
    VB_INT("vbretrycancel", 5),
    VB_INT("vbcritical", 16),
    VB_INT("vbquestion", 32),
    VB_INT("vbexclamation", 48),
    VB_INT("vbinformation", 64),
    VB_INT("vbdefaultbutton1", 0),
    VB_INT("vbdefaultbutton2", 256),
    VB_INT("vbdefaultbutton3", 512),
    VB_INT("vbdefaultbutton4", 768),
    VB_INT("vbapplicationmodal", 0),
    VB_INT("vbsystemmodal", 4096),
    VB_INT("vbmsgboxhelpbutton", 16384),
    VB_LONG("vbmsgboxsetforeground", 65536),
    VB_LONG("vbmsgboxright", 524288),
    VB_LONG("vbmsgboxrtlreading", 1048576),
    VB_INT("vbok", 1),
    VB_INT("vbcancel", 2),
    VB_INT("vbabort", 3),
    VB_INT("vbretry", 4),
    VB_INT("vbignore", 5),
    VB_INT("vbyes", 6),
    VB_INT("vbno", 7),
    VB_LONG("vbblack", 0),
    VB_LONG("vbred", 0xFF),
    VB_LONG("vbgreen", 0xFF00),
    VB_LONG("vbyellow", 0xFFFF),
    VB_LONG("vbblue", 0xFF0000),
    VB_LONG("vbmagenta", 0xFF00FF),
    VB_LONG("vbcyan", 0xFFFF00),
    VB_LONG("vbwhite", 0xFFFFFF),
};

}  // namespace

const Builtin* FindBuiltin(std::string_view name) {
  // Built once, read-only afterwards: a table, not state.
  static const std::unordered_map<std::string_view, const Builtin*> kIndex = [] {
    std::unordered_map<std::string_view, const Builtin*> index;
    for (const auto& builtin : kBuiltins) index.emplace(builtin.name, &builtin);
    return index;
  }();
  auto it = kIndex.find(name);
  return it == kIndex.end() ? nullptr : it->second;
}

}  // namespace quillon::vbscript
