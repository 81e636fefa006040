#include "ui/SliderDialog.h"

#include "runtime/Runtime.h"

namespace quillon::ui {

SliderDialog::SliderDialog(runtime::Runtime& rt, services::SettingsStore& settings,
                           services::ErrorReports& reports, std::string name, std::string caption)
    : runtime::Form(rt, std::move(name), std::move(caption)),
      settings_(settings),
      transparency_(rt, reports) {}

void SliderDialog::Bind(runtime::Slider& slider, const services::NumberSetting& setting,
                        std::function<void(int)> apply) {
  slider.SetRange(setting.lowest, setting.highest);
  bindings_.push_back(Binding{slider, setting, std::move(apply)});
  slider.on_change = [this, &slider] {
    if (!loading_) Changed(slider);
  };
}

void SliderDialog::Changed(runtime::Slider& slider) {
  for (const Binding& binding : bindings_) {
    if (&binding.slider != &slider) continue;
    settings_.WriteSetting(binding.setting.name, slider.Value());
    binding.apply(slider.Value());
  }
}

void SliderDialog::Form_Load() {
  loading_ = true;
  for (const Binding& binding : bindings_) {
    binding.slider.SetValue(settings_.ReadNumber(binding.setting));
  }
  loading_ = false;
  transparency_.SetAlwaysOnTopMode(*this, true);
}

void SliderDialog::Form_Unload(int&) {
  transparency_.SetAlwaysOnTopMode(*this, false);
  for (const Binding& binding : bindings_) {
    settings_.WriteSetting(binding.setting.name, binding.slider.Value());
  }
}

}  // namespace quillon::ui
