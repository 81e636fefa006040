// The interpreter's hot paths: a million turns of a loop that counts and compares a string
// (the target is well under 0.3 s a run), the same inside a procedure where the variables are
// locals, procedure calls, and string building.
#include <benchmark/benchmark.h>

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

}  // namespace
}  // namespace quillon::vbscript
