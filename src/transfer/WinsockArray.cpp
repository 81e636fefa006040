#include "transfer/WinsockArray.h"

namespace quillon::transfer {

bool WinsockArray::Load(int index) {
  if (IsLoaded(index)) return true;
  platform::SocketEvents events;
  // The window's handlers outlive every element, so the events reach them through `this`.
  events.connection_request = [this, index](uint32_t request) {
    if (events_.connection_request) events_.connection_request(index, request);
  };
  events.connected = [this, index] {
    if (events_.connect) events_.connect(index);
  };
  events.data_arrival = [this, index](std::string_view bytes) {
    if (events_.data_arrival) events_.data_arrival(index, bytes);
  };
  events.send_complete = [this, index] {
    if (events_.send_complete) events_.send_complete(index);
  };
  events.closed = [this, index] {
    if (events_.close) events_.close(index, 0, "");
  };
  events.error = [this, index](int code, const std::string& description) {
    if (events_.close) events_.close(index, code, description);
  };
  std::unique_ptr<platform::TcpSocket> socket = network_.CreateSocket(std::move(events));
  if (!socket) return false;
  sockets_[index] = std::move(socket);
  return true;
}

void WinsockArray::Unload(int index) {
  auto it = sockets_.find(index);
  if (it == sockets_.end()) return;
  // Out of the array first: closing may not raise anything, but a destructor that did would
  // find the element already gone rather than half destroyed.
  std::unique_ptr<platform::TcpSocket> socket = std::move(it->second);
  sockets_.erase(it);
  socket->Close();
}

void WinsockArray::UnloadAll() {
  while (!sockets_.empty()) Unload(sockets_.begin()->first);
}

platform::TcpSocket* WinsockArray::operator()(int index) const {
  auto it = sockets_.find(index);
  return it == sockets_.end() ? nullptr : it->second.get();
}

}  // namespace quillon::transfer
