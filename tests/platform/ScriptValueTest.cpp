// The variant rules at the seam: what hosts read from script values.
#include <gtest/gtest.h>

#include "platform/ScriptArray.h"
#include "platform/ScriptObject.h"
#include "platform/ScriptValue.h"

namespace quillon::platform {
namespace {

TEST(ScriptValue, ValuesPrintAsCStrPrintsThem) {
  EXPECT_EQ(ScriptValue::Single(0.1f).Text(), "0.1");
  EXPECT_EQ(ScriptValue::Currency(-12345).Text(), "-1.2345");
  EXPECT_EQ(ScriptValue::Boolean(true).Text(), "True");
  EXPECT_EQ(ScriptValue().Text(), "");
}

TEST(ScriptValue, ConversionsRoundHalvesToEvenAndReportFailures) {
  int32_t n = 0;
  EXPECT_EQ(ScriptValue::Double(2.5).ToLong(n), 0);
  EXPECT_EQ(n, 2);
  EXPECT_EQ(ScriptValue::Double(-3.5).ToLong(n), 0);
  EXPECT_EQ(n, -4);
  EXPECT_EQ(ScriptValue::Double(3e9).ToLong(n), 6);
  EXPECT_EQ(ScriptValue::String("x").ToLong(n), 13);
  EXPECT_EQ(ScriptValue::Null().ToLong(n), 94);
  std::string text;
  EXPECT_EQ(ScriptValue::Null().ToText(text), 94);
  EXPECT_EQ(ScriptValue::Array(std::make_shared<ScriptArray>()).ToText(text), 13);
  bool truth = false;
  EXPECT_EQ(ScriptValue::String(" true ").ToBoolean(truth), 0);
  EXPECT_TRUE(truth);
  EXPECT_EQ(ScriptValue::String("yes").ToBoolean(truth), 13);
  double date = 0;
  EXPECT_EQ(ScriptValue::Double(1e7).ToDate(date), 6);
  EXPECT_EQ(ScriptValue::Nothing().ToLong(n), 91);
}

// An object converts through its default property.
class Answer : public ScriptObject {
 public:
  std::string TypeName() const override { return "Answer"; }
  bool HasMember(std::string_view name) const override { return name.empty(); }
  ScriptStatus Invoke(std::string_view name, ScriptCall, std::span<ScriptValue>,
                      ScriptValue& result) override {
    if (!name.empty()) return ScriptStatus::Fail(438);
    result = ScriptValue::Integer(42);
    return ScriptStatus::Ok();
  }
};

TEST(ScriptValue, ObjectsConvertThroughTheirDefaultProperty) {
  ScriptValue object = ScriptValue::Object(std::make_shared<Answer>());
  EXPECT_EQ(object.Text(), "42");
  EXPECT_EQ(object.Number(), 42);
  EXPECT_TRUE(object.Truth());
}

TEST(ScriptArray, DeeplyNestedArraysAreFreedWithoutRecursion) {
  ScriptValue value;
  for (int i = 0; i < 200000; ++i) {
    auto array = std::make_shared<ScriptArray>();
    array->bounds.push_back({0, 1});
    array->elements.push_back(std::move(value));
    value = ScriptValue::Array(std::move(array));
  }
  value = ScriptValue();  // would overflow the stack if freed level by level recursively
  EXPECT_TRUE(value.IsEmpty());
}

}  // namespace
}  // namespace quillon::platform
