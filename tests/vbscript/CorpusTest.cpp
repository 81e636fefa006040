// Runs every case file under cases/: a script with its expected transcript written beside it in
// comments. The transcript is what the script echoes and the errors the host reports, in order:
//
//   ' expect: TEXT                          a line printed with WScript.Echo (or "status: TEXT")
//   ' error: (LINE, COLUMN) SOURCE NUMBER: DESCRIPTION    an error event
//   ' timeout: MILLISECONDS                 the host's time-out (default 10000)
//   ' stop-after: N                         CheckEnd answers true at its Nth call
//   ' on-wait: CODE                         run CODE on the same host inside the next Wait
//
// The host has WScript (Echo only) and GTalk (the status object, members global).
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "EchoObject.h"
#include "StatusObject.h"
#include "VirtualClock.h"
#include "vbscript/VbScriptHost.h"

namespace quillon::vbscript::testing {
namespace {

struct CaseFile {
  std::string name;
  std::string path;
};

void PrintTo(const CaseFile& file, std::ostream* out) { *out << file.name; }

std::vector<CaseFile> ListCases() {
  std::vector<CaseFile> cases;
  std::filesystem::path root = VBSCRIPT_CASES_DIR;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
    if (entry.path().extension() != ".vbs") continue;
    std::string name = std::filesystem::relative(entry.path(), root).replace_extension().string();
    std::replace_if(
        name.begin(), name.end(), [](char c) { return !std::isalnum(c); }, '_');
    cases.push_back({name, entry.path().string()});
  }
  std::sort(cases.begin(), cases.end(),
            [](const CaseFile& a, const CaseFile& b) { return a.name < b.name; });
  return cases;
}

std::string Directive(const std::string& line, const std::string& key) {
  std::string marker = "' " + key + ":";
  size_t at = line.find(marker);
  if (at == std::string::npos) return "\x01";
  std::string value = line.substr(at + marker.size());
  if (!value.empty() && value[0] == ' ') value.erase(0, 1);
  while (!value.empty() && (value.back() == '\r' || value.back() == ' ')) value.pop_back();
  return value;
}

std::string Join(const std::vector<std::string>& lines) {
  std::string joined;
  for (const auto& line : lines) joined += line + "\n";
  return joined;
}

class Corpus : public ::testing::TestWithParam<CaseFile> {};

TEST_P(Corpus, ProducesTheTranscriptWrittenBesideIt) {
  std::ifstream in(GetParam().path, std::ios::binary);
  ASSERT_TRUE(in) << GetParam().path;
  std::string code((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());

  std::vector<std::string> expected;
  std::vector<std::string> on_wait;
  int32_t timeout = 10000;
  int stop_after = 0;
  size_t start = 0;
  while (start < code.size()) {
    size_t end = code.find('\n', start);
    if (end == std::string::npos) end = code.size();
    std::string line = code.substr(start, end - start);
    start = end + 1;
    if (std::string v = Directive(line, "expect"); v != "\x01") expected.push_back(v);
    if (std::string v = Directive(line, "error"); v != "\x01") expected.push_back("error: " + v);
    if (std::string v = Directive(line, "timeout"); v != "\x01") timeout = std::stoi(v);
    if (std::string v = Directive(line, "stop-after"); v != "\x01") stop_after = std::stoi(v);
    if (std::string v = Directive(line, "on-wait"); v != "\x01") on_wait.push_back(v);
  }

  VirtualClock clock;
  VbScriptHost host(clock.Clocks());
  std::vector<std::string> actual;
  host.SetTimeout(timeout);
  host.AddObject("WScript", std::make_shared<EchoObject>(actual), false);
  auto status = std::make_shared<StatusObject>(host, clock, actual);
  status->stop_after_checks = stop_after;
  for (const auto& event : on_wait) {
    status->events.push_back([&host, event] { host.ExecuteStatement(event); });
  }
  host.AddObject("GTalk", status, true);
  host.SetErrorHandler([&actual](const platform::ScriptErrorInfo& error) {
    actual.push_back("error: (" + std::to_string(error.line) + ", " + std::to_string(error.column) +
                     ") " + error.source + " " + std::to_string(error.number) + ": " +
                     error.description);
  });
  host.ExecuteStatement(code);
  EXPECT_EQ(Join(actual), Join(expected)) << "in " << GetParam().path;
}

INSTANTIATE_TEST_SUITE_P(Cases, Corpus, ::testing::ValuesIn(ListCases()),
                         [](const ::testing::TestParamInfo<CaseFile>& info) {
                           return info.param.name;
                         });

}  // namespace
}  // namespace quillon::vbscript::testing
