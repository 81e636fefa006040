#include "mishap/MishapLog.h"

#include <cstdlib>
#include <fstream>

namespace quillon::mishap {

std::optional<std::filesystem::path> MishapLog::DefaultPath() {
  const char* state = std::getenv("XDG_STATE_HOME");
  if (state && *state) return std::filesystem::path(state) / "quillon" / "mishap.log";
  const char* home = std::getenv("HOME");
  if (home && *home) {
    return std::filesystem::path(home) / ".local" / "state" / "quillon" / "mishap.log";
  }
  return std::nullopt;
}

std::string MishapLog::Entry(std::string_view timestamp, std::string_view report) {
  std::string entry(timestamp);
  entry += "\n";
  // The report's own line breaks (CR LF) become lines of the log, indented under the time.
  std::string line;
  auto flush = [&] {
    entry += "  " + line + "\n";
    line.clear();
  };
  for (size_t i = 0; i < report.size(); ++i) {
    char c = report[i];
    if (c == '\r') continue;
    if (c == '\n') {
      flush();
    } else {
      line += c;
    }
  }
  flush();
  return entry + "\n";
}

bool MishapLog::Append(const std::filesystem::path& file, std::string_view entry) {
  std::error_code ignored;
  std::filesystem::create_directories(file.parent_path(), ignored);
  std::ofstream out(file, std::ios::app | std::ios::binary);
  out << entry;
  return static_cast<bool>(out);
}

}  // namespace quillon::mishap
