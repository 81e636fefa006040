// The error numbers the built-ins raise for Null, Empty and arguments of the wrong type, as
// VBScript raises them: scripts test Err.Number for these, so a different number is a different
// branch taken. A row with 0 must run without an error.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PrintCode.h"
#include "VirtualClock.h"
#include "vbscript/VbScriptHost.h"

namespace quillon::vbscript::testing {
namespace {

using platform::ScriptErrorInfo;

struct ErrorRow {
  const char* code;
  int number;  // 0: no error
};

void PrintTo(const ErrorRow& row, std::ostream* out) { PrintCode(row.code, out); }

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
    {"x = Split(\"a b\", Null)", 94},
    {"x = Split(Empty)", 0},
    {"x = Len(Null)", 0},
    {"x = UCase(Null)", 0},
    {"x = Trim(Null)", 0},
    {"x = Space(Null)", 94},
    {"x = String(Null, \"a\")", 0},
    {"x = String(3, Null)", 0},
    {"x = StrReverse(Null)", 94},
    {"x = StrComp(Null, \"a\")", 0},
    {"x = StrComp(\"a\", \"b\", Null)", 94},
    {"x = Chr(Null)", 94},
    {"x = Asc(Null)", 94},
    {"x = Asc(Empty)", 5},
    {"x = Hex(Null)", 0},
    {"x = Hex(\"x\")", 13},
    {"x = Replace(Null, \"a\", \"b\")", 94},
    {"x = Replace(\"a\", Null, \"b\")", 94},
    {"x = Replace(\"a\", \"a\", Null)", 94},
    {"x = InStr(Null, \"a\", \"b\")", 94},
    {"x = InStr(1, Null, \"a\")", 0},
    {"x = Filter(Null, \"a\")", 13},
    {"x = Filter(Array(\"a\"), Null)", 94},
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
    {"x = CStr(Null)", 94},
    {"x = CInt(Null)", 94},
    {"x = CBool(Null)", 94},
    {"x = CDate(Null)", 94},
    {"x = CLng(Empty)", 0},
    {"x = Abs(Null)", 0},
    {"x = Abs(\"x\")", 13},
    {"x = Int(Null)", 0},
    {"x = Round(1.5, Null)", 94},
    {"x = Rnd(Null)", 94},
    {"x = RGB(Null, 0, 0)", 94},
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
    {"x = WeekdayName(Null)", 94},
    {"x = Year(Null)", 0},
    {"x = Day(\"x\")", 13},
    {"x = DateAdd(\"d\", 1, Null)", 0},
    {"x = DateAdd(\"d\", Null, Date)", 94},
    {"x = DateDiff(\"d\", Null, Date)", 0},
    {"x = DatePart(Null, Date)", 94},
    {"x = DateSerial(Null, 1, 1)", 94},
    {"x = DateValue(\"x\")", 13},
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
    {"x = UBound(Null)", 13},
    {"x = UBound(Empty)", 13},
    {"x = UBound(Array(), Null)", 94},
    {"x = Join(Array(), Null)", 94},
    // The engine itself.
    {"x = Eval(Null)", 94},
    {"x = CreateObject(Null)", 94},
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
