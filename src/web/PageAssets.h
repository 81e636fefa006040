#pragma once
// The page's own files: the users' list, the desktop page, its script and its style. The script
// draws what the live channel sends and turns the person's clicks and keys into statements.
#include <string>
#include <vector>

namespace quillon::web {

class PageAssets {
 public:
  // The policy of the server's own pages: their script and style only, no inline script.
  static const char* const kPagePolicy;
  static const char* const kScript;
  static const char* const kStyle;

  static std::string UsersPage(const std::vector<std::string>& users);
  // `token` is what the page's actions carry.
  static std::string DesktopPage(const std::string& user, const std::string& token);
};

}  // namespace quillon::web
