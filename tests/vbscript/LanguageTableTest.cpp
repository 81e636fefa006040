// Tables of small programs with what VBScript makes of them: the type and text of an
// expression's value, the number and place of a compilation error, the number and description
// of a runtime error. Each row is one fact a user's script may depend on.
#include <gtest/gtest.h>

#include <string>

#include "PrintCode.h"
#include "VirtualClock.h"
#include "vbscript/VbScriptHost.h"

namespace quillon::vbscript::testing {
namespace {

using platform::ScriptErrorInfo;
using platform::ScriptType;
using platform::ScriptValue;

std::string TypeOf(const ScriptValue& value) {
  switch (value.Type()) {
    case ScriptType::kEmpty:
      return "Empty";
    case ScriptType::kNull:
      return "Null";
    case ScriptType::kInteger:
      return "Integer";
    case ScriptType::kLong:
      return "Long";
    case ScriptType::kSingle:
      return "Single";
    case ScriptType::kDouble:
      return "Double";
    case ScriptType::kCurrency:
      return "Currency";
    case ScriptType::kDate:
      return "Date";
    case ScriptType::kString:
      return "String";
    case ScriptType::kObject:
      return "Object";
    case ScriptType::kError:
      return "Error";
    case ScriptType::kBoolean:
      return "Boolean";
    case ScriptType::kByte:
      return "Byte";
    case ScriptType::kArray:
      return "Array";
  }
  return "?";
}

struct ValueRow {
  const char* expression;
  const char* expected;  // type name, a blank, the value as CStr writes it
};

void PrintTo(const ValueRow& row, std::ostream* out) { PrintCode(row.expression, out); }

constexpr ValueRow kValues[] = {
    // Result types and widening.
    {"1 + 2", "Integer 3"},
    {"32767 + 1", "Long 32768"},
    {"-32768 - 1", "Long -32769"},
    {"2147483647 + 1", "Double 2147483648"},
    {"CByte(200) + CByte(100)", "Integer 300"},
    {"CByte(2) * CByte(3)", "Byte 6"},
    {"1.5 + 1", "Double 2.5"},
    {"CSng(1.5) + 1", "Single 2.5"},
    {"CSng(1.5) + 100000", "Double 100001.5"},
    {"CCur(1.5) + 1", "Currency 2.5"},
    {"CCur(1) / 3", "Double 0.333333333333333"},
    {"\"3\" * \"4\"", "Double 12"},
    {"\"3\" + \"4\"", "String 34"},
    {"\"3\" + 4", "Double 7"},
    {"Empty + Empty", "Integer 0"},
    {"Empty & Empty", "String "},
    {"True + True", "Integer -2"},
    {"True And 3", "Integer 3"},
    {"True Or False", "Boolean True"},
    {"Not 5", "Integer -6"},
    {"Not 5&", "Long -6"},
    {"Not 1.5", "Long -3"},
    {"7 \\ 2", "Integer 3"},
    {"7.9 \\ 2", "Long 4"},
    {"-7 Mod 3", "Integer -1"},
    {"7 Mod -3", "Integer 1"},
    {"2 ^ 10", "Double 1024"},
    {"10 / 4", "Double 2.5"},
    {"#1/1/2020# + 1", "Date 1/2/2020"},
    {"#1/2/2020# - #1/1/2020#", "Double 1"},
    {"#1/1/2020# - 1", "Date 12/31/2019"},
    {"1 & 2", "String 12"},
    {"Null & \"a\"", "String a"},
    {"Null + 1", "Null "},
    // Precedence.
    {"2 + 3 * 4 ^ 2 / 8", "Double 8"},
    {"-2 ^ 2", "Double 4"},
    {"2 ^ -1", "Double 0.5"},
    {"10 - 2 - 3", "Integer 5"},
    {"2 * 3 Mod 4", "Integer 2"},
    {"7 \\ 2 * 3", "Integer 1"},
    {"1 + 2 & 3", "String 33"},
    {"\"a\" & 1 + 2", "String a3"},
    {"Not 1 = 2", "Boolean True"},
    {"1 Or 2 And 0", "Integer 1"},
    {"1 < 2 = True", "Boolean True"},
    {"True Xor True", "Boolean False"},
    {"False Eqv False", "Boolean True"},
    {"False Imp False", "Boolean True"},
    // Comparisons.
    {"\"a\" < \"B\"", "Boolean False"},
    {"\"10\" = 10", "Boolean True"},
    {"Null = 1", "Null "},
    {"Empty = 0", "Boolean True"},
    {"Empty = \"\"", "Boolean True"},
    // Conversions.
    {"CInt(\"12\")", "Integer 12"},
    {"CInt(1.5)", "Integer 2"},
    {"CInt(0.5)", "Integer 0"},
    {"CInt(-1.5)", "Integer -2"},
    {"CLng(2.5)", "Long 2"},
    {"CLng(\"&HFFFF\")", "Long -1"},
    {"CDbl(\"1.5e2\")", "Double 150"},
    {"CDbl(True)", "Double -1"},
    {"CBool(\"0\")", "Boolean False"},
    {"CStr(1.0)", "String 1"},
    {"CStr(#1/1/2000 12:00#)", "String 1/1/2000 12:00:00 PM"},
    {"CDate(\"1/1/2000\") + 0.5", "Date 1/1/2000 12:00:00 PM"},
    {"CCur(\"1,234.5678\")", "Currency 1234.5678"},
    {"CSng(\"0.1\")", "Single 0.1"},
    {"CByte(\"255\")", "Byte 255"},
    {"Hex(CInt(-32768))", "String 8000"},
    {"Oct(-1)", "String 177777"},
    // Rounding.
    {"Fix(-1.5)", "Double -1"},
    {"Int(-1.5)", "Double -2"},
    {"Int(5)", "Integer 5"},
    {"Round(0.5)", "Double 0"},
    {"Round(1.5)", "Double 2"},
    {"Round(-1.5)", "Double -2"},
    {"Round(1.25, 1)", "Double 1.2"},
    {"Round(1.35, 1)", "Double 1.4"},
    {"Round(5)", "Integer 5"},
    {"Sgn(-0.1)", "Integer -1"},
    // Strings at their edges.
    {"Len(\"\")", "Long 0"},
    {"Len(123.5)", "Long 5"},
    {"Mid(\"abc\", 5)", "String "},
    {"Left(\"abc\", 10)", "String abc"},
    {"Right(\"abc\", 0)", "String "},
    {"InStr(\"abc\", \"\")", "Long 1"},
    {"InStr(4, \"abc\", \"c\")", "Long 0"},
    {"InStr(\"\", \"a\")", "Long 0"},
    {"InStr(Null, \"a\")", "Null "},
    {"InStrRev(\"abc\", \"\")", "Long 3"},
    {"Replace(\"abc\", \"\", \"x\")", "String abc"},
    {"UBound(Split(\"\"))", "Long -1"},
    {"UBound(Split(\"abc\", \"\"))", "Long 0"},
    {"Join(Array())", "String "},
    {"StrComp(\"a\", \"a\")", "Integer 0"},
    {"Asc(\"A\")", "Integer 65"},
    {"AscW(ChrW(-1))", "Integer -1"},
    {"Chr(0) = vbNullChar", "Boolean True"},
    {"Escape(\"a b&c/é€\")", "String a%20b%26c/%E9%u20AC"},
    {"Unescape(\"a%20b%u20AC%zz\")", "String a b€%zz"},
    // Tests.
    {"TypeName(Array())", "String Variant()"},
    {"VarType(CCur(1))", "Integer 6"},
    {"IsNumeric(\" 12 \")", "Boolean True"},
    {"IsNumeric(Null)", "Boolean False"},
    {"IsNumeric(#1/1/2000#)", "Boolean False"},
    {"IsNumeric(True)", "Boolean True"},
    {"IsNull(Empty)", "Boolean False"},
    {"IsObject(Nothing)", "Boolean True"},
    // Dates.
    {"DateSerial(2024, 2, 29) + 365", "Date 2/28/2025"},
    {"Weekday(#1/1/2000#)", "Integer 7"},
    {"Second(#0:0:59#)", "Integer 59"},
    {"DateDiff(\"d\", #1/1/2000 11:00 PM#, #1/2/2000 1:00 AM#)", "Long 1"},
    {"DateAdd(\"yyyy\", 1, #2/29/2024#)", "Date 2/28/2025"},
    {"MonthName(12, True)", "String Dec"},
    {"WeekdayName(7)", "String Saturday"},
    {"Now", "Date 6/12/2026 3:04:05 PM"},
    // Number formats.
    {"FormatNumber(0.125, 2)", "String 0.13"},
    {"FormatNumber(-0.001, 2)", "String 0.00"},
    {"FormatPercent(1)", "String 100.00%"},
    {"FormatNumber(1e6)", "String 1,000,000.00"},
};

class Values : public ::testing::TestWithParam<ValueRow> {};

TEST_P(Values, EvaluateToTheirTypeAndText) {
  VirtualClock clock;
  clock.step_per_reading = 0;
  VbScriptHost host(clock.Clocks());
  auto result = host.Eval(GetParam().expression);
  ASSERT_TRUE(result.ok) << GetParam().expression << ": " << host.Error().description;
  EXPECT_EQ(TypeOf(result.value) + " " + result.value.Text(), GetParam().expected)
      << GetParam().expression;
}

INSTANTIATE_TEST_SUITE_P(Table, Values, ::testing::ValuesIn(kValues));

struct CompileRow {
  const char* code;
  int number;
  int line;
  int column;
};

void PrintTo(const CompileRow& row, std::ostream* out) { PrintCode(row.code, out); }

constexpr CompileRow kCompileErrors[] = {
    {"x = ", 1023, 1, 5},
    {"If x Then\nEnd", 1012, 2, 4},
    {"For i = 1 10\nNext", 1013, 1, 11},
    {"For i = 1 To 10\n", 1020, 2, 1},
    {"Do\nx = 1\n", 1019, 3, 1},
    {"While x\n", 1018, 2, 1},
    {"Select x\nEnd Select", 1021, 1, 8},
    {"Sub A\nEnd Function", 1016, 2, 5},
    {"Function A\nEnd Sub", 1015, 2, 5},
    {"Class A\nEnd Sub", 1047, 2, 5},
    {"x = \"abc", 1033, 1, 5},
    {"x = 1 2", 1025, 1, 7},
    {"x = 12abc", 1031, 1, 5},
    {"x = &HZZ", 1031, 1, 5},
    {"x = 5 @ 3", 1032, 1, 7},
    {"Exit Sub", 1039, 1, 6},
    {"Sub A(x, x)\nEnd Sub", 1041, 1, 11},
    {"Class A\nPublic Default x\nEnd Class", 1056, 2, 16},
    {"Class A\nDefault Function F\nEnd Function\nEnd Class", 1057, 2, 9},
    {"Property Get X\nEnd Property", 1048, 1, 1},
    {"x = Me", 1037, 1, 5},
    {"Call 5", 1024, 1, 1},
    {"Loop", 1038, 1, 1},
    {"Next", 1055, 1, 1},
    {"Foo(1, 2)", 1044, 1, 1},
    {"x = (1 + 2", 1006, 1, 11},
    {"On Error Resume", 1002, 1, 16},
    {"On Error GoTo 1", 1002, 1, 15},
    {"Const = 5", 1010, 1, 7},
    {"Dim 5", 1010, 1, 5},
    {"ReDim x", 1005, 1, 7},
    {"If x Then\nElse\nElse\nEnd If", 1014, 3, 1},
    {"Select Case x\nCase Else\nCase 1\nEnd Select", 1022, 3, 6},
    {"x = [open", 1007, 1, 5},
};

class CompileErrors : public ::testing::TestWithParam<CompileRow> {};

TEST_P(CompileErrors, AreReportedWhereTheyStand) {
  VirtualClock clock;
  VbScriptHost host(clock.Clocks());
  std::vector<ScriptErrorInfo> errors;
  host.SetErrorHandler([&errors](const ScriptErrorInfo& error) { errors.push_back(error); });
  EXPECT_FALSE(host.ExecuteStatement(GetParam().code).ok);
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0].number, GetParam().number) << GetParam().code;
  EXPECT_EQ(errors[0].source, "VBScript compilation error");
  EXPECT_EQ(errors[0].line, GetParam().line) << GetParam().code;
  EXPECT_EQ(errors[0].column, GetParam().column) << GetParam().code;
}

INSTANTIATE_TEST_SUITE_P(Table, CompileErrors, ::testing::ValuesIn(kCompileErrors));

struct RuntimeRow {
  const char* code;
  int number;
  const char* description;
};

void PrintTo(const RuntimeRow& row, std::ostream* out) { PrintCode(row.code, out); }

constexpr RuntimeRow kRuntimeErrors[] = {
    {"x = 1 / 0", 11, "Division by zero"},
    {"x = 0 / 0", 6, "Overflow"},
    {"x = 1 \\ 0", 11, "Division by zero"},
    {"x = 1 Mod 0", 11, "Division by zero"},
    {"x = (-8) ^ (1 / 3)", 5, "Invalid procedure call or argument"},
    {"x = CInt(\"a\")", 13, "Type mismatch"},
    {"x = \"a\" + 1", 13, "Type mismatch"},
    {"x = Array(1) + 1", 13, "Type mismatch"},
    {"x = CLng(1E10)", 6, "Overflow"},
    {"Dim a(1) : x = a(2)", 9, "Subscript out of range"},
    {"Dim a(1) : x = a(0, 0)", 9, "Subscript out of range"},
    {"x = UBound(5)", 13, "Type mismatch"},
    {"x = Mid(\"a\", 0)", 5, "Invalid procedure call or argument"},
    {"x = Left(\"a\", -1)", 5, "Invalid procedure call or argument"},
    {"x = Chr(256)", 5, "Invalid procedure call or argument"},
    {"x = Asc(\"\")", 5, "Invalid procedure call or argument"},
    {"x = Sqr(-1)", 5, "Invalid procedure call or argument"},
    {"x = Log(0)", 5, "Invalid procedure call or argument"},
    {"x = CStr(Null)", 94, "Invalid use of Null"},
    {"x = Len()", 450, "Wrong number of arguments or invalid property assignment: 'Len'"},
    {"x = Len(1, 2)", 450, "Wrong number of arguments or invalid property assignment: 'Len'"},
    {"Set x = 5", 424, "Object required"},
    {"x = Nothing.Foo", 424, "Object required"},
    {"Set d = CreateObject(\"Scripting.Dictionary\") : x = d", 450,
     "Wrong number of arguments or invalid property assignment"},
    {"Set d = CreateObject(\"Scripting.Dictionary\") : d.Remove \"x\"", 32811, "Element not found"},
    {"x = Foo(1)", 13, "Type mismatch: 'Foo'"},
    {"Option Explicit : x = 1", 500, "Variable is undefined: 'x'"},
    {"Class C : End Class : Set c = New C : c.Nope", 438,
     "Object doesn't support this property or method: 'Nope'"},
    {"Class C : End Class : x = New C", 438, "Object doesn't support this property or method"},
    {"x = DateSerial(10000, 1, 1)", 5, "Invalid procedure call or argument"},
    {"x = CDate(\"hello\")", 13, "Type mismatch"},
    {"x = DateAdd(\"x\", 1, Now)", 5, "Invalid procedure call or argument"},
    {"Err.Raise 0", 5, "Invalid procedure call or argument"},
    {"x = GetRef(\"Nope\")", 5, "Invalid procedure call or argument"},
    {"Execute \"x = \"", 1023, "Expected expression"},
    {"ReDim x(-2)", 9, "Subscript out of range"},
    {"Erase x", 13, "Type mismatch"},
    {"x = String(-1, \"a\")", 5, "Invalid procedure call or argument"},
    {"x = Space(-1)", 5, "Invalid procedure call or argument"},
    {"x = FormatNumber(\"abc\")", 13, "Type mismatch"},
    {"x = MsgBox(\"hi\")", 70, "Permission denied"},
    {"x = 1 : x.y = 2", 424, "Object required: 'x'"},
    {"Sub S(a) : End Sub : x = S", 450,
     "Wrong number of arguments or invalid property assignment: 'S'"},
    {"Dim a(1) : Sub Grow(v) : ReDim a(5) : End Sub : Grow a(0)", 10,
     "This array is fixed or temporarily locked"},
    {"x = 1 : For Each i In x : Next", 451, "Object not a collection"},
    {"With 5 : End With", 424, "Object required"},
    {"x = .Foo", 505, "Invalid or unqualified reference: 'Foo'"},
};

class RuntimeErrors : public ::testing::TestWithParam<RuntimeRow> {};

TEST_P(RuntimeErrors, CarryVBScriptsNumbersAndWords) {
  VirtualClock clock;
  VbScriptHost host(clock.Clocks());
  std::vector<ScriptErrorInfo> errors;
  host.SetErrorHandler([&errors](const ScriptErrorInfo& error) { errors.push_back(error); });
  EXPECT_FALSE(host.ExecuteStatement(GetParam().code).ok);
  ASSERT_EQ(errors.size(), 1u) << GetParam().code;
  EXPECT_EQ(errors[0].number, GetParam().number) << GetParam().code;
  EXPECT_EQ(errors[0].description, GetParam().description) << GetParam().code;
  EXPECT_NE(errors[0].source.find("VBScript"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Table, RuntimeErrors, ::testing::ValuesIn(kRuntimeErrors));

}  // namespace
}  // namespace quillon::vbscript::testing
