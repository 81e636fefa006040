#include "text/HtmlEscape.h"

namespace quillon::text {

std::string EscapeHtml(std::string_view text, HtmlEscaping how) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    switch (c) {
      case '&':
        out += how.keep_references ? "&" : "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += how.apostrophes ? "&#39;" : "'";
        break;
      case '\r':
        if (!how.line_breaks_as_br) {
          out += c;
        } else {
          if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
          out += "<BR>";
        }
        break;
      case '\n':
        out += how.line_breaks_as_br ? "<BR>" : "\n";
        break;
      default:
        out += c;
    }
  }
  return out;
}

}  // namespace quillon::text
