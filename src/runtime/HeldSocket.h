#pragma once
// A socket the program holds through its network (ProgramNetwork): it behaves as the socket it
// wraps, and the network knows of it for as long as it lives, so that the program's end can
// close it.
#include <memory>

#include "platform/Network.h"

namespace quillon::runtime {

class ProgramNetwork;

class HeldSocket : public platform::TcpSocket {
 public:
  HeldSocket(std::unique_ptr<platform::TcpSocket> socket, ProgramNetwork& owner)
      : socket_(std::move(socket)), owner_(owner) {}
  ~HeldSocket() override;
  HeldSocket(const HeldSocket&) = delete;
  HeldSocket& operator=(const HeldSocket&) = delete;

  bool Listen(uint16_t port) override { return socket_->Listen(port); }
  bool Accept(uint32_t request) override { return socket_->Accept(request); }
  bool Connect(std::string_view host, uint16_t port) override {
    return socket_->Connect(host, port);
  }
  bool Send(std::string_view bytes) override { return socket_->Send(bytes); }
  void Close() override { socket_->Close(); }
  platform::SocketState State() const override { return socket_->State(); }
  std::string RemoteHostIp() const override { return socket_->RemoteHostIp(); }

 private:
  std::unique_ptr<platform::TcpSocket> socket_;
  ProgramNetwork& owner_;
};

}  // namespace quillon::runtime
