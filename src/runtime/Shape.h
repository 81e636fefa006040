#pragma once
// A shape drawn on its form (a line or a filled rectangle), without a window of its own.
#include <optional>

#include "platform/Window.h"
#include "runtime/Control.h"

namespace quillon::runtime {

class Shape : public Control {
 public:
  using Control::Control;
  const char* Kind() const override { return "Shape"; }
  // A shape is hollow (only its border is drawn) until it is given a fill colour.
  bool Filled() const { return fill_color_.has_value(); }
  platform::ColorRef FillColor() const { return fill_color_.value_or(0); }
  void SetFillColor(platform::ColorRef color) { fill_color_ = color; }
  platform::ColorRef BorderColor() const { return border_color_; }
  void SetBorderColor(platform::ColorRef color) { border_color_ = color; }

 private:
  std::optional<platform::ColorRef> fill_color_;
  platform::ColorRef border_color_ = 0;
};

}  // namespace quillon::runtime
