#pragma once
// TCP connections with the events the program's transfer windows react to (the shape of a
// Winsock control), and a blocking HTTP fetch with a time-out (an internet transfer control).
//
// Contract:
// - Called on the program's one thread. Socket events are raised from the event loop on that
//   thread, never from inside the call that caused them.
// - A listener on a port keeps it until Close. Ports are logical: a backend may map them to real
//   ports (tests keep each run's listeners apart that way), but two peers that use the same
//   Network reach each other through the logical port.
// - Failures come back as false / an error event / an HttpResult with ok false; nothing throws.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace quillon::platform {

enum class SocketState {
  kClosed,
  kListening,
  kConnecting,
  kConnected,
  kClosing,
  kError,
};

struct SocketEvents {
  // A peer asks to connect to a listening socket; `request` is passed to Accept.
  std::function<void(uint32_t request)> connection_request;
  std::function<void()> connected;
  // Bytes arrived; TCP may split and join them in any way. The view lasts for the event only.
  std::function<void(std::string_view bytes)> data_arrival;
  // The bytes of one Send, and of every Send before it, have been handed to the network: raised
  // once per Send, in the order of the sends, as soon as that send's last byte has gone.
  std::function<void()> send_complete;
  // The peer closed the connection.
  std::function<void()> closed;
  std::function<void(int code, const std::string& description)> error;
};

class TcpSocket {
 public:
  virtual ~TcpSocket() = default;
  virtual bool Listen(uint16_t port) = 0;
  // Accepts a pending request, during its connection_request event. Called on the listener that
  // raised it, the listener stops listening and becomes the connection. Called on another socket
  // that is neither listening nor connected (a fresh element of a control array), that socket
  // becomes the connection and the listener goes on listening for more. Request ids are unique
  // across the sockets of one Network. False when the request is not pending any more.
  virtual bool Accept(uint32_t request) = 0;
  virtual bool Connect(std::string_view host, uint16_t port) = 0;
  // Queues the bytes (the socket keeps what it cannot hand over at once; the caller's buffer is
  // free when Send returns). False when there is no connection.
  virtual bool Send(std::string_view bytes) = 0;
  virtual void Close() = 0;
  virtual SocketState State() const = 0;
  virtual std::string RemoteHostIp() const = 0;
};

struct HttpResult {
  bool ok = false;
  int status = 0;
  std::string body;
  std::string error;  // why it failed, for a person to read
};

class Network {
 public:
  virtual ~Network() = default;
  virtual std::unique_ptr<TcpSocket> CreateSocket(SocketEvents events) = 0;
  // Fetches an address and waits for it (the caller's thread blocks), at most `timeout_ms`.
  virtual HttpResult HttpGet(std::string_view url, uint32_t timeout_ms) = 0;
  // The machine's address on its local network, as a peer would connect to it.
  virtual std::string LocalIp() = 0;
};

}  // namespace quillon::platform
