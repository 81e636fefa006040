#pragma once
// The zoom window: one slider for the zoom of the chat input box, applied and saved as it moves.
#include "runtime/CommandButton.h"
#include "runtime/Form.h"
#include "runtime/Frame.h"
#include "runtime/Label.h"
#include "runtime/Slider.h"

namespace quillon::app {
class Quillon;
}

namespace quillon::ui {

class frmZoom : public runtime::Form {
 public:
  explicit frmZoom(app::Quillon& program);

  runtime::Frame Frame1{*this, "Frame1"};
  runtime::Slider Slider1{*this, "Slider1"};
  runtime::Label lblText{*this, "lblText"};
  runtime::Label Label1{*this, "Label1"};
  runtime::CommandButton Command1{*this, "Command1"};

 protected:
  void Form_Load() override;
  void Form_Unload(int& cancel) override;

 private:
  void Apply();
  app::Quillon& program_;
  bool loading_ = false;
};

}  // namespace quillon::ui
