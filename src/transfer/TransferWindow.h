#pragma once
// What the send and the receive window have in common around their transfer machine: every
// handler ends at its first error and reports it under its own name, the machine's next tick is
// put on the window's timer, and the chat notices go into the chat the window belongs to.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Window.h"
#include "runtime/Form.h"
#include "services/ChatState.h"
#include "services/ErrorReports.h"

namespace quillon::runtime {
class Timer;
}
namespace quillon::gtalk {
class GTalkWindows;
}

namespace quillon::transfer {

class TransferWindow : public runtime::Form {
 protected:
  TransferWindow(runtime::Runtime& rt, services::ErrorReports& reports, services::ChatState& chat,
                 gtalk::GTalkWindows& gtalk, std::string name, std::string caption);

  // Runs a handler of the window; what escapes it is reported under the handler's name.
  template <typename Work>
  void Guarded(std::string_view area, Work&& work) {
    try {
      work();
    } catch (const std::exception& e) {
      reports_.ReportError(area, this, e);
    }
  }

  // Sets `timer` to fire when the machine wants its next tick (no later than one rate interval
  // from now), or stops it when the machine wants none.
  void ScheduleTick(runtime::Timer& timer, std::optional<int64_t> wake);
  // The event loop's clock, in milliseconds.
  int64_t Now() const;

  // A notice ("The file transfer has been cancelled.", the invitation) into the chat of
  // `notice_input_`. Google Talk's notice goes through the one transfer input of the program, so
  // that input is pointed at this window's chat for the notice and then put back.
  void Notice(std::string_view text);

  services::ErrorReports& reports_;
  services::ChatState& chat_;
  gtalk::GTalkWindows& gtalk_;
  // The chat input the transfer belongs to: the sender's chat it was started from, the
  // receiver's chat it was opened in.
  platform::Hwnd notice_input_ = 0;
};

}  // namespace quillon::transfer
