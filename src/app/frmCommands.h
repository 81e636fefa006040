#pragma once
// The list of slash commands, as "/help" shows it.
#include "runtime/CommandButton.h"
#include "runtime/Form.h"
#include "runtime/Label.h"
#include "runtime/ListBox.h"

namespace quillon::app {

class Quillon;

class frmCommands : public runtime::Form {
 public:
  explicit frmCommands(Quillon& program);

  runtime::Label Label1{*this, "Label1"};
  runtime::ListBox List1{*this, "List1"};
  runtime::CommandButton Command1{*this, "Command1"};
};

}  // namespace quillon::app
