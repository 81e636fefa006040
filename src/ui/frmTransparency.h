#pragma once
// The transparency window: two sliders, for Google Talk's main window and for its chat windows,
// applied and saved as they move.
#include "runtime/CommandButton.h"
#include "runtime/Frame.h"
#include "runtime/Label.h"
#include "runtime/Slider.h"
#include "services/ChatState.h"
#include "ui/SliderDialog.h"

namespace quillon::ui {

class frmTransparency : public SliderDialog {
 public:
  frmTransparency(runtime::Runtime& rt, services::SettingsStore& settings,
                  services::ErrorReports& reports, services::ChatState& chat);

  runtime::Frame Frame1{*this, "Frame1"};
  runtime::Label Label2{*this, "Label2"};
  runtime::Label Label3{*this, "Label3"};
  runtime::Slider Slider1{*this, "Slider1"};
  runtime::Slider Slider2{*this, "Slider2"};
  runtime::Label lblText{*this, "lblText"};
  runtime::Label Label1{*this, "Label1"};
  runtime::CommandButton Command1{*this, "Command1"};

 private:
  services::ChatState& chat_;
};

}  // namespace quillon::ui
