#pragma once
// The answer to one action a page sent: the loop's thread settles it once, the server's thread
// waits for it. It is settled when the action has run, or earlier, when the action left the
// program waiting for the person (a dialog it opened): the page must not wait for the dialog's
// own answer to learn what it now shows.
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>

namespace quillon::sandbox {

class PendingReply {
 public:
  struct Result {
    bool ok = true;
    bool running = false;  // settled while the action still runs (it waits for the person)
    std::string text;      // what the action printed, or what failed
    uint64_t version = 0;  // the published version of the desktops after it
  };

  // The loop's thread. Only the first call counts; later ones are ignored.
  void Settle(Result result);
  bool Settled() const;
  // Any thread: the result, or nullopt when `limit` passed first.
  std::optional<Result> Wait(std::chrono::milliseconds limit);

 private:
  mutable std::mutex mutex_;
  std::condition_variable settled_;
  std::optional<Result> result_;
};

}  // namespace quillon::sandbox
