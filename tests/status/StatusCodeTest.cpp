// Expanding a status code: which text counts, how tokens name functions, and which names may
// reach the disk.
#include <gtest/gtest.h>

#include "status/StatusCode.h"

namespace quillon::status {
namespace {

class StatusCodeTest : public ::testing::Test {
 protected:
  std::string Expand(std::string_view code) {
    return StatusCode::Expand(code, [this](const std::string& plugin, const std::string& function) {
      calls.push_back(plugin + "|" + function);
      return plugin == "player" && function == "Song" ? std::string("Artist - Title")
                                                      : std::string();
    });
  }
  std::vector<std::string> calls;
};

TEST_F(StatusCodeTest, LiteralsAndCallsJoinWithOneBlankEach) {
  EXPECT_EQ(Expand("{Now playing\\;} {player:Song}"), " Now playing: Artist - Title");
  EXPECT_EQ(Expand("dropped {a}between{b} dropped"), " a b");
  EXPECT_EQ(Expand("no braces at all"), "");
  EXPECT_EQ(Expand("{}"), " ");
}

TEST_F(StatusCodeTest, TokenBlanksAreRemovedAndTheFirstColonSplits) {
  EXPECT_EQ(Expand("{ my plugin : my function }"), " ");
  EXPECT_EQ(Expand("{p:f:g}"), " ");
  EXPECT_EQ(calls, (std::vector<std::string>{"myplugin|myfunction", "p|f:g"}));
}

TEST_F(StatusCodeTest, BracesInsideATokenAndAnUnclosedBrace) {
  // A second "{" before the "}" belongs to the token and is removed.
  EXPECT_EQ(Expand("{a{b}c}"), " ab");
  EXPECT_EQ(Expand("{one} {two"), " one");
  EXPECT_EQ(Expand("{x\\;y\\;}"), " x:y:");
}

TEST_F(StatusCodeTest, PluginNamesStayInsideThePluginsFolder) {
  EXPECT_EQ(Expand("{../player:Song}{..\\x:f}{/etc/x:f}{.:f}{:f}{ok}"), "      ok");
  EXPECT_TRUE(calls.empty());
  EXPECT_TRUE(StatusCode::IsPluginName("my.plugin"));
  EXPECT_FALSE(StatusCode::IsPluginName(".."));
}

}  // namespace
}  // namespace quillon::status
