#pragma once
// The about window: the program's version, its web site and forum, and its credits.
#include "runtime/CommandButton.h"
#include "runtime/Form.h"
#include "runtime/Frame.h"
#include "runtime/Label.h"

namespace quillon::app {

class Quillon;

class frmAbout : public runtime::Form {
 public:
  explicit frmAbout(Quillon& program);

  runtime::Frame Frame1{*this, "Frame1"};
  runtime::Label Label1{*this, "Label1"};
  runtime::Label lblVersion{*this, "lblVersion"};
  runtime::Label Label2{*this, "Label2"};
  runtime::Label lblWebsite{*this, "lblWebsite"};
  runtime::Label Label3{*this, "Label3"};
  runtime::Label lblForums{*this, "lblForums"};
  runtime::Frame Frame2{*this, "Frame2"};
  runtime::Label lblCredits{*this, "lblCredits"};
  runtime::Label lblThanks{*this, "lblThanks"};
  runtime::CommandButton cmdOK{*this, "cmdOK"};

  // "v1.0.151" and the version comment, as the window shows them.
  static std::string VersionText(int major, int minor, int revision);

 protected:
  void Form_Load() override;

 private:
  Quillon& program_;
};

}  // namespace quillon::app
