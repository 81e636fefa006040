#pragma once
// The HTML document of a simulated browser window: body markup, colours, ready state and address.
// Replacing the markup makes the document "loading" until the desktop's queue has run once, as a
// browser re-renders before it is ready again.
#include <memory>
#include <string>

#include "platform/HtmlDocument.h"
#include "sim/WindowBehaviour.h"

namespace quillon::sim {

class SimDesktop;

class SimHtmlDocument : public platform::HtmlDocument,
                        public std::enable_shared_from_this<SimHtmlDocument> {
 public:
  explicit SimHtmlDocument(SimDesktop& desktop);

  std::string BodyHtml() override;
  void SetBodyHtml(std::string_view html) override;
  std::string BgColor() override;
  void SetBgColor(std::string_view color) override;
  std::string FgColor() override;
  void SetFgColor(std::string_view color) override;
  std::string ReadyState() override;
  std::string LocationHref() override;

  // The window is gone: the document answers nothing from now on.
  void Detach() { alive_ = false; }
  bool Alive() const { return alive_; }
  // What the page itself does (the chat client appending a message): no loading state.
  void AppendHtml(std::string_view html);
  void SetLocation(std::string href) { location_ = std::move(href); }
  // A colour as a browser reports it: "#rrggbb", lower case, from any form the browser accepts
  // (names, "#rgb", "#rrggbb", bare hex digits and the lenient legacy forms).
  static std::string NormalizeColor(std::string_view color);

  // The browser window's behaviour: answers "WM_HTML_GETOBJECT" with a reference to its document.
  class Browser;

 private:
  SimDesktop& desktop_;
  bool alive_ = true;
  std::string body_;
  std::string bg_ = "#ffffff";
  std::string fg_ = "#000000";
  std::string ready_state_ = "complete";
  std::string location_ = "about:blank";
};

class SimHtmlDocument::Browser : public WindowBehaviour {
 public:
  Browser(SimDesktop& desktop, platform::Hwnd window);
  ~Browser() override;
  platform::LResult Handle(SimDesktop& desktop, platform::Hwnd window, uint32_t message,
                           platform::WParam wparam, platform::LParam lparam) override;
  std::shared_ptr<SimHtmlDocument> Document() { return document_; }

 private:
  std::shared_ptr<SimHtmlDocument> document_;
};

}  // namespace quillon::sim
