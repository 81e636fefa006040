#pragma once
// The lines a person writes, on their way to the event loop. Whoever reads the person (the prompt
// on standard input, a browser page) puts lines in from a thread of its own; the loop's thread
// takes them when the program waits for the person, and keeps the desktop's events running while
// none has come. Putting a line wakes the waiting loop at once: given the loop's waker, the loop
// sleeps in its own wait (sockets, timers) and the line ends that wait; without one, the inbox
// waits and runs the loop's events in steps.
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <istream>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "platform/Waker.h"
#include "runtime/EventLoop.h"
#include "sandbox/PendingReply.h"

namespace quillon::sandbox {

class PersonInbox {
 public:
  // One thing the person said: a line of the prompt, or a whole statement from a page, which
  // names the user it acts for and waits for its reply.
  struct Said {
    std::string text;
    std::string user;  // empty: the prompt's current user
    std::shared_ptr<PendingReply> reply;
  };

  PersonInbox() = default;
  // `waker` (may be null) is woken by every Put and Close; see Take(EventLoop&).
  explicit PersonInbox(std::shared_ptr<platform::Waker> waker) : waker_(std::move(waker)) {}

  // Any thread: one line the person wrote (a statement, or a line of a << body).
  void Put(std::string line);
  // Any thread: a statement from a page, for `user`; its reply is settled by the loop.
  void Put(Said said);
  // Any thread: wakes the loop's wait without a line, so that it looks at the world again.
  void Wake() {
    if (waker_) waker_->Wake();
  }
  // Any thread: the person has nothing more to say. Lines put before stay to be taken.
  void Close();

  // The loop's thread: the next line. While none is there it runs `idle` every `step`; nullopt once
  // the inbox is closed and empty.
  std::optional<std::string> Take(const std::function<void()>& idle,
                                  std::chrono::milliseconds step);
  // The loop's thread: the next line, running `loop` meanwhile. Under a real clock, with the
  // loop's waker given at construction, the loop waits for a socket, its next timer or a line, and
  // wakes for nothing else; otherwise as Take above, in steps of `step`.
  std::optional<std::string> Take(runtime::EventLoop& loop,
                                  std::chrono::milliseconds step = std::chrono::milliseconds(20));
  // The same, keeping who said it.
  std::optional<Said> TakeSaid(runtime::EventLoop& loop,
                               std::chrono::milliseconds step = std::chrono::milliseconds(20));
  // The loop's thread: the first thing said, if a page said it (a whole statement); lines of the
  // prompt stay where they are, since a line may begin a body that is still to be written.
  std::optional<Said> TakePageStatement();
  // The loop's thread: runs every time the loop has run what was due and is about to wait for
  // the world (and so for the person); the page's watcher publishes the desktops there.
  void SetBeforeWait(std::function<void()> before_wait) { before_wait_ = std::move(before_wait); }

  // Reads `in` line by line on a thread of its own into `inbox`, closing it at the end of input.
  // The thread is not joined: a prompt blocked in a read must not keep the sandbox from ending.
  // With `close_at_end` false the end of `in` is not the person's end (a page still talks).
  static void ReadOnThread(std::shared_ptr<PersonInbox> inbox, std::istream& in,
                           bool close_at_end = true);

 private:
  // Takes a line or the end when there is one; false when the person has said nothing new.
  bool TryTake(std::optional<Said>& said);

  const std::shared_ptr<platform::Waker> waker_;
  std::mutex mutex_;
  std::condition_variable arrived_;
  std::deque<Said> lines_;
  std::function<void()> before_wait_;
  bool closed_ = false;
};

}  // namespace quillon::sandbox
