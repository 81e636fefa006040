#pragma once
// Text made safe for the place it goes: HTML text and attribute values, JSON strings, and the
// quoted strings of a scenario statement.
#include <string>
#include <string_view>

namespace quillon::web {

class Markup {
 public:
  // Escapes &, <, >, " and ' so the text can stand in element content or a quoted attribute.
  static std::string Escape(std::string_view text);
  // A control's caption as the system draws it: "&" marks the next character as the access key
  // (underlined), "&&" stands for one "&"; escaped as Escape does.
  static std::string Caption(std::string_view caption);
  // A JSON string literal, quotes included; control characters and the characters that could end
  // a script element ("<", ">", "&") are written as \u escapes, and bytes that are not UTF-8 as
  // U+FFFD.
  static std::string Json(std::string_view text);
  // A path made safe to stand in a URL, in a quoted attribute or a CSS url(''): every byte but
  // letters, digits and "/._-~" is percent-encoded.
  static std::string UrlPath(std::string_view path);
  // A CSS colour "#rrggbb" of a Windows colour value (0x00BBGGRR).
  static std::string Color(uint32_t colorref);
};

}  // namespace quillon::web
