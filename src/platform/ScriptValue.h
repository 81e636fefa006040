#pragma once
// The value a script and its host exchange: the script host's variant. It carries one of the
// variant types below; the type numbers are the ones VarType reports, so a host written against
// the original platform reads them the same way.
//
// Conversions follow the variant rules of the platform (what CStr, CDbl, CLng, CBool and CDate
// do, en-US formats): they never throw; a failure comes back as a script error number (13 "Type
// mismatch", 6 "Overflow", 94 "Invalid use of Null") and 0 means success. Converting an object
// reads its default property. Text is read and written as text/NumberText.h and text/DateText.h
// say.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace quillon::platform {

class ScriptObject;
struct ScriptArray;

enum class ScriptType : uint16_t {
  kEmpty = 0,
  kNull = 1,
  kInteger = 2,  // 16-bit
  kLong = 3,     // 32-bit
  kSingle = 4,
  kDouble = 5,
  kCurrency = 6,  // 64-bit count of ten-thousandths
  kDate = 7,      // days since 1899-12-30, the time of day as the fraction
  kString = 8,
  kObject = 9,  // a null object is Nothing
  kError = 10,  // only as the marker of an omitted optional argument
  kBoolean = 11,
  kByte = 17,
  kArray = 8204,  // an array of variants (vbArray + vbVariant)
};

class ScriptValue {
 public:
  ScriptValue() = default;  // Empty
  // Copies and moves touch the string or reference only when there is one: numbers are what
  // scripts copy most.
  ScriptValue(const ScriptValue& other) : type_(other.type_), number_(other.number_) {
    if (other.heavy_.index() != 0) heavy_ = other.heavy_;
  }
  ScriptValue(ScriptValue&& other) noexcept : type_(other.type_), number_(other.number_) {
    if (other.heavy_.index() != 0) heavy_ = std::move(other.heavy_);
  }
  ScriptValue& operator=(const ScriptValue& other) {
    if (this != &other) {
      type_ = other.type_;
      number_ = other.number_;
      if (other.heavy_.index() != 0 || heavy_.index() != 0) heavy_ = other.heavy_;
    }
    return *this;
  }
  ScriptValue& operator=(ScriptValue&& other) noexcept {
    if (this != &other) {
      type_ = other.type_;
      number_ = other.number_;
      if (other.heavy_.index() != 0 || heavy_.index() != 0) heavy_ = std::move(other.heavy_);
    }
    return *this;
  }
  ~ScriptValue() = default;

  static ScriptValue Null();
  static ScriptValue Boolean(bool value);
  static ScriptValue Byte(uint8_t value);
  static ScriptValue Integer(int16_t value);
  static ScriptValue Long(int32_t value);
  static ScriptValue Single(float value);
  static ScriptValue Double(double value);
  static ScriptValue Currency(int64_t ten_thousandths);
  static ScriptValue Date(double serial);
  static ScriptValue String(std::string text);
  static ScriptValue Object(std::shared_ptr<ScriptObject> object);
  static ScriptValue Nothing();
  static ScriptValue Array(std::shared_ptr<ScriptArray> array);
  static ScriptValue Missing();

  ScriptType Type() const { return type_; }
  bool IsEmpty() const { return type_ == ScriptType::kEmpty; }
  bool IsNull() const { return type_ == ScriptType::kNull; }
  bool IsString() const { return type_ == ScriptType::kString; }
  bool IsObject() const { return type_ == ScriptType::kObject; }
  bool IsArray() const { return type_ == ScriptType::kArray; }
  bool IsMissing() const { return type_ == ScriptType::kError; }
  // Byte, Integer, Long, Single, Double, Currency (not Boolean, Date or String).
  bool IsNumber() const;

  // Raw access; each asserts the matching type family.
  bool BooleanValue() const;                                 // kBoolean
  int32_t IntegerValue() const;                              // kByte, kInteger, kLong
  double DoubleValue() const;                                // kSingle, kDouble, kDate
  int64_t CurrencyValue() const;                             // kCurrency
  const std::string& StringValue() const;                    // kString
  std::string& MutableString();                              // kString
  const std::shared_ptr<ScriptObject>& ObjectValue() const;  // kObject
  const std::shared_ptr<ScriptArray>& ArrayValue() const;    // kArray

  int ToText(std::string& out) const;
  int ToDouble(double& out) const;
  int ToLong(int32_t& out) const;  // halves round to even
  int ToBoolean(bool& out) const;
  int ToDate(double& out) const;
  int ToCurrency(int64_t& out) const;

  // Lenient shorthands for hosts: the converted value, or "" / 0 / false when it fails.
  std::string Text() const;
  double Number() const;
  bool Truth() const;

  // Destroys the values, taking apart the arrays and collections among them that nothing else
  // holds level by level, so that nesting of any depth ends without deep recursion.
  static void DestroyIteratively(std::vector<ScriptValue>& values);

 private:
  using Heavy = std::variant<std::monostate, std::string, std::shared_ptr<ScriptObject>,
                             std::shared_ptr<ScriptArray>>;
  union NumberBits {
    int64_t integer;  // Boolean, Byte, Integer, Long, Currency
    double real;      // Single, Double, Date
  };
  static ScriptValue Integral(ScriptType type, int64_t value) {
    ScriptValue v;
    v.type_ = type;
    v.number_.integer = value;
    return v;
  }
  static ScriptValue Real(ScriptType type, double value) {
    ScriptValue v;
    v.type_ = type;
    v.number_.real = value;
    return v;
  }
  static ScriptValue Referring(ScriptType type, Heavy heavy) {
    ScriptValue v;
    v.type_ = type;
    v.heavy_ = std::move(heavy);
    return v;
  }

  ScriptType type_ = ScriptType::kEmpty;
  NumberBits number_{0};
  Heavy heavy_;
};

}  // namespace quillon::platform
