#pragma once
// A live sandbox shown in a browser, its pieces wired together: the published desktops, the
// publisher the sandbox tells of every change, and the server the pages talk to. What starts the
// sandbox with a page (the program, a benchmark) makes one of these and runs the sandbox live.
#include <string>

#include "web/Publication.h"
#include "web/WebPublisher.h"
#include "web/WebServer.h"

namespace quillon::sandbox {
class Sandbox;
}

namespace quillon::web {

class LiveDesktops {
 public:
  // Tells `sandbox` to report to the publisher, and publishes its desktops once.
  explicit LiveDesktops(sandbox::Sandbox& sandbox);
  ~LiveDesktops();
  LiveDesktops(const LiveDesktops&) = delete;
  LiveDesktops& operator=(const LiveDesktops&) = delete;

  // Binds 127.0.0.1:`port` (0: a free one) and serves on a thread of its own until the end;
  // false with `error` when the port cannot be had.
  bool Serve(int port, std::string& error);

  WebServer& Server() { return server_; }
  WebPublisher& Publisher() { return publisher_; }

 private:
  sandbox::Sandbox& sandbox_;
  Publication publication_;
  WebPublisher publisher_;
  WebServer server_;
};

}  // namespace quillon::web
