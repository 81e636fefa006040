#include "status/PluginFile.h"

#include "text/CodePage.h"

namespace quillon::status {

namespace {

bool StartsWith(std::string_view line, std::string_view tag) {
  return line.substr(0, tag.size()) == tag;
}

// The value of a header line: what follows the tag and the one separator after it.
std::string HeaderValue(std::string_view line, std::string_view tag) {
  size_t skip = tag.size() + 1;
  return skip >= line.size() ? std::string() : std::string(line.substr(skip));
}

}  // namespace

std::vector<std::string> PluginFile::SplitLines(std::string_view cp1252_bytes) {
  std::string text = text::Cp1252ToUtf8(cp1252_bytes);
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    size_t stop = end;
    if (stop > start && text[stop - 1] == '\r') --stop;
    lines.emplace_back(text.substr(start, stop - start));
    start = end + 1;
  }
  return lines;
}

PluginFile::Header PluginFile::ReadHeader(const std::vector<std::string>& lines,
                                          std::string_view file_version) {
  Header header;
  for (const std::string& line : lines) {
    // A later line with the same tag wins.
    if (StartsWith(line, "// NAME:")) {
      header.name = HeaderValue(line, "// NAME:");
    } else if (StartsWith(line, "// AUTHOR:")) {
      header.author = HeaderValue(line, "// AUTHOR:");
    } else if (StartsWith(line, "// VERSION:")) {
      header.version = HeaderValue(line, "// VERSION:");
    } else if (StartsWith(line, "// DATE:")) {
      header.date = HeaderValue(line, "// DATE:");
    }
    // A function header may stand anywhere, even inside another function's section.
    if (line.size() >= 2 && line.front() == '*' && line.back() == '*') {
      header.functions.push_back(line.substr(1, line.size() - 2));
    }
  }
  if (header.name.empty()) header.name = "Unknown";
  if (header.author.empty()) header.author = "Unknown";
  if (header.version.empty()) header.version = file_version.empty() ? "1.0" : file_version;
  if (header.date.empty()) header.date = "--/--/----";
  return header;
}

std::vector<PluginFile::Section> PluginFile::FindSections(const std::vector<std::string>& lines,
                                                          std::string_view function_name) {
  const std::string starred = Starred(function_name);
  std::vector<Section> sections;
  size_t i = 0;
  const size_t count = lines.size();
  while (i < count) {
    if (lines[i++] != starred) continue;
    // The brace line is compared as it stands: a tab in front of it hides the section.
    if (i >= count || lines[i++] != "{") continue;
    if (i >= count) break;
    std::string type = WithoutTabs(lines[i++]);
    if (type != "VBSCRIPT" && type != "RSS" && type != "QNP") continue;
    Section section;
    section.type = std::move(type);
    while (i < count) {
      std::string content = WithoutTabs(lines[i++]);
      if (content == "}") {
        section.closed = true;
        break;
      }
      section.content.push_back(std::move(content));
    }
    bool window_path = section.type == "QNP";
    sections.push_back(std::move(section));
    if (window_path) break;
  }
  return sections;
}

std::string PluginFile::Starred(std::string_view function_name) {
  std::string name(function_name);
  if (name.empty() || name.front() != '*') name.insert(name.begin(), '*');
  if (name.back() != '*') name.push_back('*');
  return name;
}

std::string PluginFile::WithoutTabs(std::string_view line) {
  std::string out;
  out.reserve(line.size());
  for (char c : line) {
    if (c != '\t') out.push_back(c);
  }
  return out;
}

std::string PluginFile::StripExtension(std::string_view file_title) {
  size_t dot = file_title.rfind('.');
  return std::string(dot == std::string_view::npos ? file_title : file_title.substr(0, dot));
}

}  // namespace quillon::status
