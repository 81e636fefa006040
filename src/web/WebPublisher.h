#pragma once
// Shows the sandbox's desktops to the pages: on the loop's thread it builds each user's desktop
// model and publishes it, and keeps each user's record of statements run for the side panel.
#include <deque>
#include <map>
#include <string>

#include "sandbox/DesktopObserver.h"
#include "web/Publication.h"

namespace quillon::sandbox {
class Sandbox;
}

namespace quillon::web {

class WebPublisher : public sandbox::DesktopObserver {
 public:
  // How many statements each user's side panel keeps.
  static constexpr size_t kLogLength = 200;

  WebPublisher(sandbox::Sandbox& sandbox, Publication& publication)
      : sandbox_(sandbox), publication_(publication) {}

  void Publish() override;
  uint64_t Version(const std::string& user) override { return publication_.Version(user); }
  void Started(const std::string& user, const std::string& statement) override;
  void Ran(const std::string& user, const std::string& statement, bool ok,
           const std::string& text) override;

  // How many times a desktop was built, and the time spent building and publishing; for the
  // idle measurement.
  uint64_t Builds() const { return builds_; }
  double PublishMs() const { return publish_ms_; }

 private:
  struct Entry {
    uint64_t number = 0;
    std::string statement;
    bool ok = true;
    bool running = false;  // started, and not ended yet
    std::string text;
  };
  std::string LogHtml(const std::string& user) const;

  sandbox::Sandbox& sandbox_;
  Publication& publication_;
  std::map<std::string, std::deque<Entry>> logs_;
  // Each user's log as markup, made again only when a statement ran for the user.
  mutable std::map<std::string, std::string> log_html_;
  uint64_t next_entry_ = 1;
  uint64_t builds_ = 0;
  double publish_ms_ = 0;
};

}  // namespace quillon::web
