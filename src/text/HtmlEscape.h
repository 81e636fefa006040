#pragma once
// Text put into HTML markup: the chat history, a picture's address in an attribute. One escaper
// serves every writer of markup, so that what one writes another reads the same way.
#include <string>
#include <string_view>

namespace quillon::text {

struct HtmlEscaping {
  // Leaves "&" as it is, for text that is already markup text: the chat view has escaped what it
  // shows, so a link's visible address holds "&amp;" where the address had "&", and escaping it
  // again would change the address.
  bool keep_references = false;
  // Writes each line break ("\r\n", "\r" or "\n") as "<BR>", as the chat history shows a
  // message of several lines.
  bool line_breaks_as_br = false;
  // Writes "'" as "&#39;" too, so the text may also stand in a single-quoted attribute value (a
  // page that builds markup from any desktop text).
  bool apostrophes = false;
};

// The text with "&", "<", ">" and '"' written as character references, safe as element content
// and inside a double-quoted attribute value. Every other byte, UTF-8 included, is copied.
std::string EscapeHtml(std::string_view text, HtmlEscaping how = {});

}  // namespace quillon::text
