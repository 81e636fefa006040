#include "status/RSS.h"

#include "text/Strings.h"

namespace quillon::status {

namespace {

// The text between `open` and the first `close` after it; nullopt when `close` never follows;
// "" when `open` does not occur.
std::optional<std::string> Between(std::string_view text, std::string_view open,
                                   std::string_view close) {
  size_t start = text.find(open);
  if (start == std::string_view::npos) return std::string();
  start += open.size();
  size_t end = text.find(close, start);
  if (end == std::string_view::npos) return std::nullopt;
  return std::string(text.substr(start, end - start));
}

std::string WithoutCrLf(std::string text) {
  for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at)) {
    text.erase(at, 2);
  }
  return text;
}

}  // namespace

std::optional<RSS> RSS::Read(std::string document, std::string& error) {
  RSS record;
  record.AllCode = std::move(document);
  std::string_view all = record.AllCode;
  std::string_view kept;
  if (size_t item = all.find("<item>"); item != std::string_view::npos) {
    kept = all.substr(item + 6);
  } else {
    kept = all.size() > 6 ? all.substr(6) : std::string_view();
  }
  struct Tag {
    const char* open;
    const char* close;  // the link's closing tag is matched without its ">"
    std::string* field;
  };
  const Tag tags[] = {{"<title>", "</title>", &record.Title},
                      {"<author>", "</author>", &record.Author},
                      {"<link>", "</link", &record.Link},
                      {"<description>", "</description>", &record.Description},
                      {"<pubDate>", "</pubDate>", &record.Pubdate}};
  for (const Tag& tag : tags) {
    std::optional<std::string> value = Between(kept, tag.open, tag.close);
    if (!value) {
      error = std::string("the feed has ") + tag.open + " without " + tag.close;
      return std::nullopt;
    }
    *tag.field = std::move(*value);
  }
  record.Description = WithoutCrLf(std::move(record.Description));
  return record;
}

const std::string* RSS::Field(std::string_view keyword) const {
  std::string lower = text::AsciiLower(keyword);
  if (lower == "title") return &Title;
  if (lower == "author") return &Author;
  if (lower == "link") return &Link;
  if (lower == "description") return &Description;
  if (lower == "pubdate") return &Pubdate;
  return nullptr;
}

std::string RSS::Format(const std::vector<std::string>& format_lines,
                        const std::function<void()>& after_line) const {
  std::string result;
  for (const std::string& line : format_lines) {
    if (!line.empty() && line[0] == '|') {
      result += line.substr(1);
    } else if (!line.empty() && line[0] == '!') {
      if (const std::string* field = Field(std::string_view(line).substr(1))) result += *field;
    } else if (const std::string* field = Field(line)) {
      result += *field;
      result += ' ';
    }
    if (after_line) after_line();
  }
  // The closing line of the section counts as one more line.
  if (after_line) after_line();
  if (!result.empty() && result.back() == ' ') result.pop_back();
  return result;
}

}  // namespace quillon::status
