#pragma once
// The lines a person writes, on their way to the event loop. Whoever reads the person (the prompt
// on standard input, a browser page) puts lines in from a thread of its own; the loop's thread
// takes them when the program waits for the person, and keeps the desktop's events running while
// none has come. Putting a line wakes the waiting loop at once.
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <istream>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

namespace quillon::sandbox {

class PersonInbox {
 public:
  // Any thread: one line the person wrote (a statement, or a line of a << body).
  void Put(std::string line);
  // Any thread: the person has nothing more to say. Lines put before stay to be taken.
  void Close();

  // The loop's thread: the next line. While none is there it runs `idle` every `step`; nullopt once
  // the inbox is closed and empty.
  std::optional<std::string> Take(const std::function<void()>& idle,
                                  std::chrono::milliseconds step);

  // Reads `in` line by line on a thread of its own into `inbox`, closing it at the end of input.
  // The thread is not joined: a prompt blocked in a read must not keep the sandbox from ending.
  static void ReadOnThread(std::shared_ptr<PersonInbox> inbox, std::istream& in);

 private:
  std::mutex mutex_;
  std::condition_variable arrived_;
  std::deque<std::string> lines_;
  bool closed_ = false;
};

}  // namespace quillon::sandbox
