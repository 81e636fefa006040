#pragma once
// A slider (track bar) with a range and a value. Moving it raises Scroll while it moves and
// Change when it comes to rest; the person's "set" does both.
#include <functional>

#include "runtime/Control.h"

namespace quillon::runtime {

class Slider : public Control {
 public:
  using Control::Control;
  const char* Kind() const override { return "Slider"; }
  int Min() const { return min_; }
  int Max() const { return max_; }
  int Value() const { return value_; }
  void SetRange(int min, int max);
  // Setting the value from code raises Change when it changes.
  void SetValue(int value);
  std::function<void()> on_scroll;
  bool PersonSet(std::string_view value) override;
  std::optional<std::string> Property(std::string_view name) const override;

 protected:
  const char* WindowClass() const override { return "msctls_trackbar32"; }

 private:
  int min_ = 0;
  int max_ = 10;
  int value_ = 0;
};

}  // namespace quillon::runtime
