#include "web/LiveDesktops.h"

#include "sandbox/Sandbox.h"
#include "sandbox/SiteServer.h"

namespace quillon::web {

LiveDesktops::LiveDesktops(sandbox::Sandbox& sandbox)
    : sandbox_(sandbox),
      publisher_(sandbox, publication_),
      server_(publication_, sandbox.Inbox(), sandbox.Site().BaseAddress()) {
  sandbox_.SetObserver(&publisher_);
  publisher_.Publish();
}

LiveDesktops::~LiveDesktops() {
  server_.Stop();
  sandbox_.SetObserver(nullptr);
}

bool LiveDesktops::Serve(int port, std::string& error) {
  if (!server_.Bind(port, error)) return false;
  server_.Start();
  return true;
}

}  // namespace quillon::web
