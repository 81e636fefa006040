#include "status/StatusCode.h"

namespace quillon::status {

namespace {

std::string Without(std::string_view text, std::string_view characters) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (characters.find(c) == std::string_view::npos) out.push_back(c);
  }
  return out;
}

std::string ReplaceAll(std::string text, std::string_view from, std::string_view to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

}  // namespace

std::string StatusCode::Expand(std::string_view code, const Call& call,
                               const std::function<void()>& between) {
  std::string result;
  std::string_view rest = code;
  for (;;) {
    size_t open = rest.find('{');
    if (open == std::string_view::npos) break;
    size_t close = rest.find('}', open + 1);
    if (close == std::string_view::npos) break;
    std::string token = Without(rest.substr(open, close - open + 1), "{}");
    result += ' ';
    if (token.find(':') != std::string::npos) {
      token = Without(token, " ");
      size_t colon = token.find(':');
      std::string plugin = token.substr(0, colon);
      std::string function = token.substr(colon + 1);
      if (IsPluginName(plugin)) result += call(plugin, function);
    } else {
      result += ReplaceAll(std::move(token), "\\;", ":");
    }
    rest = rest.substr(close + 1);
    if (between) between();
  }
  return result;
}

bool StatusCode::IsPluginName(std::string_view plugin) {
  if (plugin.empty() || plugin == "." || plugin == "..") return false;
  return plugin.find_first_of("/\\") == std::string_view::npos;
}

}  // namespace quillon::status
