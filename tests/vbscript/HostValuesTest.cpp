// Values crossing the seam both ways: arrays built by a host (with its own lower bounds),
// dates, currency, Null and Nothing, and the engine's own objects used from the host side.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "EchoObject.h"
#include "VirtualClock.h"
#include "platform/ScriptArray.h"
#include "text/ScriptDate.h"
#include "vbscript/VbScriptHost.h"
#include "vbscript/tool/WScriptObject.h"

namespace quillon::vbscript::testing {
namespace {

using platform::ScriptArray;
using platform::ScriptCall;
using platform::ScriptStatus;
using platform::ScriptType;
using platform::ScriptValue;

// Hands out the values a test gives it and keeps what the script passes in.
class Exchange : public platform::ScriptObject {
 public:
  std::unordered_map<std::string, ScriptValue> out;
  std::vector<ScriptValue> received;

  std::string TypeName() const override { return "Exchange"; }
  bool HasMember(std::string_view name) const override {
    return out.contains(text::Lower(name)) || text::Lower(name) == "take";
  }
  ScriptStatus Invoke(std::string_view name, ScriptCall, std::span<ScriptValue> args,
                      ScriptValue& result) override {
    std::string lower = text::Lower(name);
    if (lower == "take") {
      received.assign(args.begin(), args.end());
      return ScriptStatus::Ok();
    }
    auto it = out.find(lower);
    if (it == out.end()) return ScriptStatus::Fail(438);
    result = it->second;
    return ScriptStatus::Ok();
  }
};

struct Fixture {
  VirtualClock clock;
  VbScriptHost host{clock.Clocks()};
  std::vector<std::string> lines;
  std::shared_ptr<Exchange> exchange = std::make_shared<Exchange>();
  Fixture() {
    host.AddObject("WScript", std::make_shared<EchoObject>(lines), false);
    host.AddObject("Host", exchange, false);
  }
  std::vector<std::string> Run(const std::string& code) {
    lines.clear();
    auto result = host.ExecuteStatement(code);
    if (!result.ok) lines.push_back("error " + std::to_string(host.Error().number));
    return lines;
  }
};

std::shared_ptr<ScriptArray> Array1(std::vector<ScriptValue> values, int32_t lower) {
  auto array = std::make_shared<ScriptArray>();
  array->bounds.push_back({lower, static_cast<int32_t>(values.size())});
  array->elements = std::move(values);
  return array;
}

TEST(HostValues, ArraysFromTheHostKeepTheirLowerBounds) {
  Fixture f;
  f.exchange->out["list"] = ScriptValue::Array(
      Array1({ScriptValue::String("a"), ScriptValue::String("b"), ScriptValue::String("c")}, 1));
  EXPECT_EQ(f.Run("l = Host.List\n"
                  "WScript.Echo LBound(l), UBound(l), l(1), l(3), Join(l, \"\")\n"
                  "For Each x In Host.List : s = s & x : Next\n"
                  "WScript.Echo s\n"
                  "x = l(0)"),
            std::vector<std::string>({"1 3 a c abc", "abc", "error 9"}));
}

TEST(HostValues, TwoDimensionalArraysIndexFirstDimensionFastest) {
  Fixture f;
  auto grid = std::make_shared<ScriptArray>();
  grid->bounds = {{0, 2}, {0, 3}};
  for (int i = 0; i < 6; ++i)
    grid->elements.push_back(ScriptValue::Integer(static_cast<int16_t>(i)));
  f.exchange->out["grid"] = ScriptValue::Array(grid);
  EXPECT_EQ(
      f.Run("g = Host.Grid\nWScript.Echo UBound(g, 1), UBound(g, 2), g(1, 0), g(0, 1), g(1, 2)"),
      std::vector<std::string>({"1 2 1 2 5"}));
  // The script's copy is its own: changing it leaves the host's array alone.
  f.Run("g = Host.Grid\ng(0, 0) = 99");
  EXPECT_EQ(grid->elements[0].IntegerValue(), 0);
}

TEST(HostValues, ScalarsArriveWithTheirTypes) {
  Fixture f;
  f.exchange->out["when"] = ScriptValue::Date(quillon::text::ScriptDayNumber(2026, 12, 25) + 0.75);
  f.exchange->out["price"] = ScriptValue::Currency(123450);
  f.exchange->out["missing"] = ScriptValue::Null();
  f.exchange->out["none"] = ScriptValue::Nothing();
  f.exchange->out["flag"] = ScriptValue::Boolean(true);
  EXPECT_EQ(
      f.Run("WScript.Echo Host.When, TypeName(Host.When), Host.Price, TypeName(Host.Price)\n"
            "WScript.Echo IsNull(Host.Missing), Host.None Is Nothing, Not Host.Flag"),
      std::vector<std::string>({"12/25/2026 6:00:00 PM Date 12.345 Currency", "True True False"}));
}

TEST(HostValues, WhatTheScriptPassesArrivesAsTheHostExpects) {
  Fixture f;
  f.Run(
      "Dim a(1) : a(0) = 1 : a(1) = \"two\"\n"
      "Host.Take a, #1/2/2003#, 2.5, CCur(3), Null, Nothing, Empty, New RegExpLike");
  // The class is unknown, so nothing was passed; the call is made again without it.
  EXPECT_TRUE(f.exchange->received.empty());
  f.Run(
      "Dim a(1) : a(0) = 1 : a(1) = \"two\"\n"
      "Host.Take a, #1/2/2003#, 2.5, CCur(3), Null, Nothing, Empty");
  const auto& got = f.exchange->received;
  ASSERT_EQ(got.size(), 7u);
  ASSERT_TRUE(got[0].IsArray());
  EXPECT_EQ(got[0].ArrayValue()->elements[1].StringValue(), "two");
  EXPECT_EQ(got[1].Type(), ScriptType::kDate);
  EXPECT_EQ(got[1].DoubleValue(), quillon::text::ScriptDayNumber(2003, 1, 2));
  EXPECT_EQ(got[2].Type(), ScriptType::kDouble);
  EXPECT_EQ(got[3].CurrencyValue(), 30000);
  EXPECT_TRUE(got[4].IsNull());
  EXPECT_TRUE(got[5].IsObject());
  EXPECT_EQ(got[5].ObjectValue(), nullptr);
  EXPECT_TRUE(got[6].IsEmpty());
}

TEST(HostValues, TheDictionaryServesTheHostThroughTheSameInterface) {
  VirtualClock clock;
  VbScriptHost host(clock.Clocks());
  auto dictionary = host.CreateObject("Scripting.Dictionary");
  ASSERT_NE(dictionary, nullptr);
  ScriptValue result;
  std::vector<ScriptValue> add{ScriptValue::String("k"), ScriptValue::Integer(1)};
  EXPECT_TRUE(dictionary->Invoke("Add", ScriptCall::kMethod, add, result).ok());
  EXPECT_EQ(dictionary->Invoke("ADD", ScriptCall::kMethod, add, result).number, 457);
  std::vector<ScriptValue> key{ScriptValue::String("k")};
  EXPECT_TRUE(dictionary->Invoke("", ScriptCall::kPropertyGet, key, result).ok());
  EXPECT_EQ(result.IntegerValue(), 1);
  std::vector<ScriptValue> items;
  EXPECT_TRUE(dictionary->Enumerate(items).ok());
  ASSERT_EQ(items.size(), 1u);
  EXPECT_EQ(items[0].StringValue(), "k");
  EXPECT_EQ(dictionary->Invoke("Nope", ScriptCall::kMethod, {}, result).number, 438);
  // A script sees the object the host made.
  host.AddObject("Shared", dictionary, false);
  EXPECT_EQ(host.Eval("Shared(\"k\") + Shared.Count").value.IntegerValue(), 2);
}

TEST(HostValues, WScriptEchoWritesLinesAndQuitEndsWithTheCode) {
  std::FILE* out = std::tmpfile();
  ASSERT_NE(out, nullptr);
  int quit_code = -1;
  WScriptObject wscript(out, "/plugins/demo.vbs", [&quit_code](int code) { quit_code = code; });
  VirtualClock clock;
  VbScriptHost host(clock.Clocks());
  host.AddObject("WScript", std::shared_ptr<platform::ScriptObject>(&wscript, [](auto*) {}), false);
  EXPECT_TRUE(host.ExecuteStatement("WScript.Echo 1, \"two\", 3.5, Null & \"\", True\n"
                                    "WScript.Echo\n"
                                    "WScript.Echo WScript.ScriptName\n"
                                    "WScript.Quit 4")
                  .ok);
  EXPECT_EQ(quit_code, 4);
  EXPECT_FALSE(host.ExecuteStatement("WScript.Echo Array(1)").ok);
  EXPECT_EQ(host.Error().number, 13);
  std::rewind(out);
  char buffer[256] = {};
  size_t size = std::fread(buffer, 1, sizeof buffer - 1, out);
  std::fclose(out);
  EXPECT_EQ(std::string(buffer, size), "1 two 3.5  True\n\ndemo.vbs\n");
}

// A host's string need not be UTF-8 (a byte read from an "ANSI" file, say). Comparing without
// regard to case must still find and cut at the right places in it: a search that counted in a
// re-encoded copy would land beside the match and garble what Replace and Split give back.
TEST(HostValues, TextComparisonFindsTheRightPlaceInMalformedStrings) {
  Fixture f;
  f.exchange->out["raw"] = ScriptValue::String("\351ab\351AB");  // é as one byte
  EXPECT_EQ(f.Run("s = Host.Raw\n"
                  "WScript.Echo InStr(1, s, \"ab\", 1), InStrRev(s, \"ab\", -1, 1)\n"
                  "WScript.Echo Replace(s, \"AB\", \"-\", 1, -1, 1)\n"
                  "WScript.Echo Join(Split(s, \"B\", -1, 1), \"|\")"),
            std::vector<std::string>({"2 5", "\351-\351-", "\351a|\351A|"}));
}

}  // namespace
}  // namespace quillon::vbscript::testing
