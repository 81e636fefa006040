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
  void SetIp(const std::string& address);
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
};

}  // namespace quillon::sandbox
