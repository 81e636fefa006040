#include "standin/ChatRenderer.h"

#include <array>
#include <cctype>
#include <vector>

#include "text/HtmlEscape.h"
#include "text/Strings.h"

namespace quillon::standin {
namespace {

// The emoticon codes the client knows: each two-character code, the same with a nose, and the
// sunglasses form ("B" and the mouth). Longer forms first so the nose form is not read as a
// shorter code.
std::vector<std::string> EmoticonForms() {
  const std::array<const char*, 7> codes = {":(", ";)", ":)", ":x", ":D", ":O", ":P"};
  std::vector<std::string> forms;
  for (const char* code : codes) forms.push_back(std::string{code[0], '-', code[1]});
  for (const char* code : codes) forms.push_back(code);
  for (const char* code : codes) forms.push_back(std::string{'B', code[1]});
  return forms;
}

bool StartsWithNoCase(std::string_view text, size_t at, std::string_view prefix) {
  return text::StartsWithAsciiNoCase(text.substr(at), prefix);
}

// Where a web address starts at `at`, the length of the address; 0 when none starts there.
size_t AddressLength(std::string_view text, size_t at) {
  bool starts = StartsWithNoCase(text, at, "http://") || StartsWithNoCase(text, at, "https://") ||
                StartsWithNoCase(text, at, "www.");
  // An address starts a word, not the middle of one.
  if (!starts || (at > 0 && std::isalnum(static_cast<unsigned char>(text[at - 1])))) return 0;
  size_t end = at;
  while (end < text.size()) {
    char c = text[end];
    if (std::isspace(static_cast<unsigned char>(c)) || c == '"' || c == '\'' || c == '<' ||
        c == '>') {
      break;
    }
    ++end;
  }
  // Punctuation that ends a sentence or closes a bracket is not part of the address.
  while (end > at && std::string_view(".,!?)]").find(text[end - 1]) != std::string_view::npos) {
    --end;
  }
  size_t length = end - at;
  // A bare scheme or "www." alone is no address.
  size_t minimum = StartsWithNoCase(text, at, "www.")       ? 5
                   : StartsWithNoCase(text, at, "https://") ? 9
                                                            : 8;
  return length >= minimum ? length : 0;
}

// The client shows the lines of a message as lines.
std::string Escape(std::string_view text) {
  return text::EscapeHtml(text, {.line_breaks_as_br = true});
}

}  // namespace

std::string ChatRenderer::EmoticonSpan(std::string_view code) {
  return "<SPAN style=\"FONT-WEIGHT: bold; COLOR: rgb(0,95,255)\">" + Escape(code) + "</SPAN>";
}

std::string ChatRenderer::RenderText(std::string_view text) {
  static const std::vector<std::string> forms = EmoticonForms();
  std::string out;
  std::string plain;
  auto flush = [&] {
    out += Escape(plain);
    plain.clear();
  };
  for (size_t at = 0; at < text.size();) {
    if (size_t length = AddressLength(text, at)) {
      flush();
      std::string address(text.substr(at, length));
      std::string href = StartsWithNoCase(address, 0, "www.") ? "http://" + address : address;
      out += "<a href=\"" + Escape(href) + "\">" + Escape(address) + "</a>";
      at += length;
      continue;
    }
    bool matched = false;
    for (const std::string& form : forms) {
      // A form that begins with a letter (the sunglasses "B)") counts only as a word of its own,
      // so that "BD" inside a word or a run of hex digits stays text.
      if (form[0] == 'B' && ((at > 0 && std::isalnum(static_cast<unsigned char>(text[at - 1]))) ||
                             (at + form.size() < text.size() &&
                              std::isalnum(static_cast<unsigned char>(text[at + form.size()]))))) {
        continue;
      }
      if (text.compare(at, form.size(), form) == 0) {
        flush();
        out += EmoticonSpan(form);
        at += form.size();
        matched = true;
        break;
      }
    }
    if (!matched) plain += text[at++];
  }
  flush();
  return out;
}

std::string ChatRenderer::RenderMessage(std::string_view sender, std::string_view text) {
  return "<DIV><SPAN class=sender>" + Escape(sender) + ":</SPAN> " + RenderText(text) + "</DIV>";
}

}  // namespace quillon::standin
