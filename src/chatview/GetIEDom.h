#pragma once
// The HTML document of a chat's conversation view. Google Talk shows the conversation in an
// embedded browser; its document is had by asking the browser window for it with the registered
// message "WM_HTML_GETOBJECT" and handing the answer to the accessibility layer. Nothing is kept
// between calls: a chat window may close at any moment, so callers ask again on every use.
#include <cstdint>
#include <memory>
#include <string_view>

#include "platform/HtmlDocument.h"
#include "platform/Window.h"

namespace quillon::platform {
class WindowSystem;
}  // namespace quillon::platform

namespace quillon::chatview {

class GetIEDom {
 public:
  static constexpr std::string_view kBrowserClass = "Internet Explorer_Server";
  // How long a browser window may take to answer before it counts as having no document.
  static constexpr uint32_t kAnswerTimeoutMs = 1000;

  GetIEDom(platform::WindowSystem& windows, platform::Accessibility& accessibility)
      : windows_(windows), accessibility_(accessibility) {}

  // The document of `window` when it is a browser window, else of its first browser descendant;
  // null when there is none or it does not answer in time.
  std::shared_ptr<platform::HtmlDocument> DocumentFromWindow(platform::Hwnd window);
  // The class is "Internet Explorer_Server", in any letter case.
  bool IsIEServer(platform::Hwnd window);
  // The visitor of the descendant enumeration: stores a browser window in `found` and returns 0
  // to stop; 1 to go on.
  int32_t FindIEServerChild(platform::Hwnd window, platform::Hwnd& found);

 private:
  platform::WindowSystem& windows_;
  platform::Accessibility& accessibility_;
};

}  // namespace quillon::chatview
