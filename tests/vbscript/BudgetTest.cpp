// What one host's scripts may take: memory up to the host's budget (whatever holds it), time up
// to the time-out (their own work, not the host's), and nothing more once the host stops them.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "HostFixture.h"
#include "platform/ScriptHost.h"
#include "vbscript/VbScriptHost.h"

namespace quillon::vbscript::testing {
namespace {

using platform::ScriptErrorInfo;
using platform::ScriptValue;

constexpr uint64_t kBudget = 8u << 20;

struct Fixture : HostFixture {
  Fixture() { host.SetMemoryLimit(kBudget); }
};

struct Hoard {
  const char* what;
  const char* code;
};

void PrintTo(const Hoard& hoard, std::ostream* out) { *out << hoard.what; }

// Each holds far more than the budget by the time it ends, in a different kind of storage.
const Hoard kHoards[] = {
    {"copies of a string in an array",
     "s = String(100000, \"x\")\nDim a(1000)\nFor i = 0 To 1000\n  a(i) = s & i\nNext"},
    {"a growing string's reserve",
     "s = \"\"\nFor i = 1 To 100000\n  s = s & String(100, \"y\")\nNext"},
    {"an array of numbers", "ReDim a(2000000)\nFor i = 0 To 10\n  a(i) = i\nNext"},
    {"a growing array",
     "n = 1\nReDim a(n)\nDo\n  n = n * 2\n  ReDim Preserve a(n)\n  a(n) = \"item \" & n\nLoop"},
    {"a dictionary",
     "Set d = CreateObject(\"Scripting.Dictionary\")\n"
     "For i = 1 To 1000000\n  d.Add i, \"value \" & i\nNext"},
    {"objects",
     "Class Node\n  Public Link, Text\nEnd Class\nSet head = Nothing\n"
     "For i = 1 To 1000000\n  Set n = New Node\n  n.Text = \"node\" & i\n  Set n.Link = head\n"
     "  Set head = n\nNext"},
    {"temporaries of a recursion",
     "s = String(100000, \"z\")\nFunction Deep(n)\n  If n = 0 Then Deep = \"\" Else Deep = s & "
     "Deep(n - 1)\nEnd Function\nx = Deep(500)"},
    {"matches of a regular expression",
     "Set re = New RegExp\nre.Pattern = \".\"\nre.Global = True\nDim keep(100)\n"
     "For i = 0 To 100\n  Set keep(i) = re.Execute(String(10000, \"m\"))\nNext"},
    {"a loop around a host call",
     "s = String(100000, \"x\")\nDim a(1000)\nFor i = 0 To 1000\n  a(i) = s & GetStatus()\n"
     "Next"},
};

class MemoryBudget : public ::testing::TestWithParam<Hoard> {};

TEST_P(MemoryBudget, StopsAScriptThatHoldsMoreWithOutOfMemory) {
  Fixture f;
  std::string code =
      std::string("On Error Resume Next\n") + GetParam().code + "\nWScript.Echo \"not reached\"";
  auto result = f.host.ExecuteStatement(code);
  EXPECT_FALSE(result.ok);
  ASSERT_EQ(f.errors.size(), 1u);
  EXPECT_EQ(f.errors[0].number, 7);
  EXPECT_EQ(f.errors[0].description, "Out of memory");
  EXPECT_TRUE(f.lines.empty());
  // What the script hoarded is let go, so the next script of the host runs.
  EXPECT_LT(f.host.MemoryInUse(), static_cast<int64_t>(kBudget));
  EXPECT_TRUE(f.host.ExecuteStatement("WScript.Echo \"next\"").ok);
  EXPECT_EQ(f.lines, std::vector<std::string>{"next"});
}

INSTANTIATE_TEST_SUITE_P(Hoards, MemoryBudget, ::testing::ValuesIn(kHoards),
                         [](const ::testing::TestParamInfo<Hoard>& info) {
                           std::string name = info.param.what;
                           for (char& c : name) {
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           }
                           return name;
                         });

TEST(MemoryBudget, CountsWhatIsHeldNotWhatWasEverAllocated) {
  Fixture f;
  // Three megabytes at a time, a gigabyte in all.
  auto result = f.host.ExecuteStatement(
      "For i = 1 To 350\n  s = Space(3000000)\n  t = s & \"\"\nNext\nWScript.Echo Len(t)");
  EXPECT_TRUE(result.ok) << f.host.Error().description;
  EXPECT_EQ(f.lines, std::vector<std::string>{"3000000"});
  // The globals keep what the script left in them.
  EXPECT_GT(f.host.MemoryInUse(), 6000000);
  EXPECT_TRUE(f.host.ExecuteStatement("s = Empty : t = Empty").ok);
  EXPECT_LT(f.host.MemoryInUse(), 1000000);
}

TEST(MemoryBudget, IsAQuarterGigabyteUnlessSet) {
  VbScriptHost host;
  EXPECT_EQ(host.MemoryLimit(), 256u << 20);
  host.SetMemoryLimit(1u << 20);
  EXPECT_EQ(host.MemoryLimit(), 1u << 20);
}

TEST(MemoryBudget, ValuesTheHostKeepsOutliveTheEngine) {
  ScriptValue kept;
  {
    VbScriptHost host;
    kept = host.Eval("String(100000, \"k\") & \"!\"").value;
  }
  EXPECT_EQ(kept.Text().size(), 100001u);
}

TEST(TimeOut, ASpinAroundHostMembersThatReturnAtOnceStillEnds) {
  Fixture f;
  f.host.SetTimeout(100);
  auto result = f.host.ExecuteStatement("Do\n  x = GetStatus()\n  Status \"busy\"\nLoop");
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(f.host.Error().number, kTimeoutError);
}

TEST(TimeOut, TimeSpentWaitingInTheHostIsNotTheScripts) {
  Fixture f;
  f.host.SetTimeout(100);
  f.clock.step_per_reading = 0;
  f.status->stop_after_checks = 3000;
  auto result =
      f.host.ExecuteStatement("Do\n  Wait 50\nLoop Until CheckEnd()\nWScript.Echo \"done\"");
  EXPECT_TRUE(result.ok) << f.host.Error().description;
  EXPECT_EQ(f.lines, std::vector<std::string>{"done"});
  EXPECT_GE(f.clock.milliseconds, 3000 * 50);
}

TEST(Interrupt, StopsTheWaitingScriptWithoutAnErrorEvent) {
  Fixture f;
  // The host's program ends while the script waits: the Wait returns and the script must stop
  // there, though it never asks CheckEnd.
  f.status->events.push_back([&] { f.host.Interrupt(); });
  auto result = f.host.ExecuteStatement(
      "On Error Resume Next\nDo\n  Wait 100\n  n = n + 1\nLoop\nWScript.Echo \"after\"");
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(f.host.Error().number, kInterruptedError);
  EXPECT_TRUE(f.errors.empty());
  EXPECT_TRUE(f.lines.empty());
  EXPECT_EQ(f.status->waits, 1);
}

}  // namespace
}  // namespace quillon::vbscript::testing
