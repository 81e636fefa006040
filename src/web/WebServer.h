#pragma once
// The desktop server: the pages and their live channel, on 127.0.0.1 only. Its threads never
// touch a desktop or the program: they read what the loop published and put the person's
// statements in the sandbox's inbox, which wakes the loop.
//
// Routes:
//   GET  /                       the users, each a link to its desktop
//   GET  /user/NAME              one desktop (the page; carries the action token)
//   GET  /assets/desktop.js|css  the page's own script and style
//   GET  /user/NAME/events?since=V&token=T
//                                server-sent events: each "data:" line a JSON object
//                                {"version":V,"order":[ids],"parts":{id:markup}} with the parts
//                                changed since V (all of them when V is 0)
//   POST /user/NAME/act          body: one statement of the scenario language; header
//                                X-Quillon-Token; reply JSON {"ok","running","version","text"}
//   GET  /user/NAME/history/HWND the chat document of a chat window, for its sandboxed frame
//   GET  /user/NAME/files/PATH   a file of the user's sandbox folder (program folder included)
#include <memory>
#include <string>
#include <thread>

#include "web/Publication.h"
#include "web/RequestGuard.h"

namespace httplib {
class Server;
}
namespace quillon::sandbox {
class PersonInbox;
}

namespace quillon::web {

class WebServer {
 public:
  // `site` is the stand-in web site's address, whose pictures a conversation may show.
  WebServer(Publication& publication, std::shared_ptr<sandbox::PersonInbox> inbox,
            std::string site);
  ~WebServer();
  WebServer(const WebServer&) = delete;
  WebServer& operator=(const WebServer&) = delete;

  // Binds 127.0.0.1:`port` (0: a free one); false with `error` when it cannot.
  bool Bind(int port, std::string& error);
  int Port() const { return port_; }
  const std::string& Token() const { return guard_->Token(); }
  // Serves on a thread of its own until Stop.
  void Start();
  void Stop();

 private:
  void Routes();

  Publication& publication_;
  std::shared_ptr<sandbox::PersonInbox> inbox_;
  std::string site_;
  std::unique_ptr<httplib::Server> server_;
  std::unique_ptr<RequestGuard> guard_;
  std::thread thread_;
  int port_ = 0;
};

}  // namespace quillon::web
