// The script host as the program uses it through the seam: errors as events and results, host
// objects, re-entrant runs, the time-out, and the limits that keep a script from taking the
// program down.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "HostFixture.h"
#include "platform/ScriptHost.h"
#include "vbscript/VbScriptHost.h"

namespace quillon::vbscript::testing {
namespace {

using platform::ScriptCall;
using platform::ScriptErrorInfo;
using platform::ScriptStatus;
using platform::ScriptType;
using platform::ScriptValue;

// A host object that records every call and answers from a small table, so tests can see what
// the engine passed and decide what it gets back.
class RecordingObject : public platform::ScriptObject {
 public:
  struct Call {
    std::string name;
    ScriptCall kind;
    std::vector<std::string> args;
  };
  std::vector<Call> calls;
  std::function<ScriptStatus(std::string_view, std::span<ScriptValue>, ScriptValue&)> answer;

  std::string TypeName() const override { return "Recorder"; }
  bool HasMember(std::string_view name) const override {
    std::string lower = text::Lower(name);
    return lower == "fill" || lower == "name" || lower == "fail" || lower == "keep";
  }
  ScriptStatus Invoke(std::string_view name, ScriptCall kind, std::span<ScriptValue> args,
                      ScriptValue& result) override {
    Call call{std::string(name), kind, {}};
    for (const auto& arg : args) call.args.push_back(arg.Text());
    calls.push_back(call);
    if (answer) return answer(name, args, result);
    return ScriptStatus::Ok();
  }
};

using Fixture = HostFixture;

TEST(ScriptHost, RuntimeErrorRaisesTheEventWithWhereAndWhatAndFailsTheCall) {
  Fixture f;
  auto result = f.host.ExecuteStatement("x = 1\n  y = x / 0\nz = 3");
  EXPECT_FALSE(result.ok);
  ASSERT_EQ(f.errors.size(), 1u);
  const ScriptErrorInfo& error = f.errors[0];
  EXPECT_EQ(error.number, 11);
  EXPECT_EQ(error.source, "VBScript runtime error");
  EXPECT_EQ(error.description, "Division by zero");
  EXPECT_EQ(error.line, 2);
  EXPECT_EQ(error.column, 3);
  EXPECT_EQ(error.text, "y = x / 0");
  EXPECT_EQ(f.host.Error().number, 11);
  // The statements before the error ran; the ones after it did not.
  EXPECT_EQ(f.host.Eval("x").value.IntegerValue(), 1);
  EXPECT_TRUE(f.host.Eval("z").value.IsEmpty());
  f.host.ClearError();
  EXPECT_EQ(f.host.Error().number, 0);
}

TEST(ScriptHost, CompilationErrorRunsNothingAndNamesTheLine) {
  Fixture f;
  auto result = f.host.ExecuteStatement("WScript.Echo \"ran\"\nIf x Then\nWScript.Echo 1\n");
  EXPECT_FALSE(result.ok);
  EXPECT_TRUE(f.lines.empty());
  ASSERT_EQ(f.errors.size(), 1u);
  EXPECT_EQ(f.errors[0].number, 1014);
  EXPECT_EQ(f.errors[0].source, "VBScript compilation error");
  EXPECT_EQ(f.errors[0].description, "Expected 'End'");
  EXPECT_EQ(f.errors[0].line, 4);
}

TEST(ScriptHost, AHandlerThatThrowsDoesNotCrossTheSeam) {
  Fixture f;
  f.host.SetErrorHandler([](const ScriptErrorInfo&) { throw std::runtime_error("handler"); });
  auto result = f.host.ExecuteStatement("Err.Raise 5");
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(f.host.Error().number, 5);
}

TEST(ScriptHost, HostErrorsKeepTheirSourceAndScriptsCanTrapThem) {
  Fixture f;
  auto recorder = std::make_shared<RecordingObject>();
  recorder->answer = [](std::string_view, std::span<ScriptValue>, ScriptValue&) {
    return ScriptStatus{70, "no access to that", "GTalk"};
  };
  f.host.AddObject("Rec", recorder, false);
  f.host.ExecuteStatement(
      "On Error Resume Next\nRec.Fail\nWScript.Echo Err.Number, Err.Source, Err.Description");
  EXPECT_EQ(f.lines, std::vector<std::string>({"70 GTalk no access to that"}));
  f.host.ExecuteStatement("Rec.Fail");
  ASSERT_EQ(f.errors.size(), 1u);
  EXPECT_EQ(f.errors[0].source, "GTalk");
}

TEST(ScriptHost, MembersAreFoundWithoutRegardToCaseAndArgumentsComeBackByReference) {
  Fixture f;
  auto recorder = std::make_shared<RecordingObject>();
  recorder->answer = [](std::string_view name, std::span<ScriptValue> args, ScriptValue&) {
    if (text::Lower(name) == "fill" && !args.empty()) args[0] = ScriptValue::String("filled");
    return ScriptStatus::Ok();
  };
  f.host.AddObject("Rec", recorder, true);
  f.host.ExecuteStatement(
      "Dim a, b, c(1)\n"
      "REC.FILL a\n"    // a variable: written back
      "Rec.fill (b)\n"  // in parentheses: a value, not written back
      "fill c(1)\n"     // an array element, through the global member
      "Rec.Fill a & \"x\"\n"
      "WScript.Echo a, \"[\" & b & \"]\", c(1)");
  EXPECT_EQ(f.lines, std::vector<std::string>({"filled [] filled"}));
  ASSERT_EQ(recorder->calls.size(), 4u);
  EXPECT_EQ(recorder->calls[0].name, "FILL");
  EXPECT_EQ(recorder->calls[0].kind, ScriptCall::kMethod);
  EXPECT_EQ(recorder->calls[3].args, std::vector<std::string>({"filledx"}));
}

TEST(ScriptHost, PropertiesAreReadAndWrittenWithTheirKinds) {
  Fixture f;
  auto recorder = std::make_shared<RecordingObject>();
  std::string stored;
  recorder->answer = [&stored](std::string_view, std::span<ScriptValue> args, ScriptValue& result) {
    if (!args.empty()) stored = args.back().Text();
    result = ScriptValue::String(stored);
    return ScriptStatus::Ok();
  };
  f.host.AddObject("Rec", recorder, false);
  f.host.ExecuteStatement("Rec.Name = 42\nWScript.Echo Rec.Name & \"!\"");
  ASSERT_EQ(recorder->calls.size(), 2u);
  EXPECT_EQ(recorder->calls[0].kind, ScriptCall::kPropertyLet);
  EXPECT_EQ(recorder->calls[0].args, std::vector<std::string>({"42"}));
  EXPECT_EQ(recorder->calls[1].kind, ScriptCall::kPropertyGet);
  EXPECT_EQ(f.lines, std::vector<std::string>({"42!"}));
}

TEST(ScriptHost, AddingANameAgainReplacesTheObjectAndTheRunGoesOn) {
  Fixture f;
  auto first = std::make_shared<RecordingObject>();
  auto second = std::make_shared<RecordingObject>();
  f.host.AddObject("Rec", first, true);
  // The object replaces itself while the script runs; the script's next use finds the new one.
  first->answer = [&](std::string_view, std::span<ScriptValue>, ScriptValue&) {
    f.host.AddObject("Rec", second, true);
    return ScriptStatus::Ok();
  };
  auto result = f.host.ExecuteStatement("Rec.Keep 1\nRec.Keep 2\nKeep 3");
  EXPECT_TRUE(result.ok);
  EXPECT_EQ(first->calls.size(), 1u);
  EXPECT_EQ(second->calls.size(), 2u);
}

TEST(ScriptHost, EvalSeesTheGlobalsOfEarlierRuns) {
  Fixture f;
  f.host.ExecuteStatement("total = 40\nFunction Plus(n) : Plus = total + n : End Function");
  auto result = f.host.Eval("Plus(2)");
  ASSERT_TRUE(result.ok);
  EXPECT_EQ(result.value.Type(), ScriptType::kInteger);
  EXPECT_EQ(result.value.IntegerValue(), 42);
  EXPECT_EQ(f.host.Eval("\"a\" & 1").value.StringValue(), "a1");
  EXPECT_FALSE(f.host.Eval("Plus(").ok);
  EXPECT_FALSE(f.host.Eval("1 / 0").ok);
  EXPECT_EQ(f.errors.back().number, 11);
}

TEST(ScriptHost, OnlyVBScriptIsALanguage) {
  Fixture f;
  EXPECT_TRUE(f.host.SetLanguage("vbscript"));
  EXPECT_FALSE(f.host.SetLanguage("JScript"));
  EXPECT_EQ(f.host.Language(), "VBScript");
}

TEST(ScriptHost, TimeOutCountsFromTheLastCallIntoTheHost) {
  Fixture f;
  f.host.SetTimeout(100);
  auto stuck = f.host.ExecuteStatement("On Error Resume Next\nDo\nLoop");
  EXPECT_FALSE(stuck.ok);
  EXPECT_EQ(f.host.Error().number, kTimeoutError);
  // Far more virtual time passes in this loop than the time-out, but never without a Wait.
  f.status->stop_after_checks = 500;
  auto waiting = f.host.ExecuteStatement("Do\nWait 50\nLoop Until CheckEnd()");
  EXPECT_TRUE(waiting.ok);
  EXPECT_GT(f.clock.milliseconds, 500 * 50);
}

TEST(ScriptHost, ANegativeTimeOutIsNoLimit) {
  Fixture f;
  f.host.SetTimeout(-1);
  auto result = f.host.ExecuteStatement("For i = 1 To 200000 : Next");
  EXPECT_TRUE(result.ok);
  EXPECT_EQ(f.host.Timeout(), -1);
}

TEST(ScriptHost, InterruptStopsAScriptWhateverItTraps) {
  Fixture f;
  auto recorder = std::make_shared<RecordingObject>();
  recorder->answer = [&](std::string_view, std::span<ScriptValue>, ScriptValue&) {
    f.host.Interrupt();
    return ScriptStatus::Ok();
  };
  f.host.AddObject("Rec", recorder, false);
  auto result = f.host.ExecuteStatement(
      "On Error Resume Next\nDo\nRec.Keep 1\nn = n + 1\nLoop\nWScript.Echo \"after\"");
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(f.host.Error().number, kInterruptedError);
  EXPECT_TRUE(f.lines.empty());
  // The next run is not stopped.
  EXPECT_TRUE(f.host.ExecuteStatement("WScript.Echo \"next run\"").ok);
}

TEST(ScriptHost, AnotherRunInsideAHostCallFinishesAndTheFirstGoesOn) {
  Fixture f;
  // Two ticks arrive while the script waits; the second nests a third run inside its own Wait.
  f.status->events.push_back([&] { f.host.ExecuteStatement("counter = counter + 10"); });
  f.status->events.push_back(
      [&] { f.host.ExecuteStatement("Sub Tick : counter = counter + 100 : End Sub\nTick"); });
  auto result = f.host.ExecuteStatement(
      "counter = 1\n"
      "Function Inner(v)\n"
      "  Wait 100\n"
      "  Inner = v + counter\n"
      "End Function\n"
      "WScript.Echo Inner(5), counter\n"
      "Tick\n"
      "WScript.Echo counter");
  EXPECT_TRUE(result.ok) << f.host.Error().description;
  EXPECT_EQ(f.lines, std::vector<std::string>({"116 111", "211"}));
  EXPECT_TRUE(f.errors.empty());
}

TEST(ScriptHost, AnErrorInANestedRunIsReportedAndTheOuterRunIsNotDisturbed) {
  Fixture f;
  f.status->events.push_back([&] {
    auto inner = f.host.ExecuteStatement("x = CLng(\"bad\")");
    f.lines.push_back(inner.ok ? "inner ok" : "inner failed");
  });
  auto result =
      f.host.ExecuteStatement("On Error Resume Next\nWait 1\nWScript.Echo \"outer\", Err.Number");
  EXPECT_TRUE(result.ok);
  EXPECT_EQ(f.lines, std::vector<std::string>({"inner failed", "outer 0"}));
  ASSERT_EQ(f.errors.size(), 1u);
  EXPECT_EQ(f.errors[0].number, 13);
}

TEST(ScriptHost, EnginesShareNothing) {
  Fixture a;
  Fixture b;
  a.host.ExecuteStatement("name = \"first\"\nClass Thing : Public Tag : End Class");
  b.host.ExecuteStatement("name = \"second\"");
  EXPECT_EQ(a.host.Eval("name").value.StringValue(), "first");
  EXPECT_EQ(b.host.Eval("name").value.StringValue(), "second");
  EXPECT_FALSE(b.host.ExecuteStatement("Set t = New Thing").ok);
  EXPECT_EQ(b.host.Error().number, 506);
}

TEST(ScriptHost, LimitsEndInErrorsAndTheHostKeepsWorking) {
  Fixture f;
  EXPECT_FALSE(f.host.ExecuteStatement("Sub Deeper(n) : Deeper n + 1 : End Sub\nDeeper 1").ok);
  EXPECT_EQ(f.host.Error().number, 28);
  EXPECT_FALSE(f.host.ExecuteStatement("s = String(100000000, \"x\")").ok);
  EXPECT_EQ(f.host.Error().number, 7);
  EXPECT_FALSE(f.host.ExecuteStatement("Dim huge(5000000)").ok);
  EXPECT_EQ(f.host.Error().number, 7);
  std::string nested = "x = " + std::string(5000, '(') + "1" + std::string(5000, ')');
  EXPECT_FALSE(f.host.ExecuteStatement(nested).ok);
  EXPECT_EQ(f.host.Error().number, 28);
  EXPECT_TRUE(f.host.ExecuteStatement("WScript.Echo \"still here\"").ok);
  EXPECT_EQ(f.lines, std::vector<std::string>({"still here"}));
}

TEST(ScriptHost, RecursionWellWithinTheStackRuns) {
  Fixture f;
  auto result = f.host.ExecuteStatement(
      "Function Sum(n) : If n = 0 Then Sum = 0 Else Sum = n + Sum(n - 1)\nEnd Function\n"
      "WScript.Echo Sum(400)");
  EXPECT_TRUE(result.ok) << f.host.Error().description;
  EXPECT_EQ(f.lines, std::vector<std::string>({"80200"}));
}

TEST(ScriptHost, OnlyRegisteredClassesCanBeCreated) {
  Fixture f;
  auto made = std::make_shared<RecordingObject>();
  f.host.RegisterClass("Quillon.Recorder", [made] { return made; });
  auto result = f.host.ExecuteStatement(
      "Set r = CreateObject(\"quillon.recorder\")\nr.Keep 7\nWScript.Echo TypeName(r)");
  EXPECT_TRUE(result.ok);
  EXPECT_EQ(made->calls.size(), 1u);
  EXPECT_EQ(f.lines, std::vector<std::string>({"Recorder"}));
  for (const char* id : {"WScript.Shell", "Scripting.FileSystemObject", "MSXML2.XMLHTTP"}) {
    EXPECT_FALSE(f.host.ExecuteStatement(std::string("Set o = CreateObject(\"") + id + "\")").ok);
    EXPECT_EQ(f.host.Error().number, 429) << id;
  }
  EXPECT_NE(f.host.CreateObject("SCRIPTING.DICTIONARY"), nullptr);
  EXPECT_EQ(f.host.CreateObject("Nope"), nullptr);
}

TEST(ScriptHost, ScriptObjectsHandedToTheHostWorkThereAndFailSafelyOnceTheEngineIsGone) {
  std::shared_ptr<platform::ScriptObject> kept;
  {
    Fixture f;
    auto recorder = std::make_shared<RecordingObject>();
    recorder->answer = [&kept](std::string_view, std::span<ScriptValue> args, ScriptValue&) {
      if (!args.empty() && args[0].IsObject()) kept = args[0].ObjectValue();
      return ScriptStatus::Ok();
    };
    f.host.AddObject("Rec", recorder, false);
    f.host.ExecuteStatement(
        "Class Greeter\n"
        "  Public Greeting\n"
        "  Public Function Greet(who) : Greet = Greeting & \", \" & who : End Function\n"
        "End Class\n"
        "Set g = New Greeter : g.Greeting = \"Hello\"\n"
        "Rec.Keep g");
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(kept->TypeName(), "Greeter");
    EXPECT_TRUE(kept->HasMember("GREET"));
    std::vector<ScriptValue> args{ScriptValue::String("host")};
    ScriptValue result;
    EXPECT_TRUE(kept->Invoke("greet", ScriptCall::kMethod, args, result).ok());
    EXPECT_EQ(result.StringValue(), "Hello, host");
    EXPECT_EQ(kept->Invoke("Missing", ScriptCall::kMethod, {}, result).number, 438);
  }
  ScriptValue result;
  EXPECT_FALSE(kept->Invoke("Greet", ScriptCall::kMethod, {}, result).ok());
  EXPECT_EQ(kept->TypeName(), "Greeter");
}

TEST(ScriptHost, ClassTerminateRunsWhenTheHostLetsGoOfTheLastReference) {
  Fixture f;
  std::shared_ptr<platform::ScriptObject> kept;
  auto recorder = std::make_shared<RecordingObject>();
  recorder->answer = [&kept](std::string_view, std::span<ScriptValue> args, ScriptValue&) {
    kept = args[0].ObjectValue();
    return ScriptStatus::Ok();
  };
  f.host.AddObject("Rec", recorder, false);
  f.host.ExecuteStatement(
      "Class Noisy\n  Sub Class_Terminate : WScript.Echo \"gone\" : End Sub\nEnd Class\n"
      "Rec.Keep New Noisy");
  EXPECT_TRUE(f.lines.empty());
  kept.reset();
  EXPECT_EQ(f.lines, std::vector<std::string>({"gone"}));
}

TEST(ScriptHost, ReferenceCyclesAreBrokenWhenTheEngineGoes) {
  std::vector<std::string> lines;
  {
    VirtualClock clock;
    VbScriptHost host(clock.Clocks());
    host.AddObject("WScript", std::make_shared<EchoObject>(lines), false);
    host.ExecuteStatement(
        "Class Pair\n  Public Other\n  Sub Class_Terminate : WScript.Echo \"end\" : End Sub\n"
        "End Class\n"
        "Set a = New Pair : Set b = New Pair : Set a.Other = b : Set b.Other = a\n"
        "Set a = Nothing : Set b = Nothing");
    EXPECT_TRUE(lines.empty());
  }
  // Both ended (and the sanitizer build sees no leak).
  EXPECT_EQ(lines, std::vector<std::string>({"end", "end"}));
}

TEST(ScriptHost, GetRefHandsTheHostAProcedureToCallLater) {
  Fixture f;
  std::shared_ptr<platform::ScriptObject> handler;
  auto recorder = std::make_shared<RecordingObject>();
  recorder->answer = [&handler](std::string_view, std::span<ScriptValue> args, ScriptValue&) {
    handler = args[0].ObjectValue();
    return ScriptStatus::Ok();
  };
  f.host.AddObject("Rec", recorder, false);
  f.host.ExecuteStatement(
      "Sub OnEvent(ByRef count) : count = count + 1 : WScript.Echo \"event\", count : End Sub\n"
      "Rec.Keep GetRef(\"OnEvent\")");
  ASSERT_NE(handler, nullptr);
  std::vector<ScriptValue> args{ScriptValue::Integer(4)};
  ScriptValue result;
  EXPECT_TRUE(handler->Invoke("", ScriptCall::kMethod, args, result).ok());
  EXPECT_EQ(args[0].IntegerValue(), 5);
  EXPECT_EQ(f.lines, std::vector<std::string>({"event 5"}));
}

}  // namespace
}  // namespace quillon::vbscript::testing
