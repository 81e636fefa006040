// Every runnable example of the guides under docs/ is run by the script engine exactly as a case
// file is, so a guide never shows an example that does not do what it says.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "docs/GuideSnippets.h"
#include "vbscript/CaseRunner.h"

namespace quillon::docs {
namespace {

struct FoundSnippet {
  std::string name;  // the guide and the line, for the test's name
  std::string where;
  GuideSnippet snippet;
};

void PrintTo(const FoundSnippet& found, std::ostream* out) { *out << found.where; }

std::vector<FoundSnippet> SnippetsOfTheGuides() {
  std::vector<FoundSnippet> found;
  std::filesystem::path root = QUILLON_DOCS_DIR;
  if (!std::filesystem::is_directory(root)) return found;
  std::vector<std::filesystem::path> guides;
  for (const auto& entry : std::filesystem::directory_iterator(root)) {
    if (entry.path().extension() == ".md") guides.push_back(entry.path());
  }
  std::sort(guides.begin(), guides.end());
  for (const auto& guide : guides) {
    std::ifstream in(guide, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    for (auto& snippet : FindRunnableSnippets(text)) {
      std::string name = guide.stem().string() + "_line" + std::to_string(snippet.line);
      std::replace_if(
          name.begin(), name.end(), [](char c) { return !std::isalnum(c); }, '_');
      found.push_back({name, guide.filename().string() + ":" + std::to_string(snippet.line),
                       std::move(snippet)});
    }
  }
  return found;
}

class GuideExample : public ::testing::TestWithParam<FoundSnippet> {};

TEST_P(GuideExample, DoesWhatTheGuideSays) {
  const FoundSnippet& found = GetParam();
  ASSERT_TRUE(found.snippet.closed) << found.where << ": the example has no closing fence";
  vbscript::testing::CaseTranscript transcript = vbscript::testing::RunCase(found.snippet.code);
  EXPECT_FALSE(transcript.expected.empty())
      << found.where << ": an example that is run must say what it prints (' expect: lines)";
  EXPECT_EQ(transcript.actual, transcript.expected) << "in " << found.where;
}

INSTANTIATE_TEST_SUITE_P(Guides, GuideExample, ::testing::ValuesIn(SnippetsOfTheGuides()),
                         [](const ::testing::TestParamInfo<FoundSnippet>& info) {
                           return info.param.name;
                         });
// Until a guide holds a runnable example there is nothing to instantiate.
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(GuideExample);

TEST(GuideSnippets, OnlyMarkedBlocksAreRunAndKeepTheirLines) {
  std::string guide =
      "Intro\r\n"
      "```vbscript\r\n"
      "WScript.Echo \"shown only\"\r\n"
      "```\r\n"
      "```vbscript test\r\n"
      "WScript.Echo 1\r\n"
      "\r\n"
      "' expect: 1\r\n"
      "```\r\n"
      "```vbscript test extra\n"
      "```\n"
      "```vbscript  test\n"
      "WScript.Echo 2\n"
      "```\n";
  auto snippets = FindRunnableSnippets(guide);
  ASSERT_EQ(snippets.size(), 2u);
  EXPECT_EQ(snippets[0].line, 5);
  EXPECT_EQ(snippets[0].code, "WScript.Echo 1\n\n' expect: 1\n");
  EXPECT_TRUE(snippets[0].closed);
  EXPECT_EQ(snippets[1].line, 12);
  EXPECT_EQ(snippets[1].code, "WScript.Echo 2\n");
}

TEST(GuideSnippets, AnExampleLeftOpenIsReportedNotDropped) {
  auto snippets = FindRunnableSnippets("```vbscript test\nWScript.Echo 1\n```vbscript\n");
  ASSERT_EQ(snippets.size(), 1u);
  EXPECT_FALSE(snippets[0].closed);
  EXPECT_EQ(snippets[0].code, "WScript.Echo 1\n```vbscript\n");
}

TEST(GuideSnippets, AnExampleRunsThroughTheCaseRules) {
  auto snippets = FindRunnableSnippets(
      "```vbscript test\nStatus \"Hi\" & 1\n' expect: status: Hi1\nx = 1 / 0\n"
      "' error: (3, 1) VBScript runtime error 11: Division by zero\n```\n");
  ASSERT_EQ(snippets.size(), 1u);
  auto transcript = vbscript::testing::RunCase(snippets[0].code);
  EXPECT_EQ(transcript.actual, transcript.expected);
}

}  // namespace
}  // namespace quillon::docs
