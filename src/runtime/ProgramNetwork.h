#pragma once
// The network as the program sees it: the platform's, with every socket the program makes
// counted, so that the program's end closes the ones its windows still hold (a listener left
// open on the transfer port would keep the next copy of the program from listening there).
#include <memory>
#include <set>
#include <string>
#include <string_view>

#include "platform/Network.h"

namespace quillon::runtime {

class HeldSocket;

class ProgramNetwork : public platform::Network {
 public:
  explicit ProgramNetwork(platform::Network& network) : network_(network) {}
  ProgramNetwork(const ProgramNetwork&) = delete;
  ProgramNetwork& operator=(const ProgramNetwork&) = delete;

  // Null once the program has ended, or when the platform gives no socket.
  std::unique_ptr<platform::TcpSocket> CreateSocket(platform::SocketEvents events) override;
  platform::HttpResult HttpGet(std::string_view url, uint32_t timeout_ms) override {
    return network_.HttpGet(url, timeout_ms);
  }
  std::string LocalIp() override { return network_.LocalIp(); }

  // Closes every socket still open; no socket is made afterwards.
  void CloseAll();
  size_t SocketCount() const { return sockets_.size(); }

  // A held socket is going.
  void Forget(HeldSocket* socket) { sockets_.erase(socket); }

 private:
  platform::Network& network_;
  std::set<HeldSocket*> sockets_;
  bool closed_ = false;
};

}  // namespace quillon::runtime
