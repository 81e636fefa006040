#pragma once
// A frame: a captioned box that groups other controls.
#include "runtime/Control.h"

namespace quillon::runtime {

class Frame : public Control {
 public:
  using Control::Control;
  const char* Kind() const override { return "Frame"; }

 protected:
  const char* WindowClass() const override { return "ThunderRT6Frame"; }
};

}  // namespace quillon::runtime
