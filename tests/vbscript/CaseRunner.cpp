#include "CaseRunner.h"

#include <memory>
#include <optional>
#include <vector>

#include "EchoObject.h"
#include "StatusObject.h"
#include "VirtualClock.h"
#include "vbscript/VbScriptHost.h"

namespace quillon::vbscript::testing {
namespace {

// The value after "' KEY:" on a line, or nothing when the line holds no such directive.
std::optional<std::string> Directive(const std::string& line, const std::string& key) {
  std::string marker = "' " + key + ":";
  size_t at = line.find(marker);
  if (at == std::string::npos) return std::nullopt;
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

}  // namespace

CaseTranscript RunCase(const std::string& code) {
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
    if (auto v = Directive(line, "expect")) expected.push_back(*v);
    if (auto v = Directive(line, "error")) expected.push_back("error: " + *v);
    if (auto v = Directive(line, "timeout")) timeout = std::stoi(*v);
    if (auto v = Directive(line, "stop-after")) stop_after = std::stoi(*v);
    if (auto v = Directive(line, "on-wait")) on_wait.push_back(*v);
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
  return {Join(expected), Join(actual)};
}

}  // namespace quillon::vbscript::testing
