#pragma once
// The options window: the chat-window features switched on and off, start with the system, and
// the boss picture.
#include "runtime/Form.h"

namespace quillon::app {

class Quillon;

class frmOptions : public runtime::Form {
 public:
  explicit frmOptions(Quillon& program);

 private:
  Quillon& program_;
};

}  // namespace quillon::app
