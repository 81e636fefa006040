// The interpreter's hot paths: a million turns of a loop that counts and compares a string
// (the target is well under 0.3 s a run), the same inside a procedure where the variables are
// locals, procedure calls, string building, the string functions status scripts use most, and
// appending to one text many times over (twice the appends may take at most 2.2 times as long:
// compare the 100000 and 200000 runs). Reading a long script full of operators shows what
// the precedence ladder costs the parser.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "vbscript/Parser.h"
#include "vbscript/VbScriptHost.h"

namespace quillon::vbscript {
namespace {

void RunScript(benchmark::State& state, const char* code) {
  VbScriptHost host;
  host.SetTimeout(-1);
  for (auto _ : state) {
    auto result = host.ExecuteStatement(code);
    if (!result.ok) state.SkipWithError(host.Error().description.c_str());
  }
}

void BM_GlobalCounterLoop(benchmark::State& state) {
  RunScript(state, R"(
Dim i, n, s, hits
n = 0 : hits = 0 : s = "status"
For i = 1 To 1000000
  n = n + 1
  If s = "status" Then hits = hits + 1
Next
)");
}
BENCHMARK(BM_GlobalCounterLoop)->Unit(benchmark::kMillisecond);

void BM_LocalCounterLoop(benchmark::State& state) {
  RunScript(state, R"(
Sub Count
  Dim i, n, s, hits
  s = "status"
  For i = 1 To 1000000
    n = n + 1
    If s = "status" Then hits = hits + 1
  Next
End Sub
Count
)");
}
BENCHMARK(BM_LocalCounterLoop)->Unit(benchmark::kMillisecond);

void BM_DoLoop(benchmark::State& state) {
  RunScript(state, R"(
n = 0
Do While n < 1000000
  n = n + 1
Loop
)");
}
BENCHMARK(BM_DoLoop)->Unit(benchmark::kMillisecond);

void BM_RecursiveCalls(benchmark::State& state) {
  RunScript(state, R"(
Function Fib(n)
  If n < 2 Then Fib = n Else Fib = Fib(n - 1) + Fib(n - 2)
End Function
x = Fib(20)
)");
}
BENCHMARK(BM_RecursiveCalls)->Unit(benchmark::kMillisecond);

void BM_RecursiveFib24(benchmark::State& state) {
  RunScript(state, R"(
Function Fib(n)
  If n < 2 Then Fib = n Else Fib = Fib(n - 1) + Fib(n - 2)
End Function
x = Fib(24)
)");
}
BENCHMARK(BM_RecursiveFib24)->Unit(benchmark::kMillisecond);

void BM_InStrMidReplace(benchmark::State& state) {
  RunScript(state, R"(
text = "Now playing: Artist - Title (Live) [128 kbps]"
For i = 1 To 100000
  p = InStr(text, " - ")
  artist = Mid(text, 15, p - 15)
  title = Replace(Mid(text, p + 3), " [128 kbps]", "")
Next
)");
}
BENCHMARK(BM_InStrMidReplace)->Unit(benchmark::kMillisecond);

void BM_StringBuilding(benchmark::State& state) {
  RunScript(state, R"(
s = ""
For i = 1 To 10000
  s = s & Mid("abcdef", (i Mod 6) + 1, 1)
  If Len(s) > 200 Then s = Right(s, 100)
Next
)");
}
BENCHMARK(BM_StringBuilding)->Unit(benchmark::kMillisecond);

void BM_Appends(benchmark::State& state) {
  std::string code = "s = \"\"\nFor i = 1 To " + std::to_string(state.range(0)) +
                     "\n  s = s & \"line \" & i & vbCrLf\nNext\n";
  RunScript(state, code.c_str());
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_Appends)->Arg(100000)->Arg(200000)->Unit(benchmark::kMillisecond)->Complexity();

void BM_ParseOperatorLines(benchmark::State& state) {
  auto source = std::make_shared<SourceText>();
  for (int i = 0; i < 5000; ++i) {
    source->text += "x = a + b * c - d / e Mod 3 & \"t\" = s Or Not f And g <> (h ^ 2)\n";
  }
  for (auto _ : state) {
    auto program = Parser(source, false).ParseProgram();
    benchmark::DoNotOptimize(program);
  }
}
BENCHMARK(BM_ParseOperatorLines)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quillon::vbscript
