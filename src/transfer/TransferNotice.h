#pragma once
// The chat notices of the transfer windows ("The file transfer has been cancelled.", the
// invitation) go into the chat each window belongs to: the sender's into the chat it was started
// from, the receiver's into the chat it was opened in. Google Talk's notice goes through the one
// transfer input of the program, so that input is pointed at the window's chat for the notice.
#include <string_view>

#include "platform/Window.h"

namespace quillon::app {
class Quillon;
}

namespace quillon::transfer {

void SendTransferNotice(app::Quillon& program, platform::Hwnd input, std::string_view text);

}  // namespace quillon::transfer
