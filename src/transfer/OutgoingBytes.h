#pragma once
// The bytes a transfer window has handed to its connection and not yet seen go out. The last
// message (the "ende:" after the file, the receiver's last answer) must reach the peer before the
// connection closes, and closing drops whatever the socket has not sent yet, so a close waits
// until every send the window made has completed.
#include <string_view>

#include "platform/Network.h"

namespace quillon::transfer {

class OutgoingBytes {
 public:
  // Hands the bytes to the socket; false when there is no socket or it refused them.
  bool Send(platform::TcpSocket* socket, std::string_view bytes);
  // The socket reports one send complete.
  void Sent() {
    if (outstanding_ > 0) --outstanding_;
  }
  // The connection is to close once the bytes sent so far are out; with `sent_with_it` false
  // (nothing went with the close, or it failed) nothing earlier is waited for.
  void CloseAfter(bool sent_with_it);
  // Closes the socket when a close waits and nothing is outstanding.
  void CloseIfDone(platform::TcpSocket* socket);
  // A new or broken connection: nothing of the old one is waited for.
  void Forget() {
    outstanding_ = 0;
    close_pending_ = false;
  }

 private:
  int outstanding_ = 0;
  bool close_pending_ = false;
};

}  // namespace quillon::transfer
