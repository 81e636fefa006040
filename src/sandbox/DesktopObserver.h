#pragma once
// Whoever shows the sandbox's desktops to a person while they live (the page in a browser). All
// calls come on the loop's thread, between events, where the desktops may be read.
#include <cstdint>
#include <string>

namespace quillon::sandbox {

class DesktopObserver {
 public:
  virtual ~DesktopObserver() = default;
  // The desktops may have changed: look at them again and publish what changed.
  virtual void Publish() = 0;
  // The version of `user`'s desktop the watchers see now (it grows with every change).
  virtual uint64_t Version(const std::string& user) = 0;
  // A statement begins for `user`: it takes its place in the side panel now, before whatever
  // runs while it waits, and Ran tells how it ended.
  virtual void Started(const std::string& user, const std::string& statement) {}
  // A statement ran for `user` (from the scenario file, a page or the prompt): what it printed or
  // why it failed, for the user's side panel.
  virtual void Ran(const std::string& user, const std::string& statement, bool ok,
                   const std::string& text) = 0;
};

}  // namespace quillon::sandbox
