#include "vbscript/Operators.h"

#include <cmath>
#include <limits>

#include "platform/ScriptObject.h"
#include "text/NumberText.h"
#include "text/ScriptDate.h"
#include "vbscript/RuntimeError.h"
#include "vbscript/Text.h"

namespace quillon::vbscript {
namespace {

using platform::ScriptType;

// The numeric types in the order arithmetic widens them.
enum class Num { kByte, kInteger, kLong, kSingle, kDouble, kCurrency, kDate };

struct Operand {
  Num kind;
  int64_t integer = 0;  // kByte, kInteger, kLong; kCurrency in ten-thousandths
  double real = 0;      // kSingle, kDouble, kDate
  double AsDouble() const {
    if (kind == Num::kCurrency) return static_cast<double>(integer) / 10000.0;
    return kind <= Num::kLong ? static_cast<double>(integer) : real;
  }
};

void Check(int error) {
  if (error != 0) ThrowError(error);
}

Operand ToOperand(const ScriptValue& value) {
  switch (value.Type()) {
    case ScriptType::kEmpty:
      return {Num::kInteger, 0};
    case ScriptType::kBoolean:
      return {Num::kInteger, value.BooleanValue() ? -1 : 0};
    case ScriptType::kByte:
      return {Num::kByte, value.IntegerValue()};
    case ScriptType::kInteger:
      return {Num::kInteger, value.IntegerValue()};
    case ScriptType::kLong:
      return {Num::kLong, value.IntegerValue()};
    case ScriptType::kSingle:
      return {Num::kSingle, 0, value.DoubleValue()};
    case ScriptType::kDouble:
      return {Num::kDouble, 0, value.DoubleValue()};
    case ScriptType::kDate:
      return {Num::kDate, 0, value.DoubleValue()};
    case ScriptType::kCurrency:
      return {Num::kCurrency, value.CurrencyValue()};
    case ScriptType::kString: {
      double number = 0;
      if (!quillon::text::ParseNumber(value.StringValue(), number)) ThrowError(13);
      return {Num::kDouble, 0, number};
    }
    case ScriptType::kObject:
      return ToOperand(Dereference(value));
    default:
      ThrowError(13);
  }
}

ScriptValue FitInteger(int64_t result, Num kind) {
  if (kind == Num::kByte && result >= 0 && result <= 255) {
    return ScriptValue::Byte(static_cast<uint8_t>(result));
  }
  if (kind <= Num::kInteger && result >= -32768 && result <= 32767) {
    return ScriptValue::Integer(static_cast<int16_t>(result));
  }
  if (result >= std::numeric_limits<int32_t>::min() &&
      result <= std::numeric_limits<int32_t>::max()) {
    return ScriptValue::Long(static_cast<int32_t>(result));
  }
  return ScriptValue::Double(static_cast<double>(result));
}

ScriptValue CheckedDouble(double result) {
  if (!std::isfinite(result)) ThrowError(6);
  return ScriptValue::Double(result);
}

ScriptValue CheckedDate(double serial) {
  if (!(serial > quillon::text::kScriptDateMin - 1 && serial < quillon::text::kScriptDateEnd)) {
    ThrowError(6);
  }
  return ScriptValue::Date(serial);
}

bool IsNullish(const ScriptValue& value) { return value.IsNull(); }

}  // namespace

ScriptValue Dereference(const ScriptValue& value) {
  if (!value.IsObject()) return value;
  const auto& object = value.ObjectValue();
  if (!object) ThrowError(91);
  ScriptValue result;
  platform::ScriptStatus status =
      object->Invoke("", platform::ScriptCall::kPropertyGet, {}, result);
  if (!status.ok()) {
    if (status.number == 438) ThrowError(438);
    RuntimeError error;
    error.number = status.number;
    error.description = status.description.empty() ? std::string(StandardErrorText(status.number))
                                                   : status.description;
    error.source = status.source;
    throw error;
  }
  if (result.IsObject()) ThrowError(13);
  return result;
}

std::string ToText(const ScriptValue& value) {
  std::string text;
  Check(value.ToText(text));
  return text;
}

double ToDouble(const ScriptValue& value) {
  double number = 0;
  Check(value.ToDouble(number));
  return number;
}

int32_t ToLong(const ScriptValue& value) {
  int32_t number = 0;
  Check(value.ToLong(number));
  return number;
}

bool ToBoolean(const ScriptValue& value) {
  bool truth = false;
  Check(value.ToBoolean(truth));
  return truth;
}

double ToDate(const ScriptValue& value) {
  double serial = 0;
  Check(value.ToDate(serial));
  return serial;
}

ScriptValue Arithmetic(Op op, const ScriptValue& left, const ScriptValue& right) {
  if (op == Op::kAdd && left.IsString() && right.IsString()) {
    return Concatenate(left, right);
  }
  if (IsNullish(left) || IsNullish(right)) {
    // Null still has to meet a value that could take part, or the operation is a mismatch.
    if (left.IsArray() || right.IsArray()) ThrowError(13);
    return ScriptValue::Null();
  }
  // Fast path: the counters and sums that loops spend their time on.
  if (left.Type() == ScriptType::kLong || left.Type() == ScriptType::kInteger) {
    if (right.Type() == ScriptType::kLong || right.Type() == ScriptType::kInteger) {
      int64_t a = left.IntegerValue();
      int64_t b = right.IntegerValue();
      Num kind = left.Type() == ScriptType::kLong || right.Type() == ScriptType::kLong
                     ? Num::kLong
                     : Num::kInteger;
      switch (op) {
        case Op::kAdd:
          return FitInteger(a + b, kind);
        case Op::kSub:
          return FitInteger(a - b, kind);
        case Op::kMul:
          return FitInteger(a * b, kind);
        default:
          break;
      }
    }
  }
  if (op == Op::kAdd && (left.IsString() || right.IsString()) &&
      (left.IsEmpty() || right.IsEmpty())) {
    // Empty + "x" is the string itself.
    return left.IsString() ? left : right;
  }
  Operand a = ToOperand(left);
  Operand b = ToOperand(right);
  switch (op) {
    case Op::kAdd:
    case Op::kSub:
    case Op::kMul: {
      bool date = (a.kind == Num::kDate || b.kind == Num::kDate) && op != Op::kMul;
      if (date) {
        double result = op == Op::kAdd ? a.AsDouble() + b.AsDouble() : a.AsDouble() - b.AsDouble();
        if (op == Op::kSub && a.kind == Num::kDate && b.kind == Num::kDate) {
          return CheckedDouble(result);
        }
        return CheckedDate(result);
      }
      Num kind = std::max(a.kind, b.kind);
      if (kind == Num::kDate) kind = Num::kDouble;
      if (kind == Num::kCurrency && (a.kind == Num::kDouble || b.kind == Num::kDouble ||
                                     a.kind == Num::kSingle || b.kind == Num::kSingle)) {
        kind = Num::kDouble;
      }
      if (kind == Num::kSingle && (a.kind == Num::kLong || b.kind == Num::kLong)) {
        kind = Num::kDouble;
      }
      if (kind <= Num::kLong) {
        int64_t x = a.integer;
        int64_t y = b.integer;
        int64_t r = op == Op::kAdd ? x + y : op == Op::kSub ? x - y : x * y;
        return FitInteger(r, kind);
      }
      if (kind == Num::kCurrency) {
        long double x = static_cast<long double>(a.AsDouble());
        long double y = static_cast<long double>(b.AsDouble());
        long double r = op == Op::kAdd ? x + y : op == Op::kSub ? x - y : x * y;
        long double scaled = std::nearbyint(r * 10000.0L);
        if (!(std::fabs(scaled) < 9.2e18L)) ThrowError(6);
        return ScriptValue::Currency(static_cast<int64_t>(scaled));
      }
      double x = a.AsDouble();
      double y = b.AsDouble();
      double r = op == Op::kAdd ? x + y : op == Op::kSub ? x - y : x * y;
      if (kind == Num::kSingle) {
        if (!std::isfinite(r) || std::fabs(r) > 3.402823466e38) ThrowError(6);
        return ScriptValue::Single(static_cast<float>(r));
      }
      return CheckedDouble(r);
    }
    case Op::kDiv: {
      double y = b.AsDouble();
      double x = a.AsDouble();
      if (y == 0) ThrowError(x == 0 ? 6 : 11);
      return CheckedDouble(x / y);
    }
    case Op::kIntDiv:
    case Op::kMod: {
      int32_t x = ToLong(left);
      int32_t y = ToLong(right);
      if (y == 0) ThrowError(11);
      int64_t r = op == Op::kIntDiv ? static_cast<int64_t>(x) / y : static_cast<int64_t>(x) % y;
      Num kind = a.kind == Num::kByte && b.kind == Num::kByte           ? Num::kByte
                 : (a.kind <= Num::kInteger && b.kind <= Num::kInteger) ? Num::kInteger
                                                                        : Num::kLong;
      return FitInteger(r, kind);
    }
    case Op::kPow: {
      double x = a.AsDouble();
      double y = b.AsDouble();
      if (x == 0 && y < 0) ThrowError(5);
      if (x < 0 && y != std::floor(y)) ThrowError(5);
      return CheckedDouble(std::pow(x, y));
    }
    default:
      ThrowError(51);
  }
}

ScriptValue Concatenate(const ScriptValue& left, const ScriptValue& right) {
  if (left.IsNull() && right.IsNull()) return ScriptValue::Null();
  std::string result;
  if (left.IsString()) {
    result = left.StringValue();
  } else if (!left.IsNull()) {
    result = ToText(left);
  }
  if (right.IsString()) {
    result += right.StringValue();
  } else if (!right.IsNull()) {
    result += ToText(right);
  }
  return ScriptValue::String(std::move(result));
}

namespace {

// The integer operands of a bitwise operation, and whether both were Booleans.
struct BitOperands {
  int32_t a;
  int32_t b;
  bool boolean;
  Num kind;
};

Num BitKind(const ScriptValue& value) {
  switch (value.Type()) {
    case ScriptType::kByte:
      return Num::kByte;
    case ScriptType::kEmpty:
    case ScriptType::kBoolean:
    case ScriptType::kInteger:
      return Num::kInteger;
    default:
      return Num::kLong;
  }
}

ScriptValue BitResult(int64_t bits, bool boolean, Num kind) {
  if (boolean) return ScriptValue::Boolean(bits != 0);
  if (kind == Num::kByte) return ScriptValue::Byte(static_cast<uint8_t>(bits));
  if (kind == Num::kInteger) return ScriptValue::Integer(static_cast<int16_t>(bits));
  return ScriptValue::Long(static_cast<int32_t>(bits));
}

}  // namespace

ScriptValue Logical(Op op, const ScriptValue& left_in, const ScriptValue& right_in) {
  ScriptValue left = Dereference(left_in);
  ScriptValue right = Dereference(right_in);
  bool left_null = left.IsNull();
  bool right_null = right.IsNull();
  if (left_null || right_null) {
    if (left_null && right_null) return ScriptValue::Null();
    const ScriptValue& other = left_null ? right : left;
    int32_t bits =
        other.Type() == ScriptType::kBoolean ? (other.BooleanValue() ? -1 : 0) : ToLong(other);
    switch (op) {
      case Op::kAnd:
        if (bits == 0)
          return other.Type() == ScriptType::kBoolean ? other : ScriptValue::Integer(0);
        return ScriptValue::Null();
      case Op::kOr:
        if (bits == -1) return other;
        return ScriptValue::Null();
      case Op::kImp:
        if (left_null && bits == -1) return other;
        if (right_null && bits == 0) return ScriptValue::Boolean(true);
        return ScriptValue::Null();
      default:
        return ScriptValue::Null();
    }
  }
  bool boolean = left.Type() == ScriptType::kBoolean && right.Type() == ScriptType::kBoolean;
  int32_t a = left.Type() == ScriptType::kBoolean ? (left.BooleanValue() ? -1 : 0) : ToLong(left);
  int32_t b =
      right.Type() == ScriptType::kBoolean ? (right.BooleanValue() ? -1 : 0) : ToLong(right);
  Num kind = std::max(BitKind(left), BitKind(right));
  if (kind == Num::kByte && !(BitKind(left) == Num::kByte && BitKind(right) == Num::kByte)) {
    kind = Num::kInteger;
  }
  int64_t bits = 0;
  switch (op) {
    case Op::kAnd:
      bits = a & b;
      break;
    case Op::kOr:
      bits = a | b;
      break;
    case Op::kXor:
      bits = a ^ b;
      break;
    case Op::kEqv:
      bits = ~(a ^ b);
      break;
    case Op::kImp:
      bits = ~a | b;
      break;
    default:
      ThrowError(51);
  }
  return BitResult(bits, boolean, kind);
}

ScriptValue Negate(const ScriptValue& operand_in) {
  ScriptValue operand = Dereference(operand_in);
  switch (operand.Type()) {
    case ScriptType::kNull:
      return operand;
    case ScriptType::kEmpty:
      return ScriptValue::Integer(0);
    case ScriptType::kBoolean:
      return ScriptValue::Integer(operand.BooleanValue() ? 1 : 0);
    case ScriptType::kByte:
    case ScriptType::kInteger:
      return FitInteger(-static_cast<int64_t>(operand.IntegerValue()), Num::kInteger);
    case ScriptType::kLong:
      return FitInteger(-static_cast<int64_t>(operand.IntegerValue()), Num::kLong);
    case ScriptType::kSingle:
      return ScriptValue::Single(static_cast<float>(-operand.DoubleValue()));
    case ScriptType::kDouble:
      return ScriptValue::Double(-operand.DoubleValue());
    case ScriptType::kDate:
      return CheckedDate(-operand.DoubleValue());
    case ScriptType::kCurrency:
      return ScriptValue::Currency(-operand.CurrencyValue());
    case ScriptType::kString:
      return ScriptValue::Double(-ToDouble(operand));
    default:
      ThrowError(13);
  }
}

ScriptValue LogicalNot(const ScriptValue& operand_in) {
  ScriptValue operand = Dereference(operand_in);
  switch (operand.Type()) {
    case ScriptType::kNull:
      return operand;
    case ScriptType::kBoolean:
      return ScriptValue::Boolean(!operand.BooleanValue());
    case ScriptType::kEmpty:
      return ScriptValue::Integer(-1);
    case ScriptType::kByte:
      return ScriptValue::Byte(static_cast<uint8_t>(~operand.IntegerValue()));
    case ScriptType::kInteger:
      return ScriptValue::Integer(static_cast<int16_t>(~operand.IntegerValue()));
    default:
      return ScriptValue::Long(~ToLong(operand));
  }
}

namespace {

bool IsNumericLike(const ScriptValue& value) {
  return value.IsNumber() || value.Type() == ScriptType::kBoolean ||
         value.Type() == ScriptType::kDate;
}

int Sign(double x) { return x < 0 ? -1 : x > 0 ? 1 : 0; }

}  // namespace

int CompareOrder(const ScriptValue& left_in, const ScriptValue& right_in, bool left_literal,
                 bool right_literal, bool ignore_case) {
  // Objects compare by their default values; everything else as it is, without a copy.
  ScriptValue left_value;
  ScriptValue right_value;
  if (left_in.IsObject()) left_value = Dereference(left_in);
  if (right_in.IsObject()) right_value = Dereference(right_in);
  const ScriptValue& left = left_in.IsObject() ? left_value : left_in;
  const ScriptValue& right = right_in.IsObject() ? right_value : right_in;
  if (left.IsArray() || right.IsArray()) ThrowError(13);
  if (left.IsEmpty() && right.IsEmpty()) return 0;
  if (left.IsString() && right.IsString()) {
    return text::Compare(left.StringValue(), right.StringValue(), ignore_case);
  }
  if (left.IsString() || right.IsString()) {
    const ScriptValue& str = left.IsString() ? left : right;
    const ScriptValue& other = left.IsString() ? right : left;
    bool str_is_left = left.IsString();
    int order = 0;
    if (other.IsEmpty()) {
      order = text::Compare(str.StringValue(), "", ignore_case);
    } else {
      bool other_literal = str_is_left ? right_literal : left_literal;
      bool str_literal = str_is_left ? left_literal : right_literal;
      double number = 0;
      if (other_literal && quillon::text::ParseNumber(str.StringValue(), number)) {
        order = Sign(number - ToDouble(other));
      } else if (str_literal) {
        order = text::Compare(str.StringValue(), ToText(other), ignore_case);
      } else if (other_literal) {
        ThrowError(13);
      } else {
        order = 1;  // a string is greater than any number
      }
    }
    return str_is_left ? order : -order;
  }
  if (left.Type() == ScriptType::kCurrency && right.Type() == ScriptType::kCurrency) {
    int64_t a = left.CurrencyValue();
    int64_t b = right.CurrencyValue();
    return a < b ? -1 : a > b ? 1 : 0;
  }
  if ((IsNumericLike(left) || left.IsEmpty()) && (IsNumericLike(right) || right.IsEmpty())) {
    if ((left.Type() == ScriptType::kLong || left.Type() == ScriptType::kInteger) &&
        (right.Type() == ScriptType::kLong || right.Type() == ScriptType::kInteger)) {
      int32_t a = left.IntegerValue();
      int32_t b = right.IntegerValue();
      return a < b ? -1 : a > b ? 1 : 0;
    }
    double a = ToDouble(left);
    double b = ToDouble(right);
    // A Single meets a Double at the Single's precision, so CSng(0.1) = 0.1 holds.
    if ((left.Type() == ScriptType::kSingle && right.Type() == ScriptType::kDouble) ||
        (left.Type() == ScriptType::kDouble && right.Type() == ScriptType::kSingle)) {
      float fa = static_cast<float>(a);
      float fb = static_cast<float>(b);
      return fa < fb ? -1 : fa > fb ? 1 : 0;
    }
    return a < b ? -1 : a > b ? 1 : 0;
  }
  ThrowError(13);
}

ScriptValue Compare(Op op, const ScriptValue& left, const ScriptValue& right, bool left_literal,
                    bool right_literal) {
  if (op == Op::kIs) {
    if (!left.IsObject() || !right.IsObject()) ThrowError(424);
    return ScriptValue::Boolean(left.ObjectValue() == right.ObjectValue());
  }
  if (left.IsNull() || right.IsNull()) return ScriptValue::Null();
  int order = CompareOrder(left, right, left_literal, right_literal);
  bool result = false;
  switch (op) {
    case Op::kEq:
      result = order == 0;
      break;
    case Op::kNe:
      result = order != 0;
      break;
    case Op::kLt:
      result = order < 0;
      break;
    case Op::kGt:
      result = order > 0;
      break;
    case Op::kLe:
      result = order <= 0;
      break;
    case Op::kGe:
      result = order >= 0;
      break;
    default:
      ThrowError(51);
  }
  return ScriptValue::Boolean(result);
}

bool IsTrue(const ScriptValue& value) {
  if (value.Type() == ScriptType::kBoolean) return value.BooleanValue();
  if (value.IsNull()) return false;
  return ToBoolean(value);
}

}  // namespace quillon::vbscript
