#pragma once
// One row of the slash command table: the name typed after the slash, what it does, and where it
// stands in the command list that completion searches and "/help" shows.
#include <string>
#include <string_view>

namespace quillon::gtalk {

class CommandParser;

struct SlashCommand {
  std::string_view name;  // lower case, without the slash
  // Place in the command list, counted from 1; completion takes the first name in this order that
  // begins with what was typed, and "/help" lists them so. 0: recognised on Enter only.
  int listed_at = 0;
  // A blank typed after the complete name starts an argument instead of being dropped.
  bool takes_argument = false;
  // Carries the command out with the text after the line's first blank.
  void (*run)(CommandParser& parser, const std::string& argument) = nullptr;
};

}  // namespace quillon::gtalk
