#pragma once
// The transparency window: two sliders, for Google Talk's main window and for its chat windows,
// applied and saved as they move.
#include "runtime/CommandButton.h"
#include "runtime/Form.h"
#include "runtime/Frame.h"
#include "runtime/Label.h"
#include "runtime/Slider.h"

namespace quillon::app {
class Quillon;
}

namespace quillon::ui {

class frmTransparency : public runtime::Form {
 public:
  explicit frmTransparency(app::Quillon& program);

  runtime::Frame Frame1{*this, "Frame1"};
  runtime::Label Label2{*this, "Label2"};
  runtime::Label Label3{*this, "Label3"};
  runtime::Slider Slider1{*this, "Slider1"};
  runtime::Slider Slider2{*this, "Slider2"};
  runtime::Label lblText{*this, "lblText"};
  runtime::Label Label1{*this, "Label1"};
  runtime::CommandButton Command1{*this, "Command1"};

 protected:
  void Form_Load() override;
  void Form_Unload(int& cancel) override;

 private:
  app::Quillon& program_;
  bool loading_ = false;
};

}  // namespace quillon::ui
