#pragma once
// Quillon running on a simulated desktop beside the stand-in Google Talk, with one chat in front:
// the world of the program's chat-input tests.
#include <gtest/gtest.h>

#include "app/Quillon.h"
#include "app/frmMain.h"
#include "sim/RichEditBox.h"
#include "sim/SimHtmlDocument.h"
#include "standin/GoogleTalk.h"
#include "support/TestPlatform.h"
#include "text/CodePage.h"

namespace quillon::testing {

class QuillonFixture : public ::testing::Test {
 protected:
  explicit QuillonFixture(std::string command_line = "") {
    client_.SetContacts({"Alex", "Sam"});
    client_.Start("Working");
    program_ = std::make_unique<app::Quillon>(*p_.platform_, p_.loop_, p_.Info(command_line));
    program_->Main();
    p_.loop_.ProcessPending();
    chat_ = client_.ActivateChat("Alex");
    p_.loop_.ProcessPending();
  }

  void Type(std::u32string_view text) {
    for (char32_t c : text) {
      p_.desktop_.TypeCharacter(c);
      p_.loop_.ProcessPending();
    }
  }
  void Key(uint32_t key) {
    p_.desktop_.PressKey(key);
    p_.loop_.ProcessPending();
  }
  std::string Input() { return p_.desktop_.RichEditOf(chat_->Input())->Text(); }
  std::pair<int, int> Selection() {
    auto* box = p_.desktop_.RichEditOf(chat_->Input());
    return {box->SelectionStart(), box->SelectionEnd()};
  }

  TestPlatform p_;
  standin::GoogleTalk client_{p_.desktop_, p_.shell_, "me"};
  std::unique_ptr<app::Quillon> program_;
  standin::ChatSession* chat_ = nullptr;
};

}  // namespace quillon::testing
