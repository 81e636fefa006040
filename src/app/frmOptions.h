#pragma once
// The options window: the chat-window features switched on and off (each box writes its setting
// the moment it is clicked), start with the system, and the boss picture.
#include <string>

#include "runtime/CheckBox.h"
#include "runtime/CommandButton.h"
#include "runtime/Form.h"
#include "runtime/Frame.h"
#include "runtime/Label.h"
#include "runtime/TextBox.h"

namespace quillon::app {

class Quillon;

class frmOptions : public runtime::Form {
 public:
  explicit frmOptions(Quillon& program);

  runtime::Frame Frame1{*this, "Frame1"};
  runtime::CheckBox chkStartup{*this, "chkStartup"};
  runtime::Label Label1{*this, "Label1"};
  runtime::TextBox Text1{*this, "Text1"};
  runtime::Label Label2{*this, "Label2"};
  runtime::Frame Frame2{*this, "Frame2"};
  runtime::CheckBox chkBck{*this, "chkBck"};
  runtime::CheckBox chkBck2{*this, "chkBck2"};
  runtime::CheckBox chkFont{*this, "chkFont"};
  runtime::CheckBox chkSmiley{*this, "chkSmiley"};
  runtime::CheckBox chkCustomImages{*this, "chkCustomImages"};
  runtime::CheckBox chkFN{*this, "chkFN"};
  runtime::CheckBox chkUnderline{*this, "chkUnderline"};
  runtime::Label lblHelpFont{*this, "lblHelpFont"};
  runtime::Label lblHelpSmileys{*this, "lblHelpSmileys"};
  runtime::Label lblHelpCustom{*this, "lblHelpCustom"};
  runtime::Label Label4{*this, "Label4"};
  runtime::CommandButton cmdOK{*this, "cmdOK"};

  // The start-up value: the program's full file name.
  std::string ProgramFileName() const;

 protected:
  void Form_Load() override;

 private:
  struct Feature {
    runtime::CheckBox* box;
    const char* setting;
  };
  std::vector<Feature> Features();
  void cmdOK_Click();

  Quillon& program_;
  bool loading_ = false;
  std::string dialog_file_name_;
};

}  // namespace quillon::app
