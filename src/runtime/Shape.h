#pragma once
// A shape drawn on its form (a line or a filled rectangle), without a window of its own.
#include "platform/Window.h"
#include "runtime/Control.h"

namespace quillon::runtime {

class Shape : public Control {
 public:
  using Control::Control;
  const char* Kind() const override { return "Shape"; }
  platform::ColorRef FillColor() const { return fill_color_; }
  void SetFillColor(platform::ColorRef color) { fill_color_ = color; }
  platform::ColorRef BorderColor() const { return border_color_; }
  void SetBorderColor(platform::ColorRef color) { border_color_ = color; }

 private:
  platform::ColorRef fill_color_ = 0;
  platform::ColorRef border_color_ = 0;
};

}  // namespace quillon::runtime
