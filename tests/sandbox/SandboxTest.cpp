// The sandbox as a scenario author meets it: exit codes, failure reports, and statements that
// behave (not merely parse).
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "sandbox/Sandbox.h"
#include "sandbox/ScenarioReader.h"

namespace quillon::sandbox {
namespace {

class SandboxTest : public ::testing::Test {
 protected:
  SandboxTest() : sandbox_(Options()) {}

  static Sandbox::Options Options() {
    Sandbox::Options options;
    options.data_folder = QUILLON_DATA_DIR;
    return options;
  }

  Sandbox::Outcome Run(const std::string& line) {
    std::vector<Statement> statements;
    std::string error;
    EXPECT_TRUE(ScenarioReader::ReadAll(line, statements, error)) << error;
    Sandbox::Outcome outcome;
    for (const auto& s : statements) {
      outcome = sandbox_.Execute(s);
      if (!outcome.ok) break;
    }
    return outcome;
  }

  int RunFile(const std::string& text) {
    std::string path = ::testing::TempDir() + "/sandbox_test_" + std::to_string(getpid()) + ".scn";
    std::ofstream(path) << text;
    Sandbox sandbox(Options());
    return sandbox.RunFile(path);
  }

  Sandbox sandbox_;
};

TEST_F(SandboxTest, ExitStatusSaysWhetherEveryCheckHeld) {
  EXPECT_EQ(RunFile("gtalk start\nexpect status \"Available\"\n"), 0);
  testing::internal::CaptureStderr();
  EXPECT_EQ(RunFile("gtalk start\nexpect status \"Busy\"\nexpect status \"Available\"\n"), 1);
  std::string report = testing::internal::GetCapturedStderr();
  EXPECT_NE(report.find(":2: expect status \"Busy\""), std::string::npos) << report;
  EXPECT_NE(report.find("expected: \"Busy\""), std::string::npos) << report;
  EXPECT_NE(report.find("actual: \"Available\""), std::string::npos) << report;
  testing::internal::CaptureStderr();
  EXPECT_EQ(RunFile("wait 1s\nfly to the moon\n"), 1);
  report = testing::internal::GetCapturedStderr();
  EXPECT_NE(report.find(":2: fly to the moon"), std::string::npos) << report;
  EXPECT_NE(report.find("unknown statement"), std::string::npos) << report;
  testing::internal::CaptureStderr();
  EXPECT_EQ(RunFile("type \"never closed\n"), 2);
  testing::internal::GetCapturedStderr();
  EXPECT_EQ(sandbox_.RunFile("/no/such/file.scn"), 2);
}

// A copied file is found from the scenario's own folder, wherever the sandbox was started, and
// arrives byte for byte; a source that is not there fails the statement.
TEST_F(SandboxTest, FileFromCopiesWhatStandsBesideTheScenario) {
  std::filesystem::path folder =
      std::filesystem::path(::testing::TempDir()) / ("file_from_" + std::to_string(getpid()));
  std::filesystem::create_directories(folder / "examples");
  std::ofstream(folder / "examples" / "note.qn", std::ios::binary) << "line one\r\nline two";
  std::ofstream(folder / "copies.scn")
      << "file \"Plugins/note.qn\" from \"examples/note.qn\"\n"
         "expect file \"Plugins/note.qn\" \"line one\\r\\nline two\"\n";
  std::ofstream(folder / "missing.scn") << "file \"Plugins/none.qn\" from \"examples/none.qn\"\n";
  Sandbox copies(Options());
  EXPECT_EQ(copies.RunFile(folder / "copies.scn"), 0);
  testing::internal::CaptureStderr();
  Sandbox missing(Options());
  EXPECT_EQ(missing.RunFile(folder / "missing.scn"), 1);
  std::string report = testing::internal::GetCapturedStderr();
  EXPECT_NE(report.find("cannot read"), std::string::npos) << report;
  std::filesystem::remove_all(folder);
}

TEST_F(SandboxTest, TypingGoesToTheFrontChatAndKeysEdit) {
  ASSERT_TRUE(Run("gtalk contacts \"Alex\"\ngtalk start\nactivate chat \"Alex\"").ok);
  ASSERT_TRUE(Run("type \"abcdef\"\nselect 1 3\ntype \"X\"").ok);
  EXPECT_TRUE(Run("expect input \"aXdef\"\nexpect selection 2 2").ok);
  ASSERT_TRUE(Run("key Home\nkey Right\nkey Backspace").ok);
  EXPECT_TRUE(Run("expect input \"Xdef\"").ok);
  // Typing into another program's window leaves the chat alone.
  ASSERT_TRUE(Run("activate other\ntype \"zzz\"").ok);
  EXPECT_TRUE(Run("expect input \"Xdef\"").ok);
  EXPECT_FALSE(Run("expect input \"zzz\"").ok);
}

TEST_F(SandboxTest, AnUnregisteredHotkeyDoesNothing) {
  EXPECT_TRUE(Run("hotkey Ctrl+Shift+B\nhotkey Ctrl+R").ok);
  EXPECT_FALSE(Run("hotkey Ctrl+Banana").ok);
}

TEST_F(SandboxTest, DialogChecksConsumeInOrder) {
  EXPECT_TRUE(Run("expect no dialog").ok);
  EXPECT_FALSE(Run("expect dialog \"anything\"").ok);
  EXPECT_FALSE(Run("menu \"File/Exit\"").ok);  // no menu is open
}

// Numbers a statement cannot use are refused, not wrapped round into other values.
TEST_F(SandboxTest, NumbersOutOfTheirRangeAreRefused) {
  struct Case {
    const char* statement;
    bool ok;
  } cases[] = {
      {"answer color 0 0 0", true},
      {"answer color 255 255 255", true},
      {"answer color 256 0 0", false},
      {"answer color 0 -1 0", false},
      {"registry set-dword HKCU \"Software\\T\" V 4294967295", true},
      {"registry set-dword HKCU \"Software\\T\" V 4294967296", false},
      {"registry set-dword HKCU \"Software\\T\" V -2147483648", true},
      {"registry set-dword HKCU \"Software\\T\" V -2147483649", false},
      {"registry set-dword HKCU \"Software\\T\" V 12x", false},
      {"click frmMain.picIcon(99999999999999999999)", false},
  };
  for (const Case& c : cases) EXPECT_EQ(Run(c.statement).ok, c.ok) << c.statement;
  ASSERT_TRUE(Run("registry set-dword HKCU \"Software\\T\" V 4294967295").ok);
  EXPECT_TRUE(Run("expect registry HKCU \"Software\\T\" V \"4294967295\"").ok);
  ASSERT_TRUE(Run("registry set-dword HKCU \"Software\\T\" V -1").ok);
  EXPECT_TRUE(Run("expect registry HKCU \"Software\\T\" V \"4294967295\"").ok);
}

TEST_F(SandboxTest, WaitMovesTheClockAndBadDurationsAreRefused) {
  EXPECT_TRUE(Run("wait 250ms\nwait 2s\nwait 1m").ok);
  EXPECT_FALSE(Run("wait soon").ok);
}

}  // namespace
}  // namespace quillon::sandbox
