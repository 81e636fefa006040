#include "platform/ScriptValue.h"

#include <cassert>
#include <cmath>
#include <limits>
#include <span>
#include <vector>

#include "platform/ScriptArray.h"
#include "platform/ScriptObject.h"
#include "text/DateText.h"
#include "text/NumberText.h"
#include "text/ScriptDate.h"
#include "text/Strings.h"

namespace quillon::platform {
namespace {

constexpr int kTypeMismatch = 13;
constexpr int kOverflow = 6;
constexpr int kInvalidUseOfNull = 94;

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
      out = text::FormatDouble(DoubleValue(), 7);
      return 0;
    case ScriptType::kDouble:
      out = text::FormatDouble(DoubleValue());
      return 0;
    case ScriptType::kCurrency:
      out = text::FormatCurrency(CurrencyValue());
      return 0;
    case ScriptType::kDate:
      out = text::FormatDate(DoubleValue());
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
      return text::ParseNumber(StringValue(), out) ? 0 : kTypeMismatch;
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
      std::string_view word = text::TrimWhitespace(StringValue());
      if (text::EqualsAsciiNoCase(word, "true") || text::EqualsAsciiNoCase(word, "#true#")) {
        out = true;
        return 0;
      }
      if (text::EqualsAsciiNoCase(word, "false") || text::EqualsAsciiNoCase(word, "#false#")) {
        out = false;
        return 0;
      }
      double number = 0;
      if (!text::ParseNumber(word, number)) return kTypeMismatch;
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
    if (text::ParseDate(StringValue(), out)) return 0;
    double number = 0;
    if (!text::ParseNumber(StringValue(), number)) return kTypeMismatch;
    out = number;
  } else if (type_ == ScriptType::kObject) {
    ScriptValue value;
    if (int error = DefaultValue(ObjectValue(), value)) return error;
    return value.ToDate(out);
  } else if (int error = ToDouble(out)) {
    return error;
  }
  if (!(out > text::kScriptDateMin - 1 && out < text::kScriptDateEnd)) return kOverflow;
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

}  // namespace quillon::platform
