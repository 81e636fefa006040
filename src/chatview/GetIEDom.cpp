#include "chatview/GetIEDom.h"

#include <string>

#include "platform/WindowSystem.h"
#include "text/Strings.h"

namespace quillon::chatview {
namespace {

// What a class name buffer of 100 characters holds: the name cut to 99 characters.
constexpr size_t kClassNameLimit = 99;

}  // namespace

bool GetIEDom::IsIEServer(platform::Hwnd window) {
  std::string name = windows_.GetClassName(window);
  if (name.size() > kClassNameLimit) name.resize(kClassNameLimit);
  return text::EqualsAsciiNoCase(name, kBrowserClass);
}

int32_t GetIEDom::FindIEServerChild(platform::Hwnd window, platform::Hwnd& found) {
  if (!IsIEServer(window)) return 1;
  found = window;
  return 0;
}

std::shared_ptr<platform::HtmlDocument> GetIEDom::DocumentFromWindow(platform::Hwnd window) {
  if (window == 0) return nullptr;
  // Without a browser descendant the message goes to the window itself, which does not answer it.
  if (!IsIEServer(window)) {
    windows_.EnumChildWindows(
        window, [&](platform::Hwnd child) { return FindIEServerChild(child, window) != 0; });
  }
  const uint32_t message = windows_.RegisterWindowMessage("WM_HTML_GETOBJECT");
  const auto reference = windows_.SendMessageTimeout(window, message, 0, 0,
                                                     platform::kSmtoAbortIfHung, kAnswerTimeoutMs);
  if (!reference || *reference == 0) return nullptr;
  return accessibility_.DocumentFromLresult(*reference);
}

}  // namespace quillon::chatview
