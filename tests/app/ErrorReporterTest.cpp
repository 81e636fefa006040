#include <gtest/gtest.h>

#include <fstream>

#include "app/ErrorReporter.h"
#include "mishap/MishapLog.h"
#include "runtime/Form.h"
#include "runtime/ProgramError.h"
#include "support/TestPlatform.h"

namespace quillon::app {
namespace {

class ErrorReporterTest : public ::testing::Test {
 protected:
  testing::TestPlatform p_;
  runtime::Runtime rt_{*p_.platform_, p_.loop_, p_.Info()};
  ErrorReporter reporter_{rt_};

  std::string LastReport() {
    const auto& started = p_.shell_.Started();
    EXPECT_FALSE(started.empty());
    if (started.empty()) return {};
    EXPECT_EQ(started.back().arguments.size(), 1u);
    return started.back().arguments.at(0);
  }
};

TEST_F(ErrorReporterTest, ReportNamesTheFormOrUnknownAndKeepsTheCallersFields) {
  reporter_.ReportError("WndProc", nullptr, 91, "Quillon", "Object variable not set");
  EXPECT_EQ(LastReport(),
            "Form: Unknown\r\nArea: WndProc\r\nNumber: 91\r\nSource: Quillon\r\n"
            "Description: Object variable not set");
  runtime::Form form(rt_, "frmMain", "Quillon");
  runtime::ProgramError current(5, "other", "other text");
  reporter_.ReportError("ChatWindow: Hook", &form, 13, "mine", "my text", &current);
  EXPECT_EQ(LastReport(),
            "Form: frmMain\r\nArea: ChatWindow: Hook\r\nNumber: 13\r\nSource: mine\r\n"
            "Description: my text");
}

TEST_F(ErrorReporterTest, MissingFieldsComeFromTheErrorBeingHandled) {
  runtime::ProgramError current(53, "Quillon", "File not found");
  reporter_.ReportError("LoadImages", nullptr, current);
  EXPECT_NE(LastReport().find("Number: 53\r\nSource: Quillon\r\nDescription: File not found"),
            std::string::npos);
  reporter_.ReportError("X", nullptr, std::runtime_error("broken"));
  EXPECT_NE(LastReport().find("Number: 5\r\n"), std::string::npos);
}

TEST_F(ErrorReporterTest, LibraryFailuresAreReportedInWordsNotByFunctionName) {
  struct Case {
    std::exception_ptr error;
    std::string expected;
  };
  auto thrown = [](auto&& body) {
    try {
      body();
    } catch (...) {
      return std::current_exception();
    }
    return std::exception_ptr();
  };
  const Case cases[] = {
      {thrown([] { (void)std::stoi("half"); }),
       "Number: 13\r\nSource: Quillon\r\nDescription: Type mismatch: a text that is not a "
       "number was read as a number."},
      {thrown([] { (void)std::stoi("99999999999"); }),
       "Number: 6\r\nSource: Quillon\r\nDescription: Overflow: a number or a position was "
       "outside the range it may take."},
      {thrown([] { (void)std::string("ab").substr(5); }),
       "Number: 6\r\nSource: Quillon\r\nDescription: Overflow:"},
      {thrown([] { throw std::length_error("vector::reserve"); }),
       "Number: 5\r\nSource: Quillon\r\nDescription: Invalid procedure call or argument."},
      {thrown([] { throw std::runtime_error("bad_thing"); }),
       "Description: Invalid procedure call or argument."},
      {thrown([] { throw std::runtime_error("The chat window went away."); }),
       "Number: 5\r\nSource: Quillon\r\nDescription: The chat window went away."},
  };
  for (const Case& c : cases) {
    try {
      std::rethrow_exception(c.error);
    } catch (const std::exception& e) {
      reporter_.ReportError("frmTransparency", nullptr, e);
      std::string report = LastReport();
      EXPECT_NE(report.find(c.expected), std::string::npos) << report;
      EXPECT_EQ(report.find("stoi"), std::string::npos) << report;
      EXPECT_EQ(report.find("::"), std::string::npos) << report;
    }
  }
}

TEST_F(ErrorReporterTest, AMissingReportProgramChangesNothing) {
  p_.shell_.SetStarter([](std::string_view, const std::vector<std::string>&) { return false; });
  reporter_.ReportError("tmrCheck_Timer", nullptr, 1, "s", "d");  // must simply return
  EXPECT_EQ(reporter_.ReporterProgram(), "mishap");  // no executable folder: the search path
}

TEST_F(ErrorReporterTest, TheReportProgramBesideTheExecutableComesFirst) {
  std::filesystem::path folder = p_.folder_ / "bin";
  std::filesystem::create_directories(folder);
  std::ofstream(folder / "mishap") << "#!/bin/sh\n";
  runtime::ProgramInfo info = p_.Info();
  info.executable_folder = folder.string();
  runtime::Runtime rt(*p_.platform_, p_.loop_, info);
  ErrorReporter reporter(rt);
  EXPECT_EQ(reporter.ReporterProgram(), (folder / "mishap").string());
}

TEST(MishapLogTest, EntryKeepsTheReportsLinesUnderItsTime) {
  std::string entry = mishap::MishapLog::Entry(
      "2026-12-06 10:00:00", ErrorReporter::ReportText("Unknown", "WndProc", 5, "S", "D"));
  EXPECT_EQ(entry,
            "2026-12-06 10:00:00\n  Form: Unknown\n  Area: WndProc\n  Number: 5\n  Source: S\n"
            "  Description: D\n\n");
}

}  // namespace
}  // namespace quillon::app
