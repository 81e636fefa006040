// The variant rules at the seam: what hosts read from script values, and the calendar under
// every date.
#include <gtest/gtest.h>

#include "platform/ScriptArray.h"
#include "platform/ScriptDate.h"
#include "platform/ScriptObject.h"
#include "platform/ScriptValue.h"

namespace quillon::platform {
namespace {

TEST(ScriptValue, NumbersPrintAsCStrPrintsThem) {
  EXPECT_EQ(ScriptValue::FormatDouble(0.1 + 0.2), "0.3");
  EXPECT_EQ(ScriptValue::FormatDouble(1e15), "1E+15");
  EXPECT_EQ(ScriptValue::FormatDouble(123456789012345.0), "123456789012345");
  EXPECT_EQ(ScriptValue::FormatDouble(-0.0001), "-0.0001");
  EXPECT_EQ(ScriptValue::FormatDouble(0.00001), "1E-05");
  EXPECT_EQ(ScriptValue::Single(0.1f).Text(), "0.1");
  EXPECT_EQ(ScriptValue::FormatCurrency(-12345), "-1.2345");
  EXPECT_EQ(ScriptValue::FormatCurrency(20000), "2");
  EXPECT_EQ(ScriptValue::Boolean(true).Text(), "True");
  EXPECT_EQ(ScriptValue().Text(), "");
}

TEST(ScriptValue, NumericTextIsReadTheWayIsNumericReadsIt) {
  double n = 0;
  for (const char* text : {"12", " -3.5 ", "1,234", "1e3", "&HFF", "&o17", ".5", "+7", "2D2"}) {
    EXPECT_TRUE(ScriptValue::ParseNumber(text, n)) << text;
  }
  for (const char* text : {"", " ", "abc", "1.2.3", "1e", "&H", "&HG", "12abc", ",5", "--1"}) {
    EXPECT_FALSE(ScriptValue::ParseNumber(text, n)) << text;
  }
  ASSERT_TRUE(ScriptValue::ParseNumber("&HFFFF", n));
  EXPECT_EQ(n, -1);
  ASSERT_TRUE(ScriptValue::ParseNumber("&H10000", n));
  EXPECT_EQ(n, 65536);
}

TEST(ScriptValue, DatesParseInTheFormsEnUsUsersWrite) {
  double serial = 0;
  const double june12 = ScriptDayNumber(2026, 6, 12);
  for (const char* text : {"6/12/2026", "2026-06-12", "June 12, 2026", "12 Jun 2026",
                           "Friday, June 12, 2026", "06/12/26"}) {
    ASSERT_TRUE(ScriptValue::ParseDate(text, serial)) << text;
    EXPECT_EQ(serial, june12) << text;
  }
  ASSERT_TRUE(ScriptValue::ParseDate("6/12/2026 3:04:05 PM", serial));
  EXPECT_EQ(ScriptValue::FormatDate(serial), "6/12/2026 3:04:05 PM");
  ASSERT_TRUE(ScriptValue::ParseDate("12:00 AM", serial));
  EXPECT_EQ(serial, 0);
  ASSERT_TRUE(ScriptValue::ParseDate("12:30 PM", serial));
  EXPECT_EQ(ScriptValue::FormatDate(serial), "12:30:00 PM");
  for (const char* text : {"2/30/2026", "13/13/2026", "25:00", "hello", "6/12", "1/1/99999"}) {
    EXPECT_FALSE(ScriptValue::ParseDate(text, serial)) << text;
  }
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

TEST(ScriptDate, CalendarRoundTripsAcrossTheWholeRange) {
  for (int year : {100, 1600, 1899, 1900, 2000, 2024, 9999}) {
    for (int month : {1, 2, 12}) {
      int last = DaysInMonth(year, month);
      double serial = ScriptDayNumber(year, month, last);
      ScriptDateParts parts = ScriptDateSplit(serial);
      EXPECT_EQ(parts.year, year);
      EXPECT_EQ(parts.month, month);
      EXPECT_EQ(parts.day, last);
    }
  }
  EXPECT_EQ(ScriptDayNumber(1899, 12, 30), 0);
  EXPECT_EQ(ScriptDayNumber(100, 1, 1), kScriptDateMin);
  EXPECT_EQ(ScriptDateSplit(ScriptDayNumber(2026, 6, 12)).weekday, 6);  // a Friday
  // Before day 0 the fraction still counts forward from midnight.
  ScriptDateParts early = ScriptDateSplit(-1.25);
  EXPECT_EQ(early.day, 29);
  EXPECT_EQ(early.hour, 6);
  EXPECT_EQ(ScriptDateJoin(-2, 0.25), -2.25);
  // DateSerial-style rollover in both directions.
  EXPECT_EQ(ScriptDayNumber(2024, 14, 1), ScriptDayNumber(2025, 2, 1));
  EXPECT_EQ(ScriptDayNumber(2024, 0, 1), ScriptDayNumber(2023, 12, 1));
  EXPECT_EQ(ScriptDayNumber(2024, 3, 0), ScriptDayNumber(2024, 2, 29));
  // A time that rounds up to midnight moves to the next day.
  EXPECT_EQ(ScriptDateSplit(1.9999999).day, 1);
  EXPECT_EQ(ScriptDateSplit(1.9999999).month, 1);
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
