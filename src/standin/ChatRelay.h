#pragma once
// Carries chat lines between the stand-in clients of different users on one machine, as the chat
// service would carry them between their accounts.
#include <string_view>

namespace quillon::standin {

class ChatRelay {
 public:
  virtual ~ChatRelay() = default;
  // The account `from` sent `text` to its contact `to`. A contact who is nobody's account here
  // simply never answers.
  virtual void Deliver(std::string_view from, std::string_view to, std::string_view text) = 0;
};

}  // namespace quillon::standin
