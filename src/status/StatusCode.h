#pragma once
// The status code: a template whose braced tokens are either literal text or calls of plugin
// functions ("{plugin:function}"). Only the text inside braces counts; each piece is preceded by
// one blank, and the caller trims the whole.
#include <functional>
#include <string>
#include <string_view>

namespace quillon::status {

class StatusCode {
 public:
  // Runs one function and gives its text (empty when it has none).
  using Call = std::function<std::string(const std::string& plugin, const std::string& function)>;

  // Expands `code`. `between` runs after each token (the program processes events there).
  static std::string Expand(std::string_view code, const Call& call,
                            const std::function<void()>& between = {});

  // Whether a plugin name from a token names a file inside the Plugins folder: a token comes
  // from text anybody may have typed or pasted, so it must not reach other folders.
  static bool IsPluginName(std::string_view plugin);
};

}  // namespace quillon::status
