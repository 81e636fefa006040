#pragma once
// The transfer windows' TCP sockets, a control array: elements are loaded and unloaded while the
// window runs, and the events of every element reach the window with the element's index first.
//
// An element may be unloaded (its socket destroyed) from inside one of its own events; the
// network keeps the event alive until it returns, and nothing of the element runs afterwards.
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "platform/Network.h"

namespace quillon::transfer {

class WinsockArray {
 public:
  struct Events {
    std::function<void(int index, uint32_t request)> connection_request;
    std::function<void(int index)> connect;
    std::function<void(int index, std::string_view bytes)> data_arrival;
    std::function<void(int index)> send_complete;
    // The peer closed the connection, or it failed (the error's code and text, 0 and "" on close).
    std::function<void(int index, int code, const std::string& description)> close;
  };

  WinsockArray(platform::Network& network, Events events)
      : network_(network), events_(std::move(events)) {}
  ~WinsockArray() = default;
  WinsockArray(const WinsockArray&) = delete;
  WinsockArray& operator=(const WinsockArray&) = delete;

  // A loaded element is kept as it is. False when the network gives no socket.
  bool Load(int index);
  void Unload(int index);
  void UnloadAll();
  bool IsLoaded(int index) const { return sockets_.count(index) != 0; }
  // The element's socket; null while it is not loaded.
  platform::TcpSocket* operator()(int index) const;

 private:
  platform::Network& network_;
  Events events_;
  std::map<int, std::unique_ptr<platform::TcpSocket>> sockets_;
};

}  // namespace quillon::transfer
