#pragma once
// The text of a plugin file (".qn" in the Plugins folder) and what the loader reads from it: the
// header values shown in the Active Status window, the names of its functions, and the sections
// of one function. Only text work lives here; running a section is the loader's.
//
// A section is "*NAME*", then a line that is exactly "{", then the type line, then content lines
// up to the first line that is "}" once its tabs are deleted. Tags, names and braces compare
// exactly and case-sensitively; tabs are deleted from the type line and the content lines only.
#include <string>
#include <string_view>
#include <vector>

namespace quillon::status {

class PluginFile {
 public:
  struct Header {
    std::string name;
    std::string author;
    std::string version;
    std::string date;
    std::vector<std::string> functions;  // in file order, as written between the stars
  };

  struct Section {
    std::string type;                  // "VBSCRIPT", "RSS" or "QNP"
    std::vector<std::string> content;  // tabs deleted
    bool closed = false;               // a "}" line ended it (not the end of the file)
  };

  // The file's bytes (Windows-1252) as UTF-8 lines; CR LF and LF both end a line.
  static std::vector<std::string> SplitLines(std::string_view cp1252_bytes);

  // The header values and the function list, with the defaults of a file that gives none
  // ("Unknown", "Unknown", `file_version` or else "1.0", "--/--/----").
  static Header ReadHeader(const std::vector<std::string>& lines,
                           std::string_view file_version = {});

  // The sections of `function_name` (with or without its stars) that the loader runs, in file
  // order. Sections of an unknown type are passed over, and their lines are scanned as ordinary
  // lines. A window-path (QNP) section ends the scan: it is always the last one returned.
  static std::vector<Section> FindSections(const std::vector<std::string>& lines,
                                           std::string_view function_name);

  // The starred form of a function name: "*" added in front and behind where missing.
  static std::string Starred(std::string_view function_name);
  static std::string WithoutTabs(std::string_view line);
  // The file title up to its last "." (the whole title when it has none).
  static std::string StripExtension(std::string_view file_title);
};

}  // namespace quillon::status
