#pragma once
// Watches the messages posted to one window of another program and reports the chosen ones
// before the window handles them; the handler may change a message, or discard it by setting both
// the message and its wParam to 0.
#include <cstdint>
#include <functional>
#include <set>
#include <string>

#include "platform/WindowSystem.h"
#include "runtime/Holding.h"

namespace quillon::runtime {

class Runtime;

class MessageHook : public Holding {
 public:
  explicit MessageHook(Runtime& runtime) : runtime_(runtime) {}
  ~MessageHook() { Stop(); }
  MessageHook(const MessageHook&) = delete;
  MessageHook& operator=(const MessageHook&) = delete;

  // Stops watching and forgets the watched messages.
  void Stop();
  void SetWatchedWindow(platform::Hwnd window) { watched_ = window; }
  platform::Hwnd WatchedWindow() const { return watched_; }
  void AddMessage(const std::string& name, uint32_t number) { messages_.insert(number); }
  bool IsActive() const { return hook_ != 0; }
  // Starts watching the watched window; false when it is not a window or the program has
  // ended. The program's end stops the watch.
  bool Start();

  void LetGo() override { Stop(); }

  std::function<void(uint32_t& message, platform::WParam& wparam, platform::LParam& lparam)>
      on_posted_message;

 private:
  Runtime& runtime_;
  platform::Hwnd watched_ = 0;
  std::set<uint32_t> messages_;
  platform::PostHookId hook_ = 0;
};

}  // namespace quillon::runtime
