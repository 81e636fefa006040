#pragma once
// Where the report program keeps the reports it is given, and how one entry reads.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace quillon::mishap {

class MishapLog {
 public:
  // $XDG_STATE_HOME/quillon/mishap.log, else $HOME/.local/state/quillon/mishap.log.
  static std::optional<std::filesystem::path> DefaultPath();
  // One entry: the time, then the report with its lines indented, then a blank line.
  static std::string Entry(std::string_view timestamp, std::string_view report);
  // Appends an entry, creating the folder; false when it cannot be written.
  static bool Append(const std::filesystem::path& file, std::string_view entry);
};

}  // namespace quillon::mishap
