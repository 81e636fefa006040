#pragma once
// A push button. Enter in a text box of the form does not press it by itself: the form's code
// decides (the forms that want it say so in their key events).
#include "runtime/Control.h"

namespace quillon::runtime {

class CommandButton : public Control {
 public:
  using Control::Control;
  const char* Kind() const override { return "CommandButton"; }

 protected:
  const char* WindowClass() const override { return "ThunderRT6CommandButton"; }
};

}  // namespace quillon::runtime
