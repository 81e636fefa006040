#pragma once
// A check box: Value 0 (unchecked), 1 (checked) or 2 (greyed). A click by the person toggles it
// between 0 and 1; setting Value to something new raises Click, as the control does.
#include "runtime/Control.h"

namespace quillon::runtime {

class CheckBox : public Control {
 public:
  using Control::Control;
  const char* Kind() const override { return "CheckBox"; }
  int Value() const { return value_; }
  void SetValue(int value);
  std::optional<std::string> Property(std::string_view name) const override;

 protected:
  const char* WindowClass() const override { return "ThunderRT6CheckBox"; }
  platform::LResult Handle(uint32_t message, platform::WParam wparam,
                           platform::LParam lparam) override;

 private:
  int value_ = 0;
};

}  // namespace quillon::runtime
