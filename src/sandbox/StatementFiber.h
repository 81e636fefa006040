#pragma once
// A page's statement run on a stack of its own, so that a modal wait it meets (a dialog, a popup
// menu, a modal form) waits there and holds up no other user's: the loop below goes on taking the
// person's actions and comes back to the waiting statement now and then to let it look whether
// its wait has ended.
//
// A thread serves as the stack, but only one stack runs at a time: the fiber and whoever resumed
// it hand the turn to each other and the other waits meanwhile, so the program still runs as on
// one thread and needs no locks of its own.
#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>

namespace quillon::sandbox {

class StatementFiber {
 public:
  explicit StatementFiber(std::function<void()> body);
  // The body must have finished (it is joined).
  ~StatementFiber();
  StatementFiber(const StatementFiber&) = delete;
  StatementFiber& operator=(const StatementFiber&) = delete;

  // The resumer's side: runs the fiber until it yields or its body ends; true once it has ended.
  // What the body threw is thrown here.
  bool Resume();
  // The fiber's side: hands the turn back to whoever resumed it and waits to be resumed again.
  void Yield();
  bool Finished() const { return finished_; }
  // Resumed and not yet handed the turn back (it, or a fiber it resumed, runs now).
  bool Running() const { return running_; }

  // The fiber whose body runs on the calling thread; null on the loop's own thread.
  static StatementFiber* Current();

 private:
  std::mutex mutex_;
  std::condition_variable turn_passed_;
  bool fiber_turn_ = false;
  bool finished_ = false;
  bool running_ = false;
  std::function<void()> body_;
  std::exception_ptr failure_;
  std::thread thread_;
};

}  // namespace quillon::sandbox
