#pragma once
// A label: a caption drawn by its form, without a window of its own.
#include "runtime/Control.h"

namespace quillon::runtime {

class Label : public Control {
 public:
  using Control::Control;
  const char* Kind() const override { return "Label"; }
};

}  // namespace quillon::runtime
