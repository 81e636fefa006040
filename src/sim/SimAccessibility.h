#pragma once
// ObjectFromLresult on the simulated desktop. A browser window's answer to "WM_HTML_GETOBJECT"
// names the window itself, so a reference goes stale exactly when the window is destroyed.
#include "platform/HtmlDocument.h"

namespace quillon::sim {

class SimDesktop;

class SimAccessibility : public platform::Accessibility {
 public:
  explicit SimAccessibility(SimDesktop& desktop) : desktop_(desktop) {}
  std::shared_ptr<platform::HtmlDocument> DocumentFromLresult(platform::LResult reference) override;

  static platform::LResult ReferenceFor(platform::Hwnd browser_window);

 private:
  SimDesktop& desktop_;
};

}  // namespace quillon::sim
