#include "web/RequestGuard.h"

#include <cctype>
#include <fstream>
#include <random>

namespace quillon::web {

RequestGuard::RequestGuard(int port, std::string token) : port_(port), token_(std::move(token)) {}

std::string RequestGuard::MakeToken() {
  unsigned char bytes[16] = {};
  std::ifstream random("/dev/urandom", std::ios::binary);
  if (!random.read(reinterpret_cast<char*>(bytes), sizeof bytes)) {
    // Without the system's source, the library's non-deterministic one.
    std::random_device device;
    for (unsigned char& byte : bytes) byte = static_cast<unsigned char>(device());
  }
  static const char kHex[] = "0123456789abcdef";
  std::string token;
  for (unsigned char byte : bytes) {
    token += kHex[byte >> 4];
    token += kHex[byte & 0xF];
  }
  return token;
}

bool RequestGuard::HostAllowed(std::string_view host) const {
  const std::string port = ":" + std::to_string(port_);
  return host == "127.0.0.1" + port || host == "localhost" + port;
}

bool RequestGuard::OriginAllowed(std::string_view origin, bool required) const {
  if (origin.empty()) return !required;
  const std::string port = ":" + std::to_string(port_);
  return origin == "http://127.0.0.1" + port || origin == "http://localhost" + port;
}

bool RequestGuard::TokenMatches(std::string_view token) const {
  if (token.size() != token_.size()) return false;
  // Every byte is looked at, so the time taken says nothing of how much matched.
  unsigned char difference = 0;
  for (size_t i = 0; i < token.size(); ++i) {
    difference |= static_cast<unsigned char>(token[i] ^ token_[i]);
  }
  return difference == 0;
}

std::optional<std::string> RequestGuard::SafeRelativePath(std::string_view path) {
  if (path.empty() || path.front() == '/') return std::nullopt;
  size_t start = 0;
  for (;;) {
    size_t slash = path.find('/', start);
    std::string_view segment = path.substr(start, slash - start);
    if (segment.empty() || segment == "." || segment == "..") return std::nullopt;
    for (char c : segment) {
      if (c == '\\' || c == '\0') return std::nullopt;
    }
    if (slash == std::string_view::npos) break;
    start = slash + 1;
  }
  return std::string(path);
}

bool RequestGuard::UserNameAllowed(std::string_view name) {
  if (name.empty() || name.size() > 64) return false;
  for (char c : name) {
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_' && c != '-') return false;
  }
  return true;
}

}  // namespace quillon::web
