#include "web/Markup.h"

#include <cctype>
#include <cstdio>

#include "text/HtmlEscape.h"

namespace quillon::web {

std::string Markup::Escape(std::string_view text) {
  return text::EscapeHtml(text, {.apostrophes = true});
}

namespace {

// The length of the valid UTF-8 sequence at `at`, or 0 when the bytes there are not one.
size_t Utf8Length(std::string_view text, size_t at) {
  auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  unsigned char lead = byte(at);
  size_t length = lead < 0x80           ? 1
                  : (lead >> 5) == 0x6  ? 2
                  : (lead >> 4) == 0xE  ? 3
                  : (lead >> 3) == 0x1E ? 4
                                        : 0;
  if (length == 0 || at + length > text.size()) return 0;
  for (size_t i = 1; i < length; ++i) {
    if ((byte(at + i) & 0xC0) != 0x80) return 0;
  }
  if (length == 2 && lead < 0xC2) return 0;  // overlong
  return length;
}

}  // namespace

std::string Markup::Caption(std::string_view caption) {
  std::string out;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] != '&' || i + 1 == caption.size()) {
      out += Escape(caption.substr(i, 1));
    } else if (caption[i + 1] == '&') {
      out += "&amp;";
      ++i;
    } else {
      // The access key may be a letter of several bytes: underline the whole character.
      size_t end = i + 2;
      while (end < caption.size() && (static_cast<unsigned char>(caption[end]) & 0xC0) == 0x80) {
        ++end;
      }
      out += "<u>" + Escape(caption.substr(i + 1, end - i - 1)) + "</u>";
      i = end - 1;
    }
  }
  return out;
}

std::string Markup::Json(std::string_view text) {
  std::string out = "\"";
  for (size_t i = 0; i < text.size();) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (c >= 0x80) {
      size_t length = Utf8Length(text, i);
      if (length == 0) {
        out += "\\ufffd";
        ++i;
      } else {
        out.append(text.substr(i, length));
        i += length;
      }
      continue;
    }
    if (c == '"') {
      out += "\\\"";
    } else if (c == '\\') {
      out += "\\\\";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c < 0x20 || c == '<' || c == '>' || c == '&') {
      char buffer[8];
      std::snprintf(buffer, sizeof buffer, "\\u%04x", c);
      out += buffer;
    } else {
      out += static_cast<char>(c);
    }
    ++i;
  }
  return out + "\"";
}

std::string Markup::UrlPath(std::string_view path) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (char c : path) {
    unsigned char byte = static_cast<unsigned char>(c);
    if (std::isalnum(byte) || c == '/' || c == '.' || c == '_' || c == '-' || c == '~') {
      out += c;
    } else {
      out += '%';
      out += kHex[byte >> 4];
      out += kHex[byte & 0xF];
    }
  }
  return out;
}

std::string Markup::Color(uint32_t colorref) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "#%02x%02x%02x", colorref & 0xFF, (colorref >> 8) & 0xFF,
                (colorref >> 16) & 0xFF);
  return buffer;
}

}  // namespace quillon::web
