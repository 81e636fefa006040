#pragma once
// A TCP socket of PosixNetwork: a non-blocking POSIX socket whose events the network raises from
// DispatchReady, never from inside a call on the socket.
//
// Behaviour the seam leaves open, chosen as the transfer windows expect a Winsock control to act:
// - A connection request may be accepted while its connection_request event runs; one that is
//   not is refused (the peer sees the connection closed). Accepted on the listener itself, the
//   listener closes (and frees its port) and refuses every other request it holds; accepted on
//   another socket of the same network, the listener goes on listening.
// - Send hands the bytes to the system at once when nothing is waiting before them, and keeps
//   what the system does not take. Each Send is answered by one send_complete, raised once that
//   send's last byte has been handed to the system; the sender's window counts them.
// - When the peer closes, every byte it sent arrives first, then `closed`; the state is kClosing
//   until Close. After an error event the state is kError. Close raises nothing and drops what
//   was not sent yet. Listen and Connect start afresh from any state without a connection.
// - Error codes are the system's errno values; the description is for a person.
// - Only IPv4: the program exchanges dotted addresses.
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "os/PortMap.h"
#include "platform/Network.h"

namespace quillon::os {

class PosixNetwork;

class PosixSocket final : public platform::TcpSocket {
 public:
  // What DispatchReady should poll for this socket: fd -1 when nothing. `generation` changes
  // whenever the socket's descriptor does, so stale poll results can be recognised.
  struct PollInterest {
    int fd = -1;
    short events = 0;
    uint64_t generation = 0;
  };

  PosixSocket(PosixNetwork& network, platform::SocketEvents events);
  ~PosixSocket() override;
  PosixSocket(const PosixSocket&) = delete;
  PosixSocket& operator=(const PosixSocket&) = delete;

  bool Listen(uint16_t port) override;
  bool Accept(uint32_t request) override;
  bool Connect(std::string_view host, uint16_t port) override;
  bool Send(std::string_view bytes) override;
  void Close() override;
  platform::SocketState State() const override { return state_; }
  std::string RemoteHostIp() const override { return remote_ip_; }

  // For PosixNetwork. Interest is asked before a poll; Dispatch is given the poll's answer for the
  // generation it was asked for (revents 0 when not polled) and raises what is due. A callback may
  // destroy the socket: the caller must not touch it after Dispatch without checking Life().
  PollInterest Interest() const;
  bool Dispatch(short revents, uint64_t generation);
  bool WaitsOnRealWorld() const;
  std::weak_ptr<void> Life() const { return life_; }
  // The network is going away: close, and never call it again.
  void Detach();

 private:
  struct Request {
    uint32_t id = 0;
    int fd = -1;
    std::string remote_ip;
  };
  struct ConnectResult {
    int code = 0;  // 0 when the connection is made
    std::string description;
  };

  // Releases the descriptor and everything that belongs to the current use; raises nothing.
  void Reset(platform::SocketState next_state);
  // Takes a request this listener holds (for Accept on another socket); nullopt when it has none
  // of that id.
  std::optional<Request> TakeRequest(uint32_t id);
  // Becomes the connection of an accepted request.
  void Adopt(Request request);
  // Hands the system what it takes now from `bytes`; the count taken, or -1 with errno set when
  // the connection failed.
  long WriteNow(std::string_view bytes);
  bool AcceptWaiting();
  bool FinishConnect(ConnectResult result);
  bool Serve(short revents);
  // Writes what the system takes now; false with errno set when the connection failed.
  bool Flush();
  bool Fail(int code, std::string description);
  // Calls one event with a reference held on the events, so a callback that destroys the socket
  // cannot destroy the function it runs in. True when the socket lives on with the same
  // descriptor, that is, when the caller may go on with what it was doing.
  template <typename Call>
  bool Raise(Call&& call);
  void RefuseRequests();
  std::string PeerName(int fd, const std::string& real_ip) const;

  PosixNetwork* network_;
  const std::shared_ptr<const platform::SocketEvents> events_;
  const std::shared_ptr<PortMap> ports_;
  const std::string local_name_;
  std::shared_ptr<char> life_ = std::make_shared<char>();

  platform::SocketState state_ = platform::SocketState::kClosed;
  int fd_ = -1;
  uint64_t generation_ = 0;
  std::string remote_ip_;

  // Listening.
  uint16_t logical_port_ = 0;
  uint16_t real_port_ = 0;
  std::vector<Request> requests_;

  // Connecting: a result already known at Connect, raised by the next Dispatch.
  std::optional<ConnectResult> known_connect_result_;
  uint16_t outgoing_port_ = 0;  // this side's real port, recorded in a loopback PortMap

  // Connected.
  std::string outbox_;
  size_t sent_ = 0;      // bytes of outbox_ handed to the system
  uint64_t queued_ = 0;  // bytes given to Send on this connection
  uint64_t handed_ = 0;  // of those, bytes handed to the system
  // Where each Send not yet reported ends, counted in queued_ bytes, oldest first.
  std::deque<uint64_t> send_ends_;
  // Reused for reading while no read into it is under way further up the stack. Shared, so that a
  // callback that destroys the socket does not destroy the bytes it was handed.
  std::shared_ptr<std::string> read_buffer_;
};

}  // namespace quillon::os
