#pragma once
// What the desktop server accepts, decided from a request's headers and path alone, so every
// route asks the same questions:
// - the Host must name this server (127.0.0.1:PORT or localhost:PORT), so a page of another site
//   that rebinds a name to the loopback address gets nothing;
// - an action (a post, the live channel) must come from this server's own page: its Origin, when
//   the browser sends one, is this server, and it carries the token the page was served with;
// - a file path stays inside the folder it is served from.
#include <optional>
#include <string>
#include <string_view>

namespace quillon::web {

class RequestGuard {
 public:
  RequestGuard(int port, std::string token);

  const std::string& Token() const { return token_; }
  // A fresh random token: 32 hex digits from the system's random source.
  static std::string MakeToken();

  bool HostAllowed(std::string_view host) const;
  // `origin` empty when the browser sent none; `required` for posts, which browsers always send
  // it with.
  bool OriginAllowed(std::string_view origin, bool required) const;
  bool TokenMatches(std::string_view token) const;

  // A relative path inside a served folder: no empty, "." or ".." segment, no backslash or NUL,
  // not absolute. nullopt when the path would step outside.
  static std::optional<std::string> SafeRelativePath(std::string_view path);
  // A user name as the routes carry it: letters, digits, "_" and "-".
  static bool UserNameAllowed(std::string_view name);

 private:
  int port_;
  std::string token_;
};

}  // namespace quillon::web
