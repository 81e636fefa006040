#include "os/PosixNetwork.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>
#include <poll.h>

#include <algorithm>
#include <cassert>
#include <cerrno>
#include <utility>

#include "os/PosixSocket.h"

namespace quillon::os {
namespace {

// The address a peer on the local network would use: the first IPv4 address of an interface that
// is up and not loopback.
std::string MachineIpv4() {
  ifaddrs* list = nullptr;
  if (getifaddrs(&list) != 0) return "127.0.0.1";
  std::string found = "127.0.0.1";
  for (const ifaddrs* entry = list; entry != nullptr; entry = entry->ifa_next) {
    if (entry->ifa_addr == nullptr || entry->ifa_addr->sa_family != AF_INET) continue;
    if ((entry->ifa_flags & IFF_UP) == 0 || (entry->ifa_flags & IFF_LOOPBACK) != 0) continue;
    char text[INET_ADDRSTRLEN] = {};
    const auto* address = reinterpret_cast<const sockaddr_in*>(entry->ifa_addr);
    if (inet_ntop(AF_INET, &address->sin_addr, text, sizeof text) != nullptr) {
      found = text;
      break;
    }
  }
  freeifaddrs(list);
  return found;
}

}  // namespace

PosixNetwork::PosixNetwork(std::shared_ptr<PortMap> ports, std::string local_name, CurlHttp http)
    : ports_(std::move(ports)), local_name_(std::move(local_name)), http_(http) {
  assert(ports_ != nullptr);
  // A simulated machine is found by its name; without one its listeners could not be reached.
  assert(ports_->GetMode() == PortMap::Mode::kIdentity || !local_name_.empty());
}

PosixNetwork::~PosixNetwork() {
  // Detaching unregisters nothing, so the list stays as it is while it is walked.
  for (PosixSocket* socket : sockets_) socket->Detach();
}

std::unique_ptr<platform::TcpSocket> PosixNetwork::CreateSocket(platform::SocketEvents events) {
  return std::make_unique<PosixSocket>(*this, std::move(events));
}

platform::HttpResult PosixNetwork::HttpGet(std::string_view url, uint32_t timeout_ms) {
  return http_.Get(url, timeout_ms);
}

std::string PosixNetwork::LocalIp() {
  if (!local_name_.empty()) return local_name_;
  return MachineIpv4();
}

void PosixNetwork::Register(PosixSocket* socket) { sockets_.push_back(socket); }

void PosixNetwork::Unregister(PosixSocket* socket) { std::erase(sockets_, socket); }

bool PosixNetwork::DispatchReady() noexcept {
  // Callbacks may destroy and make sockets, so the pass works on a snapshot and asks each
  // socket's life token before touching it. Sockets made during the pass wait for the next one.
  struct Entry {
    PosixSocket* socket;
    std::weak_ptr<void> life;
    PosixSocket::PollInterest interest;
    size_t poll_index;
  };
  std::vector<Entry> entries;
  std::vector<pollfd> polled;
  entries.reserve(sockets_.size());
  for (PosixSocket* socket : sockets_) {
    Entry entry{socket, socket->Life(), socket->Interest(), polled.size()};
    if (entry.interest.fd >= 0 && entry.interest.events != 0) {
      polled.push_back(pollfd{entry.interest.fd, entry.interest.events, 0});
    }
    entries.push_back(std::move(entry));
  }
  if (!polled.empty()) {
    int ready;
    do {
      ready = poll(polled.data(), polled.size(), 0);
    } while (ready < 0 && errno == EINTR);
    // A failed poll reports nothing ready; sockets with results already known still get them.
    if (ready < 0) {
      for (pollfd& entry : polled) entry.revents = 0;
    }
  }

  bool raised = false;
  for (const Entry& entry : entries) {
    if (entry.life.expired()) continue;
    short revents = 0;
    if (entry.interest.fd >= 0 && entry.interest.events != 0) {
      revents = polled[entry.poll_index].revents;
    }
    if (entry.socket->Dispatch(revents, entry.interest.generation)) raised = true;
  }
  return raised;
}

bool PosixNetwork::WaitsOnRealWorld() const {
  return std::any_of(sockets_.begin(), sockets_.end(),
                     [](const PosixSocket* socket) { return socket->WaitsOnRealWorld(); });
}

void PosixNetwork::Watch(std::vector<platform::WatchedDescriptor>& watched) const {
  // The same interest DispatchReady polls for, so that what wakes the loop is what it then raises.
  for (const PosixSocket* socket : sockets_) {
    const PosixSocket::PollInterest interest = socket->Interest();
    if (interest.fd < 0 || interest.events == 0) continue;
    watched.push_back(platform::WatchedDescriptor{interest.fd, (interest.events & POLLIN) != 0,
                                                  (interest.events & POLLOUT) != 0});
  }
}

}  // namespace quillon::os
