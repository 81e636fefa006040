#pragma once
// A network whose sockets only record what the program does with them; the test raises their
// events itself, one at a time, as a peer and the wire would. Every socket ever made stays on
// record after the program lets go of it.
#include <memory>
#include <string>
#include <vector>

#include "platform/Network.h"

namespace quillon::testing {

struct SocketRecord {
  platform::SocketEvents events;
  platform::SocketState state = platform::SocketState::kClosed;
  uint16_t port = 0;
  std::string host;
  std::vector<std::string> sent;
  uint32_t accepted = 0;  // the request this socket took, if it took one
  bool alive = true;
};

class FakeSocket : public platform::TcpSocket {
 public:
  explicit FakeSocket(std::shared_ptr<SocketRecord> record) : r_(std::move(record)) {}
  ~FakeSocket() override {
    r_->alive = false;
    r_->state = platform::SocketState::kClosed;
  }
  bool Listen(uint16_t port) override {
    r_->state = platform::SocketState::kListening;
    r_->port = port;
    return true;
  }
  // On the listener it becomes the connection; on a socket without a connection, that socket
  // does and the listener listens on.
  bool Accept(uint32_t request) override {
    if (r_->state != platform::SocketState::kListening &&
        r_->state != platform::SocketState::kClosed) {
      return false;
    }
    r_->state = platform::SocketState::kConnected;
    r_->accepted = request;
    return true;
  }
  bool Connect(std::string_view host, uint16_t port) override {
    r_->state = platform::SocketState::kConnecting;
    r_->host = host;
    r_->port = port;
    return true;
  }
  bool Send(std::string_view bytes) override {
    if (r_->state != platform::SocketState::kConnected) return false;
    r_->sent.emplace_back(bytes);
    return true;
  }
  void Close() override { r_->state = platform::SocketState::kClosed; }
  platform::SocketState State() const override { return r_->state; }
  std::string RemoteHostIp() const override { return {}; }

 private:
  std::shared_ptr<SocketRecord> r_;
};

class FakeNetwork : public platform::Network {
 public:
  std::unique_ptr<platform::TcpSocket> CreateSocket(platform::SocketEvents events) override {
    auto record = std::make_shared<SocketRecord>();
    record->events = std::move(events);
    sockets.push_back(record);
    return std::make_unique<FakeSocket>(record);
  }
  platform::HttpResult HttpGet(std::string_view url, uint32_t) override {
    fetched.emplace_back(url);
    return answer;
  }
  std::string LocalIp() override { return "10.0.0.1"; }

  // The newest live socket in `state`, if any.
  SocketRecord* Find(platform::SocketState state) {
    for (auto it = sockets.rbegin(); it != sockets.rend(); ++it) {
      if ((*it)->alive && (*it)->state == state) return it->get();
    }
    return nullptr;
  }
  int Alive() const {
    int count = 0;
    for (const auto& socket : sockets) count += socket->alive ? 1 : 0;
    return count;
  }

  std::vector<std::shared_ptr<SocketRecord>> sockets;
  std::vector<std::string> fetched;
  platform::HttpResult answer{true, 200, "10.0.0.1\n", ""};
};

}  // namespace quillon::testing
