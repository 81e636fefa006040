#include "sandbox/SiteServer.h"

#include <httplib.h>

#include <chrono>

namespace quillon::sandbox {

SiteServer::SiteServer() { Up(); }

SiteServer::~SiteServer() { Down(); }

std::string SiteServer::BaseAddress() const { return "http://127.0.0.1:" + std::to_string(port_); }

void SiteServer::SetPage(const std::string& path, const std::string& body) {
  std::lock_guard lock(mutex_);
  pages_[path] = body;
}

void SiteServer::SetIp(const std::string& address) {
  std::lock_guard lock(mutex_);
  ip_ = address;
  echo_callers_ = false;
}

void SiteServer::Listen() {
  server_ = std::make_unique<httplib::Server>();
  server_->Get(".*", [this](const httplib::Request& request, httplib::Response& response) {
    std::lock_guard lock(mutex_);
    std::string query;
    for (const auto& [key, value] : request.params) {
      query += (query.empty() ? "?" : "&") + key + "=" + value;
    }
    if (auto it = pages_.find(request.path + query); it != pages_.end()) {
      response.set_content(it->second, "text/html");
    } else if (auto page = pages_.find(request.path); page != pages_.end()) {
      response.set_content(page->second, "text/html");
    } else if (request.path == "/Quillon/ip.php") {
      response.set_content(echo_callers_ && !caller_.empty() ? caller_ : ip_, "text/plain");
    } else {
      response.status = 404;
      response.set_content("Not Found", "text/plain");
    }
  });
  bool bound = false;
  if (port_ <= 0) {
    port_ = server_->bind_to_any_port("127.0.0.1");
    bound = port_ > 0;
  } else {
    // The address stays the same across down and up, as a real site's does.
    for (int attempt = 0; attempt < 50 && !bound; ++attempt) {
      bound = server_->bind_to_port("127.0.0.1", port_);
      if (!bound) std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
  }
  if (!bound) {
    server_.reset();
    return;
  }
  thread_ = std::thread([this] { server_->listen_after_bind(); });
  while (!server_->is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

void SiteServer::Up() {
  if (up_) return;
  Listen();
  up_ = server_ != nullptr;
}

void SiteServer::Down() {
  if (!up_) return;
  server_->stop();
  if (thread_.joinable()) thread_.join();
  server_.reset();
  up_ = false;
}

}  // namespace quillon::sandbox
