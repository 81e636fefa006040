#include "runtime/Slider.h"

#include <algorithm>
#include <charconv>

namespace quillon::runtime {

void Slider::SetRange(int min, int max) {
  min_ = min;
  max_ = std::max(min, max);
  value_ = std::clamp(value_, min_, max_);
}

void Slider::SetValue(int value) {
  value = std::clamp(value, min_, max_);
  if (value == value_) return;
  value_ = value;
  Raise("Change", on_change);
}

bool Slider::PersonSet(std::string_view text) {
  int value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || !Enabled() || !Visible()) {
    return false;
  }
  SetFocus();
  int target = std::clamp(value, min_, max_);
  if (target != value_) {
    value_ = target;
    Raise("Scroll", on_scroll);
    Raise("Change", on_change);
  }
  return true;
}

std::optional<std::string> Slider::Property(std::string_view name) const {
  if (name == "value") return std::to_string(value_);
  if (name == "max") return std::to_string(max_);
  return Control::Property(name);
}

}  // namespace quillon::runtime
