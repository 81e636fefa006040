#pragma once
// What a window of a given class does with the messages that reach its own procedure (the class's
// window procedure in Windows terms). Messages a behaviour does not handle go on to the desktop's
// default procedure.
#include "platform/Window.h"

namespace quillon::sim {

class SimDesktop;

class WindowBehaviour {
 public:
  virtual ~WindowBehaviour() = default;
  virtual platform::LResult Handle(SimDesktop& desktop, platform::Hwnd window, uint32_t message,
                                   platform::WParam wparam, platform::LParam lparam) = 0;
};

}  // namespace quillon::sim
