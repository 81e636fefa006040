#include "transfer/TransferWindow.h"

#include <algorithm>

#include "gtalk/GTalkWindows.h"
#include "runtime/Runtime.h"
#include "runtime/Timer.h"
#include "transfer/Protocol.h"

namespace quillon::transfer {

TransferWindow::TransferWindow(runtime::Runtime& rt, services::ErrorReports& reports,
                               services::ChatState& chat, gtalk::GTalkWindows& gtalk,
                               std::string name, std::string caption)
    : runtime::Form(rt, std::move(name), std::move(caption)),
      reports_(reports),
      chat_(chat),
      gtalk_(gtalk) {}

void TransferWindow::ScheduleTick(runtime::Timer& timer, std::optional<int64_t> wake) {
  if (!wake) {
    timer.SetEnabled(false);
    return;
  }
  timer.SetInterval(static_cast<uint32_t>(std::clamp<int64_t>(*wake - Now(), 1, kRateIntervalMs)));
  timer.SetEnabled(true);
}

int64_t TransferWindow::Now() const { return static_cast<int64_t>(Rt().Loop().Now()); }

void TransferWindow::Notice(std::string_view text) {
  platform::Hwnd& transfer_input = chat_.TransferInput;
  const platform::Hwnd kept = transfer_input;
  if (notice_input_ != 0) transfer_input = notice_input_;
  gtalk_.SendNotice(text);
  transfer_input = kept;
}

}  // namespace quillon::transfer
