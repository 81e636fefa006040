#include <gtest/gtest.h>

#include "sandbox/ScenarioReader.h"

namespace quillon::sandbox {
namespace {

std::vector<std::string> Words(const Statement& s) {
  std::vector<std::string> words;
  for (const auto& w : s.words) words.push_back((w.quoted ? "q:" : "w:") + w.text);
  return words;
}

TEST(ScenarioReader, WordsStringsEscapesAndComments) {
  std::vector<Statement> statements;
  std::string error;
  ASSERT_TRUE(ScenarioReader::ReadAll(
      "# a comment\n"
      "\n"
      "registry set HKCU \"Software\\Quillon\\General\" Smileys \"1\"  # trailing comment\r\n"
      "type \"a \\\"b\\\" \\\\ \\r\\n\\t \\u00C0 #not a comment\"\n",
      statements, error))
      << error;
  ASSERT_EQ(statements.size(), 2u);
  EXPECT_EQ(statements[0].line, 3);
  // A backslash before a letter other than r, n, t, u stands for itself.
  EXPECT_EQ(Words(statements[0]),
            (std::vector<std::string>{"w:registry", "w:set", "w:HKCU",
                                      "q:Software\\Quillon\\General", "w:Smileys", "q:1"}));
  EXPECT_EQ(statements[1].At(1), "a \"b\" \\ \r\n\t À #not a comment");
}

TEST(ScenarioReader, HeredocBodiesRunToTheirTag) {
  std::vector<Statement> statements;
  std::string error;
  ASSERT_TRUE(ScenarioReader::ReadAll(
      "file \"x.txt\" <<END\none\n# not a comment\n\nEND\nwait 1s\n", statements, error));
  ASSERT_EQ(statements.size(), 2u);
  EXPECT_EQ(statements[0].At(2), "one\n# not a comment\n");
  EXPECT_EQ(statements[1].line, 6);
}

TEST(ScenarioReader, MalformedLinesAreRefusedWithTheirNumber) {
  std::vector<Statement> statements;
  std::string error;
  EXPECT_FALSE(ScenarioReader::ReadAll("wait 1s\ntype \"open", statements, error));
  EXPECT_NE(error.find("line 2"), std::string::npos);
  EXPECT_FALSE(ScenarioReader::ReadAll("file \"a\" <<END\nno end\n", statements, error));
  EXPECT_FALSE(ScenarioReader::ReadAll("type \"\\u12\"", statements, error));
}

TEST(ScenarioReader, DurationsAndSiteSubstitution) {
  EXPECT_EQ(ParseDuration("50ms"), 50u);
  EXPECT_EQ(ParseDuration("3s"), 3000u);
  EXPECT_EQ(ParseDuration("1m"), 60000u);
  EXPECT_EQ(ParseDuration("5"), std::nullopt);
  EXPECT_EQ(ParseDuration("ms"), std::nullopt);
  // The longest duration still counts; one that would wrap round is refused.
  EXPECT_EQ(ParseDuration("307445734561825m"), 307445734561825u * 60000u);
  EXPECT_EQ(ParseDuration("307445734561826m"), std::nullopt);
  EXPECT_EQ(ParseDuration("18446744073709551615ms"), 18446744073709551615u);
  EXPECT_EQ(ParseDuration("18446744073709551616ms"), std::nullopt);
  EXPECT_EQ(ParseNumber("2147483647"), 2147483647);
  EXPECT_EQ(ParseNumber("-2147483648"), -2147483647 - 1);
  EXPECT_EQ(ParseNumber("2147483648"), std::nullopt);
  EXPECT_EQ(ParseNumber("+7"), 7);
  EXPECT_EQ(ParseNumber("+-7"), std::nullopt);
  EXPECT_EQ(ParseNumber("7 "), std::nullopt);
  Statement s;
  s.words = {{"site", false}, {"${SITE}/a ${SITE}", true}};
  ScenarioReader::Substitute(s, "SITE", "http://127.0.0.1:9");
  EXPECT_EQ(s.At(1), "http://127.0.0.1:9/a http://127.0.0.1:9");
}

}  // namespace
}  // namespace quillon::sandbox
