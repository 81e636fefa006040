#pragma once
// A small window of sliders, each bound to a number setting: it opens showing the stored values
// and stays above all other windows while it is open; a slider the person moves is stored and
// applied at once; closing the window stores every slider's value again. The transparency and the
// zoom window are such windows.
#include <functional>
#include <string>
#include <vector>

#include "runtime/Form.h"
#include "runtime/Slider.h"
#include "services/NumberSettings.h"
#include "services/SettingsStore.h"
#include "ui/Transparency.h"

namespace quillon::ui {

class SliderDialog : public runtime::Form {
 protected:
  SliderDialog(runtime::Runtime& rt, services::SettingsStore& settings,
               services::ErrorReports& reports, std::string name, std::string caption);

  // Binds `slider` to `setting` with what a new value does besides being stored. The slider's
  // range is the setting's. Call in the window's constructor, once per slider.
  void Bind(runtime::Slider& slider, const services::NumberSetting& setting,
            std::function<void(int)> apply);
  // Stores and applies the slider's value, as a move of it does.
  void Changed(runtime::Slider& slider);

  void Form_Load() override;
  void Form_Unload(int& cancel) override;

  services::SettingsStore& settings_;
  Transparency transparency_;

 private:
  struct Binding {
    runtime::Slider& slider;
    services::NumberSetting setting;
    std::function<void(int)> apply;
  };

  std::vector<Binding> bindings_;
  // Showing the stored values is not a change of them.
  bool loading_ = false;
};

}  // namespace quillon::ui
