#include "sim/SimHtmlDocument.h"

#include <array>
#include <cctype>
#include <cstdio>

#include "sim/SimAccessibility.h"
#include "sim/SimDesktop.h"
#include "text/Strings.h"

namespace quillon::sim {
namespace {

struct NamedColor {
  const char* name;
  const char* hex;
};

constexpr std::array<NamedColor, 18> kNamedColors = {{
    {"black", "#000000"},
    {"silver", "#c0c0c0"},
    {"gray", "#808080"},
    {"white", "#ffffff"},
    {"maroon", "#800000"},
    {"red", "#ff0000"},
    {"purple", "#800080"},
    {"fuchsia", "#ff00ff"},
    {"green", "#008000"},
    {"lime", "#00ff00"},
    {"olive", "#808000"},
    {"yellow", "#ffff00"},
    {"navy", "#000080"},
    {"blue", "#0000ff"},
    {"teal", "#008080"},
    {"aqua", "#00ffff"},
    {"orange", "#ffa500"},
    {"grey", "#808080"},
}};

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = text::AsciiLower(c);
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

std::string SimHtmlDocument::NormalizeColor(std::string_view color) {
  std::string text;
  for (char c : color) {
    if (!std::isspace(static_cast<unsigned char>(c))) {
      text += text::AsciiLower(c);
    }
  }
  for (const auto& named : kNamedColors) {
    if (text == named.name) return named.hex;
  }
  if (!text.empty() && text[0] == '#') text.erase(0, 1);
  char out[8];
  if (text.size() == 3 && HexValue(text[0]) >= 0 && HexValue(text[1]) >= 0 &&
      HexValue(text[2]) >= 0) {
    std::snprintf(out, sizeof out, "#%c%c%c%c%c%c", text[0], text[0], text[1], text[1], text[2],
                  text[2]);
    return out;
  }
  // The legacy rule: anything that is not a hex digit counts as 0, the digits are padded to a
  // multiple of three and split in three, and each third keeps its first two digits.
  for (char& c : text) {
    if (HexValue(c) < 0) c = '0';
  }
  if (text.empty()) text = "000";
  while (text.size() % 3 != 0) text += '0';
  size_t length = text.size() / 3;
  std::array<std::string, 3> parts = {text.substr(0, length), text.substr(length, length),
                                      text.substr(2 * length)};
  if (length > 8) {
    for (auto& part : parts) part = part.substr(length - 8);
    length = 8;
  }
  while (length > 2 && parts[0][0] == '0' && parts[1][0] == '0' && parts[2][0] == '0') {
    for (auto& part : parts) part.erase(0, 1);
    --length;
  }
  std::string result = "#";
  for (auto& part : parts) result += length == 1 ? "0" + part : part.substr(0, 2);
  return result;
}

SimHtmlDocument::SimHtmlDocument(SimDesktop& desktop) : desktop_(desktop) {}

std::string SimHtmlDocument::BodyHtml() { return alive_ ? body_ : std::string(); }

void SimHtmlDocument::SetBodyHtml(std::string_view html) {
  if (!alive_) return;
  body_ = std::string(html);
  ready_state_ = "loading";
  std::weak_ptr<SimHtmlDocument> self = weak_from_this();
  desktop_.QueueWork([self] {
    if (auto document = self.lock()) document->ready_state_ = "complete";
  });
}

void SimHtmlDocument::AppendHtml(std::string_view html) {
  if (alive_) body_ += html;
}

std::string SimHtmlDocument::BgColor() { return alive_ ? bg_ : std::string(); }

void SimHtmlDocument::SetBgColor(std::string_view color) {
  if (alive_) bg_ = NormalizeColor(color);
}

std::string SimHtmlDocument::FgColor() { return alive_ ? fg_ : std::string(); }

void SimHtmlDocument::SetFgColor(std::string_view color) {
  if (alive_) fg_ = NormalizeColor(color);
}

std::string SimHtmlDocument::ReadyState() { return alive_ ? ready_state_ : std::string(); }

std::string SimHtmlDocument::LocationHref() { return alive_ ? location_ : std::string(); }

SimHtmlDocument::Browser::Browser(SimDesktop& desktop, platform::Hwnd)
    : document_(std::make_shared<SimHtmlDocument>(desktop)) {}

SimHtmlDocument::Browser::~Browser() { document_->Detach(); }

platform::LResult SimHtmlDocument::Browser::Handle(SimDesktop& desktop, platform::Hwnd window,
                                                   uint32_t message, platform::WParam wparam,
                                                   platform::LParam lparam) {
  if (message == desktop.RegisterWindowMessage("WM_HTML_GETOBJECT")) {
    return SimAccessibility::ReferenceFor(window);
  }
  return desktop.DefWindowProc(window, message, wparam, lparam);
}

}  // namespace quillon::sim
