// The report program as Quillon starts it: an argument vector, no shell, not waited for.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "os/PosixProcess.h"

namespace quillon {
namespace {

TEST(MishapProgramTest, WritesEachReportWithItsTimeToTheStateLog) {
  std::filesystem::path state =
      std::filesystem::path(::testing::TempDir()) / ("mishap-state-" + std::to_string(getpid()));
  std::filesystem::remove_all(state);
  setenv("XDG_STATE_HOME", state.c_str(), 1);
  // Shell characters in the report are text, never commands.
  std::string report = "Form: Unknown\r\nArea: WndProc; touch /tmp/never-made-by-mishap $(id)";
  ASSERT_TRUE(os::PosixProcess::Start(MISHAP_PROGRAM, {report}));
  std::filesystem::path log = state / "quillon" / "mishap.log";
  for (int i = 0; i < 500 && !std::filesystem::exists(log); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  std::ifstream in(log);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_NE(
      text.str().find("  Form: Unknown\n  Area: WndProc; touch /tmp/never-made-by-mishap $(id)\n"),
      std::string::npos)
      << text.str();
  EXPECT_FALSE(std::filesystem::exists("/tmp/never-made-by-mishap"));
  EXPECT_FALSE(os::PosixProcess::Start("/no/such/program/mishap", {"x"}));
  std::filesystem::remove_all(state);
}

}  // namespace
}  // namespace quillon
