#pragma once
// The stand-in web site of the maker: an address-echo page, pages the scenario serves, and the
// ability to stop answering. It listens on a free port of the loopback address, in a thread of
// its own, so the program's blocking fetches get real answers over real connections.
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace httplib {
class Server;
}

namespace quillon::sandbox {

class SiteServer {
 public:
  SiteServer();
  ~SiteServer();
  SiteServer(const SiteServer&) = delete;
  SiteServer& operator=(const SiteServer&) = delete;

  // "http://127.0.0.1:PORT", the same while the sandbox runs, even across down and up.
  std::string BaseAddress() const;
  void SetPage(const std::string& path, const std::string& body);
  // The address the echo page answers; once set, it answers it to every caller.
  void SetIp(const std::string& address);
  // Live: the echo page answers each caller with the caller's own address (see CallerNetwork),
  // until an address is set with SetIp.
  void EchoCallers() {
    std::lock_guard lock(mutex_);
    echo_callers_ = true;
  }
  // The simulated machine whose fetch is under way; "" when none.
  void SetCaller(const std::string& address) {
    std::lock_guard lock(mutex_);
    caller_ = address;
  }
  void Down();
  void Up();
  bool IsUp() const { return up_; }

 private:
  void Listen();

  std::unique_ptr<httplib::Server> server_;
  std::thread thread_;
  int port_ = 0;
  bool up_ = false;
  mutable std::mutex mutex_;
  std::map<std::string, std::string> pages_;
  std::string ip_ = "127.0.0.1";
  bool echo_callers_ = false;
  std::string caller_;
};

}  // namespace quillon::sandbox
