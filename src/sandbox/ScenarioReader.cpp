#include "sandbox/ScenarioReader.h"

#include <cctype>

#include "text/Utf8.h"

namespace quillon::sandbox {
namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

bool ScenarioReader::ReadLine(std::string_view line, int line_number, Statement& out, bool& empty,
                              std::string& tag, std::string& error) {
  out = Statement{};
  out.line = line_number;
  tag.clear();
  empty = true;
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  size_t i = 0;
  while (i < line.size()) {
    char c = line[i];
    if (c == ' ' || c == '\t') {
      ++i;
      continue;
    }
    if (c == '#') break;
    Word word;
    if (c == '"') {
      word.quoted = true;
      ++i;
      bool closed = false;
      while (i < line.size()) {
        char d = line[i++];
        if (d == '"') {
          closed = true;
          break;
        }
        if (d != '\\' || i >= line.size()) {
          word.text += d;
          continue;
        }
        char e = line[i];
        switch (e) {
          case '"':
            word.text += '"';
            ++i;
            break;
          case '\\':
            word.text += '\\';
            ++i;
            break;
          case 'r':
            word.text += '\r';
            ++i;
            break;
          case 'n':
            word.text += '\n';
            ++i;
            break;
          case 't':
            word.text += '\t';
            ++i;
            break;
          case 'u': {
            int code = 0;
            bool ok = i + 4 < line.size();
            for (int k = 1; ok && k <= 4; ++k) {
              int digit = HexDigit(line[i + k]);
              if (digit < 0) ok = false;
              code = code * 16 + digit;
            }
            if (!ok) {
              error = "a \\u escape needs four hex digits";
              return false;
            }
            text::AppendUtf8(word.text, static_cast<char32_t>(code));
            i += 5;
            break;
          }
          default:
            // A backslash before any other character stands for itself.
            word.text += '\\';
        }
      }
      if (!closed) {
        error = "a string is not closed";
        return false;
      }
    } else {
      // A bare word runs to the next blank; quotes inside it are its own
      // (frmFriend("Alex").Label1).
      while (i < line.size() && line[i] != ' ' && line[i] != '\t') {
        word.text += line[i++];
      }
      if (word.text.rfind("<<", 0) == 0 && word.text.size() > 2) {
        tag = word.text.substr(2);
        continue;
      }
    }
    out.words.push_back(std::move(word));
  }
  empty = out.words.empty() && tag.empty();
  size_t end = line.find_last_not_of(" \t");
  out.source = std::string(line.substr(0, end == std::string_view::npos ? 0 : end + 1));
  return true;
}

bool ScenarioReader::ReadAll(std::string_view text, std::vector<Statement>& out,
                             std::string& error) {
  std::vector<std::string_view> lines;
  for (size_t start = 0; start <= text.size();) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) {
      if (start < text.size()) lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  for (size_t n = 0; n < lines.size(); ++n) {
    Statement statement;
    bool empty = false;
    std::string tag;
    std::string why;
    if (!ReadLine(lines[n], static_cast<int>(n + 1), statement, empty, tag, why)) {
      error = "line " + std::to_string(n + 1) + ": " + why;
      return false;
    }
    if (empty) continue;
    if (!tag.empty()) {
      std::string body;
      bool closed = false;
      size_t k = n + 1;
      for (; k < lines.size(); ++k) {
        std::string_view body_line = lines[k];
        if (!body_line.empty() && body_line.back() == '\r') body_line.remove_suffix(1);
        if (body_line == tag) {
          closed = true;
          break;
        }
        if (k > n + 1) body += '\n';
        body += body_line;
      }
      if (!closed) {
        error = "line " + std::to_string(n + 1) + ": the body is not ended by a line " + tag;
        return false;
      }
      statement.words.push_back(Word{body, true});
      n = k;
    }
    out.push_back(std::move(statement));
  }
  return true;
}

void ScenarioReader::Substitute(Statement& statement, std::string_view name,
                                std::string_view value) {
  std::string pattern = "${" + std::string(name) + "}";
  for (Word& word : statement.words) {
    for (size_t at = word.text.find(pattern); at != std::string::npos;
         at = word.text.find(pattern, at + value.size())) {
      word.text.replace(at, pattern.size(), value);
    }
  }
}

}  // namespace quillon::sandbox
