// The server's checks: who may ask, who may act, and which files may be read.
#include <gtest/gtest.h>

#include "web/RequestGuard.h"

namespace quillon::web {
namespace {

TEST(RequestGuardTest, OnlyThisServersOwnNamesAndOriginsAreAccepted) {
  RequestGuard guard(8123, "t");
  struct Case {
    const char* host;
    bool allowed;
  } hosts[] = {
      {"127.0.0.1:8123", true},
      {"localhost:8123", true},
      {"127.0.0.1:8124", false},
      {"127.0.0.1", false},
      {"evil.example:8123", false},
      {"", false},
      {"localhost:8123.evil.example", false},
  };
  for (const Case& c : hosts) EXPECT_EQ(guard.HostAllowed(c.host), c.allowed) << c.host;

  EXPECT_TRUE(guard.OriginAllowed("http://127.0.0.1:8123", true));
  EXPECT_TRUE(guard.OriginAllowed("http://localhost:8123", true));
  EXPECT_FALSE(guard.OriginAllowed("https://127.0.0.1:8123", true));
  EXPECT_FALSE(guard.OriginAllowed("http://evil.example", true));
  EXPECT_FALSE(guard.OriginAllowed("null", false));
  // A post always carries its origin; a same-origin live channel may come without one.
  EXPECT_FALSE(guard.OriginAllowed("", true));
  EXPECT_TRUE(guard.OriginAllowed("", false));
}

TEST(RequestGuardTest, TheTokenMustMatchWhole) {
  std::string token = RequestGuard::MakeToken();
  ASSERT_EQ(token.size(), 32u);
  EXPECT_NE(token, RequestGuard::MakeToken());
  RequestGuard guard(1, token);
  EXPECT_TRUE(guard.TokenMatches(token));
  EXPECT_FALSE(guard.TokenMatches(""));
  EXPECT_FALSE(guard.TokenMatches(token.substr(0, 31)));
  EXPECT_FALSE(guard.TokenMatches(token + "0"));
  std::string changed = token;
  changed.back() = changed.back() == '0' ? '1' : '0';
  EXPECT_FALSE(guard.TokenMatches(changed));
}

TEST(RequestGuardTest, PathsThatCouldLeaveTheFolderAreRefused) {
  struct Case {
    const char* path;
    bool safe;
  } cases[] = {
      {"Quillon/Images/smileys/!).gif", true},
      {"incoming/note.txt", true},
      {"..", false},
      {"../secret", false},
      {"Quillon/../../etc/passwd", false},
      {"/etc/passwd", false},
      {"a//b", false},
      {"./a", false},
      {"a\\..\\b", false},
      {"", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RequestGuard::SafeRelativePath(c.path).has_value(), c.safe) << c.path;
  }
  EXPECT_FALSE(RequestGuard::SafeRelativePath(std::string("a\0b", 3)).has_value());
}

TEST(RequestGuardTest, UserNamesAreWordsOnly) {
  EXPECT_TRUE(RequestGuard::UserNameAllowed("me"));
  EXPECT_TRUE(RequestGuard::UserNameAllowed("sam_2-b"));
  EXPECT_FALSE(RequestGuard::UserNameAllowed(""));
  EXPECT_FALSE(RequestGuard::UserNameAllowed("a/b"));
  EXPECT_FALSE(RequestGuard::UserNameAllowed("a b"));
  EXPECT_FALSE(RequestGuard::UserNameAllowed(std::string(65, 'a')));
}

}  // namespace
}  // namespace quillon::web
