#pragma once
// Something the running program has taken from the system (a global hotkey, a watch on another
// window's messages, a timer, a socket) and must give back when it ends, whichever way it ends:
// a copy that ended and still held a hotkey would keep the next copy from registering it.
namespace quillon::runtime {

class Holding {
 public:
  // Gives the thing back. Called at most once, by Runtime::End.
  virtual void LetGo() = 0;

 protected:
  ~Holding() = default;
};

}  // namespace quillon::runtime
