#pragma once
// The HTML document shown by a browser window (the chat history), reached as Windows reaches it:
// the browser window answers the registered message "WM_HTML_GETOBJECT" with a reference, and the
// accessibility call ObjectFromLresult turns that reference into the document.
//
// Contract: called on the program's one thread. A document outlives its window only as an empty
// shell: once the window is gone every read returns empty and every write is ignored. Colours
// read back as the browser reports them ("#rrggbb", lower case).
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/Window.h"

namespace quillon::platform {

class HtmlDocument {
 public:
  virtual ~HtmlDocument() = default;
  // body.innerHTML
  virtual std::string BodyHtml() = 0;
  virtual void SetBodyHtml(std::string_view html) = 0;
  // bgColor / fgColor: any colour text the browser understands may be put.
  virtual std::string BgColor() = 0;
  virtual void SetBgColor(std::string_view color) = 0;
  virtual std::string FgColor() = 0;
  virtual void SetFgColor(std::string_view color) = 0;
  // "loading", "interactive" or "complete".
  virtual std::string ReadyState() = 0;
  // location.href
  virtual std::string LocationHref() = 0;
};

class Accessibility {
 public:
  virtual ~Accessibility() = default;
  // ObjectFromLresult for the HTML document interface: the document a browser window's answer
  // to "WM_HTML_GETOBJECT" refers to, or null when the reference is stale or not a document.
  virtual std::shared_ptr<HtmlDocument> DocumentFromLresult(LResult reference) = 0;
};

}  // namespace quillon::platform
