#pragma once
// Setting the lock password: typed twice, shown as stars; left blank, the lock goes on without one.
#include <string>

#include "runtime/CommandButton.h"
#include "runtime/Form.h"
#include "runtime/Label.h"
#include "runtime/TextBox.h"

namespace quillon::privacy {

class Lock;

class frmPassword : public runtime::Form {
 public:
  frmPassword(runtime::Runtime& runtime, Lock& lock);

  runtime::Label lblText{*this, "lblText"};
  runtime::TextBox Text1{*this, "Text1"};
  runtime::CommandButton Command1{*this, "Command1"};

  void SubmitPassword();

 protected:
  void Form_Load() override;

 private:
  Lock& lock_;
  bool waiting_for_second_ = false;
  std::string first_entry_;
};

}  // namespace quillon::privacy
