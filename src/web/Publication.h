#pragma once
// What the pages see of each user's desktop, handed from the loop's thread to the server's
// threads: for every user the parts of the desktop (one per top-level window, the tray, the open
// menu, the dialog, the side panel's log) as markup, each stamped with the version at which it
// last changed, plus the chat documents the frames load. The loop publishes; a server thread
// waits for a version newer than the one its page has, and is woken, never polls.
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace quillon::web {

class Publication {
 public:
  struct Part {
    std::string id;  // "w65552", "tray", "menu", "dialog", "log"
    std::string html;
  };
  // One user's desktop as the loop saw it, parts in drawing order (bottom first).
  struct Desktop {
    std::vector<Part> parts;
    std::map<std::string, std::string> documents;  // chat documents by window handle
    std::string home;                              // the user's sandbox folder
  };
  // What a page is sent: the parts changed since its version, and the order of all of them.
  struct Changes {
    uint64_t version = 0;
    std::vector<Part> changed;
    std::vector<std::string> order;
  };

  // The loop's thread: replaces `user`'s desktop; the user's version grows when anything in it
  // differs from what was published before. Returns the user's version.
  uint64_t Update(const std::string& user, Desktop desktop);
  // The loop's thread: the sandbox ends; every waiting page is let go.
  void Close();

  // Any thread.
  std::vector<std::string> Users() const;
  bool HasUser(const std::string& user) const;
  uint64_t Version(const std::string& user) const;
  std::optional<std::string> Document(const std::string& user, const std::string& hwnd) const;
  std::optional<std::string> Home(const std::string& user) const;
  // Waits until `user`'s version passes `since`, the sandbox closes or `limit` passes; nullopt
  // when nothing newer came (or no such user).
  std::optional<Changes> WaitForChanges(const std::string& user, uint64_t since,
                                        std::chrono::milliseconds limit);
  bool Closed() const;
  // Any thread: a page starts (+1) or stops (-1) watching `user`'s desktop. True when it is the
  // first page to watch it.
  bool Watch(const std::string& user, int pages);
  // Whether any page watches `user`'s desktop: an unwatched desktop need not be built.
  bool Watched(const std::string& user) const;

 private:
  struct Stamped {
    std::string html;
    uint64_t version = 0;
  };
  struct UserState {
    uint64_t version = 0;
    std::map<std::string, Stamped> parts;
    std::vector<std::string> order;
    std::map<std::string, std::string> documents;
    std::string home;
  };

  mutable std::mutex mutex_;
  std::condition_variable changed_;
  std::map<std::string, UserState> users_;
  std::map<std::string, int> watchers_;
  uint64_t next_version_ = 1;
  bool closed_ = false;
};

}  // namespace quillon::web
