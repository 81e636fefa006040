// How the variant turns Booleans into numbers and text into Booleans: what a host reading a
// script's value gets, whatever the script engine.
#include <gtest/gtest.h>

#include <string>

#include "platform/ScriptValue.h"

namespace quillon::platform {
namespace {

TEST(BooleanConversion, TrueIsAllBitsSetAsANumber) {
  int32_t n = 0;
  EXPECT_EQ(ScriptValue::Boolean(true).ToLong(n), 0);
  EXPECT_EQ(n, -1);
  EXPECT_EQ(ScriptValue::Boolean(false).ToLong(n), 0);
  EXPECT_EQ(n, 0);
  double d = 0;
  EXPECT_EQ(ScriptValue::Boolean(true).ToDouble(d), 0);
  EXPECT_EQ(d, -1);
}

TEST(BooleanConversion, TextReadsTheWordsAndTheirMarkedForm) {
  struct Row {
    const char* text;
    int error;
    bool truth;
  };
  const Row rows[] = {{"True", 0, true},     {"#TRUE#", 0, true}, {"#false#", 0, false},
                      {" #True# ", 0, true}, {"0", 0, false},     {"#TRUE", 13, false},
                      {"TRUE#", 13, false},  {"##", 13, false},   {"#1#", 13, false}};
  for (const auto& row : rows) {
    bool truth = !row.truth;
    EXPECT_EQ(ScriptValue::String(row.text).ToBoolean(truth), row.error) << row.text;
    if (row.error == 0) {
      EXPECT_EQ(truth, row.truth) << row.text;
    }
  }
}

}  // namespace
}  // namespace quillon::platform
