// The plugin file's text rules: header values and their defaults, the function list, and which
// sections a function name reaches.
#include <gtest/gtest.h>

#include "status/PluginFile.h"

namespace quillon::status {
namespace {

using Lines = std::vector<std::string>;

TEST(PluginFileTest, HeaderValuesSkipOneSeparatorAndTheLaterTagWins) {
  Lines lines = {"// NAME: First",  "// AUTHOR:\tRobin", "// NAME: Second",
                 "// VERSION: 2.1", "// DATE: 1/2/2007", "// NAME:"};
  PluginFile::Header header = PluginFile::ReadHeader(lines);
  // The last NAME line is empty, so the default fills in.
  EXPECT_EQ(header.name, "Unknown");
  EXPECT_EQ(header.author, "Robin");
  EXPECT_EQ(header.version, "2.1");
  EXPECT_EQ(header.date, "1/2/2007");
}

TEST(PluginFileTest, HeaderDefaultsAndFunctionList) {
  Lines lines = {"*Song*", "{", "VBSCRIPT", "*Inner Name*", "}", "* *", "*"};
  PluginFile::Header header = PluginFile::ReadHeader(lines);
  EXPECT_EQ(header.name, "Unknown");
  EXPECT_EQ(header.author, "Unknown");
  EXPECT_EQ(header.version, "1.0");
  EXPECT_EQ(header.date, "--/--/----");
  // A header inside a section is listed too; a lone star is no header.
  EXPECT_EQ(header.functions, (Lines{"Song", "Inner Name", " "}));
  EXPECT_EQ(PluginFile::ReadHeader({}, "3.0.0.1").version, "3.0.0.1");
}

TEST(PluginFileTest, LinesAreWindows1252WithEitherEnding) {
  std::string bytes = "// NAME: Caf\xE9\r\n*A*\n\r\nlast";
  EXPECT_EQ(PluginFile::SplitLines(bytes), (Lines{"// NAME: Caf\u00E9", "*A*", "", "last"}));
}

TEST(PluginFileTest, BraceAndTypeLines) {
  // A tab before "{" hides the section; a tab around the type word does not; a blank does.
  Lines lines = {"*F*", "\t{", "QNP",  "X",   "}",  //
                 "*F*", "{",   " RSS", "*F*", "{", "\tRSS\t", "http://a/\t", "\tti\ttle", "\t}"};
  auto sections = PluginFile::FindSections(lines, "F");
  ASSERT_EQ(sections.size(), 1u);
  EXPECT_EQ(sections[0].type, "RSS");
  EXPECT_EQ(sections[0].content, (Lines{"http://a/", "title"}));
  EXPECT_TRUE(sections[0].closed);
}

TEST(PluginFileTest, SkippedSectionLinesAreScannedAgain) {
  // The unknown type's lines are ordinary lines, so a header among them opens a section.
  Lines lines = {"*F*", "{", "JSCRIPT", "*F*", "{", "VBSCRIPT", "a = 1", "}"};
  auto sections = PluginFile::FindSections(lines, "*F*");
  ASSERT_EQ(sections.size(), 1u);
  EXPECT_EQ(sections[0].content, (Lines{"a = 1"}));
}

TEST(PluginFileTest, RepeatedSectionsRunInOrderUntilAWindowPath) {
  Lines lines = {"*F*", "{", "VBSCRIPT", "a", "}", "*F*", "{", "RSS",      "b", "}",
                 "*F*", "{", "QNP",      "c", "}", "*F*", "{", "VBSCRIPT", "d", "}"};
  auto sections = PluginFile::FindSections(lines, "F");
  ASSERT_EQ(sections.size(), 3u);
  EXPECT_EQ(sections[0].type, "VBSCRIPT");
  EXPECT_EQ(sections[1].type, "RSS");
  EXPECT_EQ(sections[2].type, "QNP");
}

TEST(PluginFileTest, NamesCompareExactlyAndAnUnclosedSectionRunsToTheEnd) {
  Lines lines = {"*f*", "{", "QNP", "x", "}", "*F*", "{", "QNP", "y"};
  auto sections = PluginFile::FindSections(lines, "F*");
  ASSERT_EQ(sections.size(), 1u);
  EXPECT_EQ(sections[0].content, (Lines{"y"}));
  EXPECT_FALSE(sections[0].closed);
  EXPECT_TRUE(PluginFile::FindSections({"*F*"}, "F").empty());
  EXPECT_TRUE(PluginFile::FindSections({"*F*", "{"}, "F").empty());
}

TEST(PluginFileTest, StripExtension) {
  EXPECT_EQ(PluginFile::StripExtension("player.qn"), "player");
  EXPECT_EQ(PluginFile::StripExtension("my.old.plugin.qn"), "my.old.plugin");
  EXPECT_EQ(PluginFile::StripExtension("plain"), "plain");
}

}  // namespace
}  // namespace quillon::status
