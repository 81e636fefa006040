#pragma once
// The machine's network behind the seam: non-blocking TCP sockets (PosixSocket) whose events come
// from DispatchReady, and the blocking web fetch (CurlHttp).
//
// Lifecycle:
// - Made by the owner of the platform services, who adds it to the event loop as a source and
//   removes it before destroying it. Sockets may outlive the network; they are closed with it and
//   raise nothing more.
// - Everything runs on the program's one thread. DispatchReady polls every socket without
//   waiting and raises the events that are due, in the order the system reports them per socket
//   and in the order the sockets were made across sockets. Callbacks may close, destroy and make
//   sockets, and may run the event loop again (nested).
// - In real use the PortMap is the identity and LocalIp is the machine's first IPv4 address that
//   is not loopback. In a loopback simulation (see PortMap) each network is one simulated machine
//   named `local_name`, which LocalIp returns and under which its listeners are found.
// - Resolving a host name (not an address) asks the system's resolver, which may wait; the
//   program connects to addresses.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "os/CurlHttp.h"
#include "os/PortMap.h"
#include "platform/EventSource.h"
#include "platform/Network.h"

namespace quillon::os {

class PosixSocket;

class PosixNetwork final : public platform::Network, public platform::EventSource {
 public:
  // Real use: the identity PortMap. A simulated machine: a loopback PortMap shared with the other
  // machines, and this machine's address in it (which must not be empty).
  explicit PosixNetwork(std::shared_ptr<PortMap> ports = std::make_shared<PortMap>(),
                        std::string local_name = {}, CurlHttp http = CurlHttp());
  ~PosixNetwork() override;
  PosixNetwork(const PosixNetwork&) = delete;
  PosixNetwork& operator=(const PosixNetwork&) = delete;

  std::unique_ptr<platform::TcpSocket> CreateSocket(platform::SocketEvents events) override;
  platform::HttpResult HttpGet(std::string_view url, uint32_t timeout_ms) override;
  std::string LocalIp() override;

  // An exception from a callback is a fault of the program, not something to carry on from.
  bool DispatchReady() noexcept override;
  bool WaitsOnRealWorld() const override;
  void Watch(std::vector<platform::WatchedDescriptor>& watched) const override;

  const std::shared_ptr<PortMap>& Ports() const { return ports_; }
  const std::string& LocalName() const { return local_name_; }

 private:
  friend class PosixSocket;
  void Register(PosixSocket* socket);
  void Unregister(PosixSocket* socket);
  // Connection requests are numbered across the network, so that a socket may accept a request
  // that another one (the listener) raised.
  uint32_t NewRequestId() { return ++last_request_id_; }

  const std::shared_ptr<PortMap> ports_;
  const std::string local_name_;
  const CurlHttp http_;
  std::vector<PosixSocket*> sockets_;  // in the order they were made
  uint32_t last_request_id_ = 0;
};

}  // namespace quillon::os
