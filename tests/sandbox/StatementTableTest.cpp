// The statement tables that run statements and print `help`: help cannot drift from what runs,
// and the statements that fall through every row keep their failure texts.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "sandbox/Sandbox.h"
#include "sandbox/ScenarioReader.h"

namespace quillon::sandbox {
namespace {

bool OneOf(std::string_view alternatives, const std::string& word) {
  std::stringstream parts{std::string(alternatives)};
  std::string part;
  while (std::getline(parts, part, '|')) {
    if (part == word) return true;
  }
  return false;
}

std::string FirstWord(std::string_view line) { return std::string(line.substr(0, line.find(' '))); }

// Every spelling `help` shows for a row begins with one of that row's words: a statement moved
// to another row, or renamed, cannot leave its old spelling behind.
TEST(StatementTableTest, EverySpellingBeginsWithItsRowsWord) {
  auto spellings = [](std::string_view help) {
    std::vector<std::string> lines;
    std::stringstream in{std::string(help)};
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  };
  for (const auto& kind : Sandbox::Statements()) {
    if (kind.verbs == "expect") continue;  // shown through the checks
    ASSERT_FALSE(kind.help.empty()) << kind.verbs;
    for (const std::string& line : spellings(kind.help)) {
      // A note in brackets belongs to the spelling before it.
      if (line[0] == '(') continue;
      std::string word = FirstWord(line);
      // "click|rightclick|middleclick friend" lists several verbs in one spelling.
      std::stringstream verbs(word);
      for (std::string verb; std::getline(verbs, verb, '|');) {
        EXPECT_TRUE(OneOf(kind.verbs, verb)) << kind.verbs << ": " << line;
      }
    }
  }
  for (const auto& kind : Sandbox::Checks()) {
    ASSERT_FALSE(kind.help.empty()) << kind.subjects;
    for (const std::string& line : spellings(kind.help)) {
      EXPECT_TRUE(OneOf(kind.subjects, FirstWord(line))) << kind.subjects << ": " << line;
    }
  }
}

TEST(StatementTableTest, HelpShowsEveryStatementWithinItsWidth) {
  std::string help = Sandbox::HelpText();
  std::stringstream lines(help);
  for (std::string line; std::getline(lines, line);) EXPECT_LE(line.size(), 100u) << line;
  // Lines broken only between spellings or words: every spelling is there once joined again.
  std::string joined;
  std::stringstream again(help);
  for (std::string line; std::getline(again, line);) {
    joined += line.rfind("  ", 0) == 0 ? line.substr(1) : "\n" + line;
  }
  for (const std::string spelling :
       {"user NAME", "gtalk quit", "close chat \"NAME\"", "key FORM.CONTROL NAME",
        "expect no dialog", "expect no mishap", "expect gtalk quiet",
        "expect status one of \"A\" \"B\" ...", "registry delete ROOT \"KEY\" [NAME]",
        "in a file it takes its default: the first button, or cancel)",
        "Looking around: dump | help"}) {
    EXPECT_NE(joined.find(spelling), std::string::npos) << spelling;
  }
}

// Rows of one verb are told apart by the rest of the statement; what fits none keeps the
// language's own failure texts.
TEST(StatementTableTest, WhatFitsNoRowFailsAsBefore) {
  Sandbox::Options options;
  options.data_folder = QUILLON_DATA_DIR;
  Sandbox sandbox(options);
  const struct {
    const char* line;
    const char* expected;
    const char* actual;
  } cases[] = {
      {"fly to the moon", "a statement of the scenario language", "unknown statement"},
      {"\"quoted\" first", "a statement", "unknown statement"},
      {"user", "a statement of the scenario language", "unknown statement"},
      {"mishap pretend", "a statement of the scenario language", "unknown statement"},
      {"receive \"Alex\"", "a statement of the scenario language", "unknown statement"},
      {"typing \"Alex\" go", "a statement of the scenario language", "unknown statement"},
      {"dump now", "a statement of the scenario language", "unknown statement"},
      {"close window", "a statement of the scenario language", "unknown statement"},
      {"click nothing", "a statement of the scenario language", "unknown statement"},
      {"key Delete", "key Enter|Backspace|Escape|Tab|Left|Right|Home|End", "unknown statement"},
      {"expect weather \"fine\"", "a check of the scenario language", "unknown statement"},
      {"expect input", "a check of the scenario language", "unknown statement"},
      {"expect no thing", "a check of the scenario language", "unknown statement"},
      {"expect gtalk asleep", "a check of the scenario language", "unknown statement"},
      // A control's verb goes to the control, not to the key or the chat it shares a verb with.
      {"close frmNowhere", "frmNowhere", nullptr},
      {"expect input \"x\"", "a chat in front", "no chat is open"},
  };
  for (const auto& c : cases) {
    std::vector<Statement> statements;
    std::string error;
    ASSERT_TRUE(ScenarioReader::ReadAll(c.line, statements, error)) << c.line << ": " << error;
    Sandbox::Outcome outcome = sandbox.Execute(statements[0]);
    EXPECT_FALSE(outcome.ok) << c.line;
    EXPECT_EQ(outcome.expected.substr(0, std::string(c.expected).size()), c.expected) << c.line;
    if (c.actual) {
      EXPECT_EQ(outcome.actual, c.actual) << c.line;
    }
  }
}

}  // namespace
}  // namespace quillon::sandbox
