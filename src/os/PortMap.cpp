#include "os/PortMap.h"

namespace quillon::os {

PortMap::PortMap(Mode mode) : mode_(mode) {}

PortMap::Endpoint PortMap::ListenAddress(uint16_t logical_port) const {
  if (mode_ == Mode::kIdentity) return Endpoint{"0.0.0.0", logical_port};
  return Endpoint{"127.0.0.1", 0};
}

bool PortMap::Bind(std::string_view local_name, uint16_t logical_port, uint16_t real_port) {
  if (mode_ == Mode::kIdentity) return true;
  return listeners_.try_emplace({std::string(local_name), logical_port}, real_port).second;
}

void PortMap::Unbind(std::string_view local_name, uint16_t logical_port, uint16_t real_port) {
  auto found = listeners_.find(std::pair{std::string(local_name), logical_port});
  if (found != listeners_.end() && found->second == real_port) listeners_.erase(found);
}

std::optional<PortMap::Endpoint> PortMap::Resolve(std::string_view host,
                                                  uint16_t logical_port) const {
  if (mode_ == Mode::kIdentity) return Endpoint{std::string(host), logical_port};
  auto found = listeners_.find(std::pair{std::string(host), logical_port});
  if (found == listeners_.end()) return std::nullopt;
  return Endpoint{"127.0.0.1", found->second};
}

void PortMap::NoteOutgoing(uint16_t real_port, std::string_view local_name) {
  if (mode_ == Mode::kIdentity) return;
  outgoing_[real_port] = std::string(local_name);
}

void PortMap::ForgetOutgoing(uint16_t real_port) { outgoing_.erase(real_port); }

std::optional<std::string> PortMap::OutgoingName(uint16_t real_port) const {
  auto found = outgoing_.find(real_port);
  if (found == outgoing_.end()) return std::nullopt;
  return found->second;
}

}  // namespace quillon::os
