#pragma once
// The fields of a news feed's first item, as a feed function of a plugin uses them, and the
// format lines that turn them into status text.
//
// Fields come from the text after the first "<item>" (or, in a feed without items, from the
// channel itself), each from the first occurrence of its tag there, literally: tags with
// attributes, CDATA sections and entities are not recognised or decoded.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillon::status {

class RSS {
 public:
  std::string AllCode;
  std::string Title;
  std::string Author;
  std::string Link;
  std::string Description;  // CR LF pairs removed
  std::string Pubdate;

  // Reads the fields of `document`. An opening tag whose closing tag never follows makes the
  // feed unreadable: nullopt, with the reason in `error`.
  static std::optional<RSS> Read(std::string document, std::string& error);

  // Status text from format lines: "|text" appends the text, a field keyword (any case) appends
  // the field and a blank, "!" and a keyword the field alone. One trailing blank is dropped.
  // `after_line` runs after each line and once more at the end.
  std::string Format(const std::vector<std::string>& format_lines,
                     const std::function<void()>& after_line = {}) const;

 private:
  const std::string* Field(std::string_view keyword) const;
};

}  // namespace quillon::status
