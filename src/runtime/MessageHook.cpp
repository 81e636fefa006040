#include "runtime/MessageHook.h"

#include "runtime/Runtime.h"

namespace quillon::runtime {

void MessageHook::Stop() {
  if (hook_ != 0) {
    runtime_.Windows().UnhookPostedMessages(hook_);
    runtime_.LetGoOf(this);
  }
  hook_ = 0;
  messages_.clear();
}

bool MessageHook::Start() {
  if (hook_ != 0) return true;
  if (runtime_.Ended()) return false;
  hook_ = runtime_.Windows().HookPostedMessages(
      watched_, [this](uint32_t& message, platform::WParam& wparam, platform::LParam& lparam) {
        if (runtime_.Ended() || !messages_.count(message)) return;
        auto handler = on_posted_message;
        if (handler) handler(message, wparam, lparam);
      });
  if (hook_ != 0) runtime_.Hold(this);
  return hook_ != 0;
}

}  // namespace quillon::runtime
