#include "transfer/OutgoingBytes.h"

namespace quillon::transfer {

bool OutgoingBytes::Send(platform::TcpSocket* socket, std::string_view bytes) {
  if (socket == nullptr || !socket->Send(bytes)) return false;
  ++outstanding_;
  return true;
}

void OutgoingBytes::CloseAfter(bool sent_with_it) {
  close_pending_ = true;
  // Only bytes of this same action need to go first; whatever else is unsent is moot now.
  if (!sent_with_it) outstanding_ = 0;
}

void OutgoingBytes::CloseIfDone(platform::TcpSocket* socket) {
  if (!close_pending_ || outstanding_ > 0) return;
  close_pending_ = false;
  if (socket != nullptr) socket->Close();
}

}  // namespace quillon::transfer
