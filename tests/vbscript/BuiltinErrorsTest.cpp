// The error numbers the built-ins raise for Null, Empty and arguments of the wrong type, as
// VBScript raises them: scripts test Err.Number for these, so a different number is a different
// branch taken. A row with 0 must run without an error.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "VirtualClock.h"
#include "vbscript/VbScriptHost.h"

namespace quillon::vbscript::testing {
namespace {

using platform::ScriptErrorInfo;

struct ErrorRow {
  const char* code;
  int number;  // 0: no error
};

constexpr ErrorRow kRows[] = {
    // Strings.
    {"x = InStrRev(Null, \"a\")", 94},
    {"x = InStrRev(\"a\", Null)", 94},
    {"x = InStr(Null, \"a\")", 0},
    {"x = Left(Null, 1)", 0},
    {"x = Left(Null, Null)", 94},
    {"x = Left(\"abc\", Null)", 94},
    {"x = Left(\"abc\", Empty)", 0},
    {"x = Left(Empty, 2)", 0},
    {"x = Left(Null, -1)", 5},
    {"x = Right(\"abc\", Null)", 94},
    {"x = Right(Null, 1)", 0},
    {"x = Mid(\"abc\", Null)", 94},
    {"x = Mid(\"abc\", 1, Null)", 94},
    {"x = Mid(\"abc\", Empty)", 5},
    {"x = Mid(Null, 0)", 5},
    {"x = Mid(Empty, 1)", 0},
    {"x = Mid(Null, 1, 1)", 0},
    {"x = Split(\"a-b\", \"-\", -1, 2)", 5},
    {"x = Split(\"a-b\", \"-\", -1, 1)", 0},
    {"x = Split(Null, \"-\")", 94},
    // Join: an array of one dimension whose elements are all text or become text.
    {"x = Join(Null)", 94},
    {"x = Join(5)", 13},
    {"x = Join(\"abc\")", 13},
    {"x = Join(Empty)", 13},
    {"x = Join(Array(Array(1)))", 13},
    {"Dim m(1, 1) : x = Join(m)", 13},
    {"x = Join(Array(1, Null))", 13},
    {"x = Join(CreateObject(\"Scripting.Dictionary\"))", 438},
    {"x = Join(Array(1, Empty, \"a\"), \"-\")", 0},
    // Numbers.
    {"x = Sgn(Null)", 94},
    {"x = Sgn(Empty)", 0},
    {"x = CInt(\"\")", 13},
    {"x = CInt(\"TRUE\")", 13},
    {"x = CInt(True)", 0},
    {"x = CByte(True)", 0},
    {"x = CByte(-1)", 6},
    // A conversion whose value is dropped.
    {"Call CInt(1)", 458},
    {"CLng 1", 458},
    {"Call CStr(\"a\")", 458},
    {"Call CInt(\"x\")", 13},
    // Randomize is a statement only.
    {"x = Randomize(0)", 13},
    {"x = Randomize", 13},
    {"Randomize 0", 0},
    {"Call Randomize(0)", 0},
    // Dates.
    {"x = Weekday(Null, -1)", 5},
    {"x = Weekday(Null)", 0},
    {"x = Weekday(Date, Null)", 94},
    {"x = Weekday(Date, \"a\")", 13},
    {"x = MonthName(\"a\", Null)", 94},
    {"x = MonthName(\"a\")", 13},
    {"x = WeekdayName(\"a\", Null)", 94},
    // The Format functions format a value or fail; Null is no value.
    {"x = FormatNumber(Null)", 13},
    {"x = FormatCurrency(Null)", 13},
    {"x = FormatPercent(Null)", 13},
    {"x = FormatDateTime(Null)", 13},
    // Arrays.
    {"Dim f(2) : ReDim Preserve f(3)", 10},
    {"ReDim g(\"x\")", 13},
    {"ReDim g(2) : ReDim Preserve g(\"x\")", 13},
    {"ReDim g(\"2\")", 0},
    // Err.Raise.
    {"Err.Raise", 450},
    {"Err.Raise 65536", 5},
    {"Err.Raise &h8007000E", 7},
    {"Err.Raise 1, 2, 3, 4, 5, 6", 450},
};

class BuiltinErrors : public ::testing::TestWithParam<ErrorRow> {};

TEST_P(BuiltinErrors, RaiseVBScriptsNumber) {
  VirtualClock clock;
  VbScriptHost host(clock.Clocks());
  std::vector<ScriptErrorInfo> errors;
  host.SetErrorHandler([&errors](const ScriptErrorInfo& error) { errors.push_back(error); });
  bool ok = host.ExecuteStatement(GetParam().code).ok;
  if (GetParam().number == 0) {
    EXPECT_TRUE(ok) << GetParam().code << ": "
                    << (errors.empty() ? std::string() : errors[0].description);
    return;
  }
  EXPECT_FALSE(ok) << GetParam().code;
  ASSERT_EQ(errors.size(), 1u) << GetParam().code;
  EXPECT_EQ(errors[0].number, GetParam().number)
      << GetParam().code << ": " << errors[0].description;
}

INSTANTIATE_TEST_SUITE_P(Table, BuiltinErrors, ::testing::ValuesIn(kRows));

}  // namespace
}  // namespace quillon::vbscript::testing
