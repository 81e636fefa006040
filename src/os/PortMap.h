#pragma once
// Where the logical ports and addresses the program speaks of are on the real machine.
//
// In real use (identity mode) a port is itself: a listener on 1129 binds every interface on port
// 1129 and a connection to "10.1.2.3":1129 goes there.
//
// In loopback mode several simulated machines share this one machine, each under an address of
// its own ("10.0.0.1", "alice"): the address is only a name in the map, never used on the wire. A
// listener binds 127.0.0.1 on a port the system picks and is recorded under its machine's name
// and logical port; a connection to that name and logical port goes to 127.0.0.1 and the recorded
// port. Two users in one test can so meet on port 1129 while other tests, in this process or in
// parallel ones, use 1129 as well. Outgoing connections are recorded too, by their real local
// port, so that the accepting side can name the machine that called it.
//
// Shared (std::shared_ptr) by the networks of one simulation; used on the program's one thread.
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace quillon::os {

class PortMap {
 public:
  enum class Mode { kIdentity, kLoopback };

  struct Endpoint {
    std::string host;  // an address or host name to resolve
    uint16_t port = 0;
  };

  explicit PortMap(Mode mode = Mode::kIdentity);
  PortMap(const PortMap&) = delete;
  PortMap& operator=(const PortMap&) = delete;

  Mode GetMode() const { return mode_; }

  // Where a listener on `logical_port` binds: every interface on the port itself, or 127.0.0.1
  // on a port the system picks (port 0).
  Endpoint ListenAddress(uint16_t logical_port) const;

  // Records that the listener of the machine `local_name` on `logical_port` is at `real_port`.
  // False when that machine already listens on that logical port, as a second bind of a real port
  // fails. Identity mode records nothing.
  bool Bind(std::string_view local_name, uint16_t logical_port, uint16_t real_port);
  // Forgets a record of Bind, unless the logical port has since been bound to another real port.
  void Unbind(std::string_view local_name, uint16_t logical_port, uint16_t real_port);

  // Where a connection to `host`:`logical_port` goes. nullopt in loopback mode when no simulated
  // machine of that name listens there, which the caller reports as a refused connection; only
  // simulated names are known there ("localhost" and real addresses are refused too), so that a
  // simulation never reaches a real service of the machine by accident.
  std::optional<Endpoint> Resolve(std::string_view host, uint16_t logical_port) const;

  // Outgoing connections of simulated machines, by the real local port of their socket.
  void NoteOutgoing(uint16_t real_port, std::string_view local_name);
  void ForgetOutgoing(uint16_t real_port);
  // The simulated machine whose outgoing connection has this real local port, if any.
  std::optional<std::string> OutgoingName(uint16_t real_port) const;

 private:
  const Mode mode_;
  std::map<std::pair<std::string, uint16_t>, uint16_t> listeners_;
  std::map<uint16_t, std::string> outgoing_;
};

}  // namespace quillon::os
