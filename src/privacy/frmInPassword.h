#pragma once
// The unlock prompt: whatever way it closes, the text typed so far is what is compared.
#include "runtime/CommandButton.h"
#include "runtime/Form.h"
#include "runtime/Label.h"
#include "runtime/TextBox.h"

namespace quillon::privacy {

class Lock;

class frmInPassword : public runtime::Form {
 public:
  frmInPassword(runtime::Runtime& runtime, Lock& lock);

  runtime::Label lblText{*this, "lblText"};
  runtime::TextBox Text1{*this, "Text1"};
  runtime::CommandButton Command1{*this, "Command1"};

 protected:
  void Form_Load() override;
  void Form_Unload(int& cancel) override;

 private:
  Lock& lock_;
};

}  // namespace quillon::privacy
