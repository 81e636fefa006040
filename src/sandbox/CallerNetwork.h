#pragma once
// One simulated machine's view of the network, in front of the shared one: everything passes
// through, and while the machine fetches a page the stand-in web site knows who calls, so its
// address-echo page can answer each machine with its own simulated address. Fetches block the
// loop's one thread, so at most one is under way at a time.
#include <string>

#include "platform/Network.h"

namespace quillon::sandbox {

class SiteServer;

class CallerNetwork : public platform::Network {
 public:
  CallerNetwork(platform::Network& network, SiteServer& site, std::string address)
      : network_(network), site_(site), address_(std::move(address)) {}

  std::unique_ptr<platform::TcpSocket> CreateSocket(platform::SocketEvents events) override {
    return network_.CreateSocket(std::move(events));
  }
  platform::HttpResult HttpGet(std::string_view url, uint32_t timeout_ms) override;
  std::string LocalIp() override { return network_.LocalIp(); }

 private:
  platform::Network& network_;
  SiteServer& site_;
  const std::string address_;
};

}  // namespace quillon::sandbox
