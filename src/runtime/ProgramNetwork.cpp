#include "runtime/ProgramNetwork.h"

#include <vector>

#include "runtime/HeldSocket.h"

namespace quillon::runtime {

std::unique_ptr<platform::TcpSocket> ProgramNetwork::CreateSocket(platform::SocketEvents events) {
  if (closed_) return nullptr;
  std::unique_ptr<platform::TcpSocket> socket = network_.CreateSocket(std::move(events));
  if (!socket) return nullptr;
  auto held = std::make_unique<HeldSocket>(std::move(socket), *this);
  sockets_.insert(held.get());
  return held;
}

void ProgramNetwork::CloseAll() {
  closed_ = true;
  // Closing raises no events, but the list is copied all the same: the owners may let go of
  // their sockets at any time.
  std::vector<HeldSocket*> open(sockets_.begin(), sockets_.end());
  for (HeldSocket* socket : open) {
    if (sockets_.count(socket)) socket->Close();
  }
}

}  // namespace quillon::runtime
