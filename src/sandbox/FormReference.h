#pragma once
// A scenario's name for one of Quillon's windows or controls: FORM, FORM("KEY"), FORM.CONTROL,
// FORM.CONTROL(INDEX), FORM("KEY").CONTROL(INDEX).
#include <optional>
#include <string>
#include <string_view>

namespace quillon::sandbox {

struct FormReference {
  std::string form;
  std::string key;  // for forms loaded more than once; empty otherwise
  std::string control;
  int index = -1;

  static std::optional<FormReference> Parse(std::string_view text);
};

}  // namespace quillon::sandbox
