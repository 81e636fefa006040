#pragma once
// The zoom window: one slider for the zoom of the chat input box, applied and saved as it moves.
#include "runtime/CommandButton.h"
#include "runtime/Frame.h"
#include "runtime/Label.h"
#include "runtime/Slider.h"
#include "services/ChatState.h"
#include "ui/SliderDialog.h"

namespace quillon::ui {

class frmZoom : public SliderDialog {
 public:
  frmZoom(runtime::Runtime& rt, services::SettingsStore& settings, services::ErrorReports& reports,
          services::ChatState& chat);

  runtime::Frame Frame1{*this, "Frame1"};
  runtime::Slider Slider1{*this, "Slider1"};
  runtime::Label lblText{*this, "lblText"};
  runtime::Label Label1{*this, "Label1"};
  runtime::CommandButton Command1{*this, "Command1"};

 private:
  services::ChatState& chat_;
};

}  // namespace quillon::ui
