#pragma once
// Reads scenario text into statements: words separated by blanks, strings in double quotes with
// their escapes, comments from "#" outside quotes, and "<<TAG" bodies that run to a line that is
// exactly TAG.
#include <string>
#include <string_view>
#include <vector>

#include "sandbox/Statement.h"

namespace quillon::sandbox {

class ScenarioReader {
 public:
  // Reads a whole file's text. On a malformed line, returns false with `error` naming the line.
  static bool ReadAll(std::string_view text, std::vector<Statement>& out, std::string& error);
  // Reads one line. `empty` is set for a blank or comment line; `tag` is set when the line ends
  // with "<<TAG" and its body (the caller reads it) is still to come as the last word.
  static bool ReadLine(std::string_view line, int line_number, Statement& out, bool& empty,
                       std::string& tag, std::string& error);
  // Replaces ${NAME} in every word with the variable's value.
  static void Substitute(Statement& statement, std::string_view name, std::string_view value);
};

}  // namespace quillon::sandbox
