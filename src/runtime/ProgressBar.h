#pragma once
// A progress bar. An empty range (a maximum equal to the minimum) shows as full: the work of
// nothing is all done.
#include <algorithm>

#include "runtime/Control.h"

namespace quillon::runtime {

class ProgressBar : public Control {
 public:
  using Control::Control;
  const char* Kind() const override { return "ProgressBar"; }
  long long Max() const { return max_; }
  long long Value() const { return value_; }
  void SetMax(long long max) {
    max_ = std::max(0LL, max);
    value_ = std::min(value_, max_);
  }
  void SetValue(long long value) { value_ = std::clamp(value, 0LL, max_); }
  int Percent() const { return max_ == 0 ? 100 : static_cast<int>(value_ * 100 / max_); }
  std::optional<std::string> Property(std::string_view name) const override {
    if (name == "value") return std::to_string(value_);
    if (name == "max") return std::to_string(max_);
    return Control::Property(name);
  }

 protected:
  const char* WindowClass() const override { return "msctls_progress32"; }

 private:
  long long max_ = 100;
  long long value_ = 0;
};

}  // namespace quillon::runtime
