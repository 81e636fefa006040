#include "os/PosixSocket.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

#include "os/PosixNetwork.h"

namespace quillon::os {
namespace {

using platform::SocketState;

// One read's worth, so that a fast peer's bytes arrive in few large deliveries; a pass reads at
// most kMaxReadPerPass from one socket so that such a peer cannot keep the others (and the rest of
// the event loop) waiting.
constexpr size_t kReadChunk = 256 * 1024;
constexpr size_t kMaxReadPerPass = 1024 * 1024;

// Close reads at most this much of what arrived unread (see Reset).
constexpr int kMaxDiscardReads = 64;

// The outbox is compacted once this much of its front has gone, so that a long transfer neither
// grows it without end nor moves its bytes on every write.
constexpr size_t kCompactAfter = 256 * 1024;

std::string Describe(int code) { return std::strerror(code); }

void CloseDescriptor(int& fd) {
  if (fd >= 0) ::close(fd);
  fd = -1;
}

std::string AddressText(const sockaddr_in& address) {
  char text[INET_ADDRSTRLEN] = {};
  if (inet_ntop(AF_INET, &address.sin_addr, text, sizeof text) == nullptr) return {};
  return text;
}

uint16_t LocalPort(int fd) {
  sockaddr_in address{};
  socklen_t length = sizeof address;
  if (getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) return 0;
  return ntohs(address.sin_port);
}

uint16_t PeerPort(int fd) {
  sockaddr_in address{};
  socklen_t length = sizeof address;
  if (getpeername(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) return 0;
  return ntohs(address.sin_port);
}

// Numeric addresses and "localhost" never wait on a resolver; other names ask the system's.
bool ResolveIpv4(const std::string& host, in_addr& out) {
  if (inet_pton(AF_INET, host.c_str(), &out) == 1) return true;
  if (host == "localhost") {
    out.s_addr = htonl(INADDR_LOOPBACK);
    return true;
  }
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  if (getaddrinfo(host.c_str(), nullptr, &hints, &found) != 0 || found == nullptr) return false;
  out = reinterpret_cast<const sockaddr_in*>(found->ai_addr)->sin_addr;
  freeaddrinfo(found);
  return true;
}

int NewStreamSocket() { return ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0); }

}  // namespace

PosixSocket::PosixSocket(PosixNetwork& network, platform::SocketEvents events)
    : network_(&network),
      events_(std::make_shared<const platform::SocketEvents>(std::move(events))),
      ports_(network.Ports()),
      local_name_(network.LocalName()) {
  network_->Register(this);
}

PosixSocket::~PosixSocket() {
  Reset(SocketState::kClosed);
  if (network_ != nullptr) network_->Unregister(this);
}

void PosixSocket::Detach() {
  Reset(SocketState::kClosed);
  network_ = nullptr;
}

void PosixSocket::Reset(SocketState next_state) {
  if (state_ == SocketState::kListening) ports_->Unbind(local_name_, logical_port_, real_port_);
  if (outgoing_port_ != 0) ports_->ForgetOutgoing(outgoing_port_);
  outgoing_port_ = 0;
  RefuseRequests();
  if (fd_ >= 0 && state_ == SocketState::kConnected) {
    // Bytes that arrived but were never read make the system answer the close with a reset,
    // which can destroy what the peer has not read yet of our last sends. Reading them first
    // lets the close be the ordinary end of the stream.
    char discard[4096];
    for (int read = 0; read < kMaxDiscardReads; ++read) {
      if (::recv(fd_, discard, sizeof discard, 0) <= 0) break;
    }
  }
  if (fd_ >= 0) ++generation_;
  CloseDescriptor(fd_);
  known_connect_result_.reset();
  outbox_.clear();
  sent_ = 0;
  queued_ = 0;
  handed_ = 0;
  send_ends_.clear();
  state_ = next_state;
}

void PosixSocket::RefuseRequests() {
  for (Request& request : requests_) CloseDescriptor(request.fd);
  requests_.clear();
}

bool PosixSocket::Listen(uint16_t port) {
  if (network_ == nullptr || state_ == SocketState::kListening ||
      state_ == SocketState::kConnecting || state_ == SocketState::kConnected) {
    return false;
  }
  Reset(SocketState::kClosed);
  const PortMap::Endpoint where = ports_->ListenAddress(port);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(where.port);
  if (inet_pton(AF_INET, where.host.c_str(), &address.sin_addr) != 1) return false;

  int fd = NewStreamSocket();
  if (fd < 0) return false;
  // A port whose last connection is still in TIME_WAIT may be listened on again at once; a port
  // another listener holds still fails, as it should.
  const int on = 1;
  setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
  if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
      ::listen(fd, SOMAXCONN) != 0) {
    CloseDescriptor(fd);
    return false;
  }
  const uint16_t real_port = LocalPort(fd);
  if (real_port == 0 || !ports_->Bind(local_name_, port, real_port)) {
    CloseDescriptor(fd);
    return false;
  }
  fd_ = fd;
  ++generation_;
  logical_port_ = port;
  real_port_ = real_port;
  remote_ip_.clear();
  state_ = SocketState::kListening;
  return true;
}

bool PosixSocket::Accept(uint32_t request) {
  if (network_ == nullptr) return false;
  if (state_ == SocketState::kListening) {
    std::optional<Request> taken = TakeRequest(request);
    if (!taken) return false;
    // The listener becomes the connection: its port is free again and whoever else asked is
    // turned away.
    Reset(SocketState::kClosed);
    Adopt(std::move(*taken));
    return true;
  }
  if (state_ == SocketState::kConnecting || state_ == SocketState::kConnected) return false;
  // Another socket's request: the connection moves here and that listener listens on.
  for (PosixSocket* holder : network_->sockets_) {
    if (holder == this || holder->state_ != SocketState::kListening) continue;
    if (std::optional<Request> taken = holder->TakeRequest(request)) {
      Reset(SocketState::kClosed);
      Adopt(std::move(*taken));
      return true;
    }
  }
  return false;
}

std::optional<PosixSocket::Request> PosixSocket::TakeRequest(uint32_t id) {
  auto found = std::find_if(requests_.begin(), requests_.end(),
                            [id](const Request& r) { return r.id == id; });
  if (found == requests_.end()) return std::nullopt;
  Request taken = std::move(*found);
  requests_.erase(found);
  return taken;
}

void PosixSocket::Adopt(Request request) {
  fd_ = request.fd;
  ++generation_;
  remote_ip_ = std::move(request.remote_ip);
  state_ = SocketState::kConnected;
}

bool PosixSocket::Connect(std::string_view host, uint16_t port) {
  if (network_ == nullptr || host.empty() || state_ == SocketState::kListening ||
      state_ == SocketState::kConnecting || state_ == SocketState::kConnected) {
    return false;
  }
  Reset(SocketState::kConnecting);
  // From here every failure is the outside world's and arrives as an error event.
  ++generation_;
  const std::optional<PortMap::Endpoint> target = ports_->Resolve(host, port);
  if (!target) {
    known_connect_result_ = ConnectResult{ECONNREFUSED, Describe(ECONNREFUSED)};
    remote_ip_ = std::string(host);
    return true;
  }
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(target->port);
  if (!ResolveIpv4(target->host, address.sin_addr)) {
    known_connect_result_ = ConnectResult{EHOSTUNREACH, "host not found: " + target->host};
    remote_ip_ = std::string(host);
    return true;
  }
  // A simulated peer is known by its name, a real one by its address.
  remote_ip_ =
      ports_->GetMode() == PortMap::Mode::kIdentity ? AddressText(address) : std::string(host);
  fd_ = NewStreamSocket();
  if (fd_ < 0) {
    const int code = errno;
    known_connect_result_ = ConnectResult{code, Describe(code)};
    return true;
  }
  int result;
  do {
    result = ::connect(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address);
  } while (result != 0 && errno == EINTR);
  if (result == 0) {
    known_connect_result_ = ConnectResult{};
  } else if (errno != EINPROGRESS) {
    const int code = errno;
    CloseDescriptor(fd_);
    known_connect_result_ = ConnectResult{code, Describe(code)};
    return true;
  }
  if (ports_->GetMode() == PortMap::Mode::kLoopback) {
    outgoing_port_ = LocalPort(fd_);
    if (outgoing_port_ != 0) ports_->NoteOutgoing(outgoing_port_, local_name_);
  }
  return true;
}

bool PosixSocket::Send(std::string_view bytes) {
  if (state_ != SocketState::kConnected) return false;
  queued_ += bytes.size();
  send_ends_.push_back(queued_);
  // Nothing waits before these bytes: the system takes what it can straight from the caller's
  // buffer, and only the rest is copied. A failure here shows again when the rest is written,
  // and is raised from there, never from inside this call.
  if (sent_ == outbox_.size() && !bytes.empty()) {
    outbox_.clear();
    sent_ = 0;
    const long wrote = WriteNow(bytes);
    if (wrote > 0) {
      handed_ += static_cast<uint64_t>(wrote);
      bytes.remove_prefix(static_cast<size_t>(wrote));
    }
  }
  if (bytes.empty()) return true;
  if (sent_ >= kCompactAfter && sent_ * 2 >= outbox_.size()) {
    outbox_.erase(0, sent_);
    sent_ = 0;
  }
  outbox_.append(bytes);
  return true;
}

long PosixSocket::WriteNow(std::string_view bytes) {
  size_t total = 0;
  while (total < bytes.size()) {
    // MSG_NOSIGNAL: a peer that has gone away is an error event, not a SIGPIPE.
    const ssize_t wrote = ::send(fd_, bytes.data() + total, bytes.size() - total, MSG_NOSIGNAL);
    if (wrote > 0) {
      total += static_cast<size_t>(wrote);
      continue;
    }
    if (wrote < 0 && errno == EINTR) continue;
    if (wrote < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) break;
    if (wrote == 0) errno = EPIPE;
    if (total == 0) return -1;
    break;
  }
  return static_cast<long>(total);
}

void PosixSocket::Close() { Reset(SocketState::kClosed); }

PosixSocket::PollInterest PosixSocket::Interest() const {
  PollInterest interest{fd_, 0, generation_};
  if (fd_ < 0) return interest;
  switch (state_) {
    case SocketState::kListening:
      interest.events = POLLIN;
      break;
    case SocketState::kConnecting:
      if (!known_connect_result_) interest.events = POLLOUT;
      break;
    case SocketState::kConnected:
      interest.events = POLLIN;
      if (sent_ < outbox_.size()) interest.events |= POLLOUT;
      break;
    default:
      break;
  }
  return interest;
}

bool PosixSocket::WaitsOnRealWorld() const {
  switch (state_) {
    case SocketState::kListening:
    case SocketState::kConnecting:
    case SocketState::kConnected:
      return true;
    default:
      return false;
  }
}

template <typename Call>
bool PosixSocket::Raise(Call&& call) {
  const std::weak_ptr<void> life = life_;
  const uint64_t generation = generation_;
  const std::shared_ptr<const platform::SocketEvents> events = events_;
  call(*events);
  return !life.expired() && generation_ == generation;
}

bool PosixSocket::Dispatch(short revents, uint64_t generation) {
  if (network_ == nullptr) return false;
  // A nested pass, or a callback on another socket, may have changed this one since the poll.
  if (generation != generation_) revents = 0;
  switch (state_) {
    case SocketState::kListening:
      return (revents & POLLIN) != 0 && AcceptWaiting();
    case SocketState::kConnecting:
      if (known_connect_result_) {
        ConnectResult result = std::move(*known_connect_result_);
        known_connect_result_.reset();
        return FinishConnect(std::move(result));
      }
      if ((revents & (POLLOUT | POLLERR | POLLHUP)) != 0) {
        int code = 0;
        socklen_t length = sizeof code;
        if (getsockopt(fd_, SOL_SOCKET, SO_ERROR, &code, &length) != 0) code = errno;
        if (code == 0 && (revents & POLLOUT) == 0) code = ECONNREFUSED;
        return FinishConnect(ConnectResult{code, code == 0 ? std::string() : Describe(code)});
      }
      return false;
    case SocketState::kConnected:
      return Serve(revents);
    default:
      return false;
  }
}

bool PosixSocket::AcceptWaiting() {
  std::vector<uint32_t> fresh;
  for (;;) {
    sockaddr_in address{};
    socklen_t length = sizeof address;
    const int fd = ::accept4(fd_, reinterpret_cast<sockaddr*>(&address), &length,
                             SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (fd < 0) {
      // A peer that gave up before we took it is simply gone; anything else (no request left,
      // out of descriptors) waits for the next pass.
      if (errno == EINTR || errno == ECONNABORTED) continue;
      break;
    }
    const uint32_t id = network_->NewRequestId();
    requests_.push_back(Request{id, fd, PeerName(fd, AddressText(address))});
    fresh.push_back(id);
  }
  bool raised = false;
  for (uint32_t id : fresh) {
    auto held = [this, id] {
      return std::any_of(requests_.begin(), requests_.end(),
                         [id](const Request& r) { return r.id == id; });
    };
    // An Accept during an earlier request's event has refused this one already.
    if (!held()) continue;
    raised = true;
    if (!Raise([id](const platform::SocketEvents& events) {
          if (events.connection_request) events.connection_request(id);
        })) {
      return true;
    }
    auto found = std::find_if(requests_.begin(), requests_.end(),
                              [id](const Request& r) { return r.id == id; });
    if (found != requests_.end()) {
      CloseDescriptor(found->fd);
      requests_.erase(found);
    }
  }
  return raised;
}

std::string PosixSocket::PeerName(int fd, const std::string& real_ip) const {
  if (ports_->GetMode() == PortMap::Mode::kLoopback) {
    if (std::optional<std::string> name = ports_->OutgoingName(PeerPort(fd))) return *name;
  }
  return real_ip;
}

bool PosixSocket::FinishConnect(ConnectResult result) {
  if (result.code != 0) return Fail(result.code, std::move(result.description));
  state_ = SocketState::kConnected;
  Raise([](const platform::SocketEvents& events) {
    if (events.connected) events.connected();
  });
  return true;
}

bool PosixSocket::Fail(int code, std::string description) {
  Reset(SocketState::kError);
  Raise([code, &description](const platform::SocketEvents& events) {
    if (events.error) events.error(code, description);
  });
  return true;
}

bool PosixSocket::Serve(short revents) {
  bool raised = false;
  if ((revents & (POLLIN | POLLHUP | POLLERR)) != 0) {
    // A callback that runs the loop again reads into a buffer of its own, so the bytes it was
    // handed stay as they were; and the buffer is held here, so it outlives a callback that
    // destroys the socket.
    std::shared_ptr<std::string> buffer = read_buffer_;
    if (!buffer || buffer.use_count() > 2) {
      buffer = std::make_shared<std::string>(kReadChunk, '\0');
      if (!read_buffer_) read_buffer_ = buffer;
    }
    size_t total = 0;
    while (total < kMaxReadPerPass) {
      const ssize_t got = ::recv(fd_, buffer->data(), buffer->size(), 0);
      if (got > 0) {
        total += static_cast<size_t>(got);
        raised = true;
        const std::string_view bytes(buffer->data(), static_cast<size_t>(got));
        if (!Raise([bytes](const platform::SocketEvents& events) {
              if (events.data_arrival) events.data_arrival(bytes);
            })) {
          return true;
        }
        continue;
      }
      if (got == 0) {
        Reset(SocketState::kClosing);
        Raise([](const platform::SocketEvents& events) {
          if (events.closed) events.closed();
        });
        return true;
      }
      if (errno == EINTR) continue;
      if (errno == EAGAIN || errno == EWOULDBLOCK) break;
      const int code = errno;
      return Fail(code, Describe(code));
    }
  }
  // Written whatever the poll said: a callback above may have queued bytes after it.
  if (sent_ < outbox_.size() && !Flush()) {
    const int code = errno;
    return Fail(code, Describe(code));
  }
  if (sent_ == outbox_.size()) {
    outbox_.clear();
    sent_ = 0;
  }
  // Each send is reported as soon as its last byte has gone; a callback may send more (which
  // joins the queue behind) or close the socket (which ends the reports).
  while (!send_ends_.empty() && send_ends_.front() <= handed_) {
    send_ends_.pop_front();
    raised = true;
    if (!Raise([](const platform::SocketEvents& events) {
          if (events.send_complete) events.send_complete();
        })) {
      return true;
    }
  }
  return raised;
}

bool PosixSocket::Flush() {
  if (sent_ >= outbox_.size()) return true;
  const long wrote = WriteNow(std::string_view(outbox_).substr(sent_));
  if (wrote < 0) return false;
  sent_ += static_cast<size_t>(wrote);
  handed_ += static_cast<uint64_t>(wrote);
  return true;
}

}  // namespace quillon::os
