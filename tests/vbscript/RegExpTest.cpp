// The RegExp object against a table of patterns, texts and what the pattern language of the
// scripts' home makes of them: where each match starts and how long it is (in characters), its
// groups, the replacement text, and the error a pattern raises.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "PrintCode.h"
#include "platform/ScriptValue.h"
#include "vbscript/RegExp.h"
#include "vbscript/RegExpPattern.h"

namespace quillon::vbscript::testing {
namespace {

using platform::ScriptCall;
using platform::ScriptValue;

struct Case {
  const char* pattern;
  const char* flags;  // "i" IgnoreCase, "g" Global, "m" Multiline
  const char* subject;
  // Each match as "FirstIndex+Length=Value" with its groups in brackets ("-" for one that did not
  // take part), joined by "; "; or "error N" for a pattern that raises N.
  const char* matches;
};

void PrintTo(const Case& c, std::ostream* out) {
  *out << "/" << c.pattern << "/" << c.flags << " on ";
  PrintCode(c.subject, out);
}

void Configure(RegExp& re, const Case& c) {
  re.pattern = c.pattern;
  std::string flags = c.flags;
  re.ignore_case = flags.find('i') != std::string::npos;
  re.global = flags.find('g') != std::string::npos;
  re.multiline = flags.find('m') != std::string::npos;
}

std::string Read(ScriptValue object, std::string_view member, std::vector<ScriptValue> args = {}) {
  ScriptValue result;
  auto status = object.ObjectValue()->Invoke(member, ScriptCall::kPropertyGet, args, result);
  if (!status.ok()) return "fails " + std::to_string(status.number);
  if (result.IsEmpty()) return "-";
  return result.Text();
}

std::string Describe(const Case& c) {
  RegExp re;
  Configure(re, c);
  ScriptValue matches;
  auto status = re.Execute(c.subject, matches);
  if (!status.ok()) return "error " + std::to_string(status.number);
  std::string out;
  int count = std::stoi(Read(matches, "Count"));
  for (int i = 0; i < count; ++i) {
    std::vector<ScriptValue> index{ScriptValue::Long(i)};
    ScriptValue item;
    matches.ObjectValue()->Invoke("Item", ScriptCall::kPropertyGet, index, item);
    if (!out.empty()) out += "; ";
    out += Read(item, "FirstIndex") + "+" + Read(item, "Length") + "=" + Read(item, "");
    ScriptValue groups;
    std::vector<ScriptValue> none;
    item.ObjectValue()->Invoke("SubMatches", ScriptCall::kPropertyGet, none, groups);
    int group_count = std::stoi(Read(groups, "Count"));
    if (group_count == 0) continue;
    out += "[";
    for (int g = 0; g < group_count; ++g) {
      out += (g ? "," : "") + Read(groups, "Item", {ScriptValue::Long(g)});
    }
    out += "]";
  }
  return out;
}

const Case kCases[] = {
    // Classes, escapes and quantifiers.
    {"\\d+", "g", "a1b22c333", "1+1=1; 3+2=22; 6+3=333"},
    {"\\w+\\s\\w+\\W", "", "hi there!", "0+9=hi there!"},
    {"[a-c]+", "g", "xabcax", "1+4=abca"},
    {"[^a-c]", "g", "abxc", "2+1=x"},
    {"a{2,3}", "g", "aaaaaaa", "0+3=aaa; 3+3=aaa"},
    {"a{2}", "", "a{2}aa", "4+2=aa"},
    {"x{,2}", "", "x{,2}", "0+5=x{,2}"},
    {"<.+?>", "g", "<b>x</b>", "0+3=<b>; 4+4=</b>"},
    {"<.+>", "", "<b>x</b>", "0+8=<b>x</b>"},
    {"colou?r", "g", "color colour", "0+5=color; 6+6=colour"},
    // Word boundaries, anchors and lines.
    {"\\bcat\\b", "g", "cat concat cat.", "0+3=cat; 11+3=cat"},
    {"\\Bcat", "", "cat concat", "7+3=cat"},
    {"^\\w+", "g", "one\r\ntwo", "0+3=one"},
    {"^\\w+", "gm", "one\r\ntwo\nthree", "0+3=one; 5+3=two; 9+5=three"},
    {"\\w+$", "", "one\ntwo\n", ""},
    {"\\w+$", "m", "one\ntwo\n", "0+3=one"},
    {"a.c", "g", "abc a\nc a\rc", "0+3=abc"},
    // Groups, back references and look-ahead.
    {"(\\w)(\\d)?", "g", "a1b", "0+2=a1[a,1]; 2+1=b[b,-]"},
    {"(?:ab)+", "", "ababx", "0+4=abab"},
    {"(\\w)\\1", "g", "aabccd", "0+2=aa[a]; 3+2=cc[c]"},
    {"(a)|\\1b", "g", "b", "0+1=b[-]"},
    {"\\w+(?=!)", "", "hi there!", "3+5=there"},
    {"\\d(?!px)", "g", "1px 2em", "4+1=2"},
    // Case.
    {"abc", "i", "xABC", "1+3=ABC"},
    {"\xC3\xA9t\xC3\xA9", "i", "\xC3\x89T\xC3\x89", "0+3=\xC3\x89T\xC3\x89"},
    {"abc", "", "ABC", ""},
    // Characters count as Len counts them, not as bytes.
    {"b", "g",
     "\xC3\xA9\xC3\xA9"
     "b\xE2\x82\xAC"
     "b",
     "2+1=b; 4+1=b"},
    // Empty matches move on by one character.
    {"x*", "g", "ab", "0+0=; 1+0=; 2+0="},
    {"a*", "g", "baa", "0+0=; 1+2=aa; 3+0="},
    {"", "g", "\xC3\xA9", "0+0=; 1+0="},
    // Escapes the language reads as letters, and its own escapes.
    {"\\i\\q", "", "iq", "0+2=iq"},
    {"\\A\\Z", "", "AZ", "0+2=AZ"},
    {"\\x41\\u0042", "", "AB", "0+2=AB"},
    {"\\v", "", "a\vb", "1+1=\v"},
    {"[[:alpha:]]", "", "a", ""},
    {"[[:a]+", "", "x:a[", "1+3=:a["},
    {"[\\B]", "", "aB", "1+1=B"},
    {"[^]", "", "\n", "0+1=\n"},
    {"a[]", "", "a", ""},
    // Patterns the language refuses.
    {"(?<=a)b", "", "ab", "error 5017"},
    {"(?<!a)b", "", "ab", "error 5017"},
    {"(?<n>a)", "", "a", "error 5017"},
    {"(?P<n>a)", "", "a", "error 5017"},
    {"(?i)a", "", "a", "error 5017"},
    {"(?>a)", "", "a", "error 5017"},
    {"(?#note)a", "", "a", "error 5017"},
    {"a\\", "", "a", "error 5017"},
    {"a)", "", "a", "error 5017"},
    {"*a", "", "a", "error 5018"},
    {"a**", "", "a", "error 5018"},
    {"a++", "", "a", "error 5018"},
    {"a{2}{3}", "", "a", "error 5018"},
    {"a|*", "", "a", "error 5018"},
    {"(*UTF)a", "", "a", "error 5018"},
    {"a??", "", "a", "0+0="},
    {"[abc", "", "a", "error 5019"},
    {"(abc", "", "a", "error 5020"},
    {"[z-a]", "", "a", "error 5021"},
    // A search that backtracks without end stops.
    {"^(a+)+$", "", "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa!", "error 28"},
};

class RegExpTable : public ::testing::TestWithParam<Case> {};

TEST_P(RegExpTable, FindsWhatTheScriptLanguageFinds) {
  const Case& c = GetParam();
  EXPECT_EQ(Describe(c), c.matches) << "pattern " << c.pattern << " flags " << c.flags;
}

INSTANTIATE_TEST_SUITE_P(Patterns, RegExpTable, ::testing::ValuesIn(kCases));

struct ReplaceCase {
  const char* pattern;
  const char* flags;
  const char* subject;
  const char* replacement;
  const char* result;
};

void PrintTo(const ReplaceCase& c, std::ostream* out) {
  *out << "/" << c.pattern << "/" << c.flags << " to " << c.replacement << " on ";
  PrintCode(c.subject, out);
}

const ReplaceCase kReplaceCases[] = {
    {"(\\w+) (\\w+)", "", "john smith", "$2, $1", "smith, john"},
    {"o", "", "foo", "0", "f0o"},
    {"o", "g", "foo", "0", "f00"},
    {"b", "", "abc", "[$`|$&|$']", "a[a|b|c]c"},
    {"b", "", "abc", "$$", "a$c"},
    {"b", "", "abc", "$", "a$c"},
    {"(b)", "", "abc", "$2$0$x", "a$2$0$xc"},
    {"(b)", "", "abc", "$10", "ab0c"},
    {"(b)(c)?", "", "ab", "<$2>", "a<>"},
    {"x*", "g", "abc", "-", "-a-b-c-"},
    {"a*", "g", "aaa", "-", "--"},
    {"^", "gm", "a\nb", "> ", "> a\n> b"},
    {"\\s+$", "", "text  \r\n", "", "text"},
    {"\xE2\x82\xAC", "g", "5\xE2\x82\xAC and 6\xE2\x82\xAC", "EUR", "5EUR and 6EUR"},
    {"[", "", "a", "x", "error 5019"},
};

class RegExpReplace : public ::testing::TestWithParam<ReplaceCase> {};

TEST_P(RegExpReplace, BuildsTheReplacementTextTheScriptLanguageBuilds) {
  const ReplaceCase& c = GetParam();
  RegExp re;
  Configure(re, {c.pattern, c.flags, c.subject, ""});
  std::string out;
  auto status = re.Replace(c.subject, c.replacement, out);
  if (!status.ok()) out = "error " + std::to_string(status.number);
  EXPECT_EQ(out, c.result) << "pattern " << c.pattern;
}

INSTANTIATE_TEST_SUITE_P(Replacements, RegExpReplace, ::testing::ValuesIn(kReplaceCases));

TEST(RegExp, ErrorsCarryTheirDescriptions) {
  RegExp re;
  re.pattern = "(?<=x)";
  bool found = true;
  auto status = re.Test("x", found);
  EXPECT_EQ(status.number, 5017);
  EXPECT_EQ(status.description, "Syntax error in regular expression");
  EXPECT_FALSE(found);
  re.pattern = "x";
  status = re.Test("x", found);
  EXPECT_TRUE(status.ok());
  EXPECT_TRUE(found);
}

TEST(RegExp, TestLooksForOneMatchWhateverGlobalSays) {
  RegExp re;
  re.pattern = "a";
  re.global = true;
  bool found = false;
  EXPECT_TRUE(re.Test("bab", found).ok());
  EXPECT_TRUE(found);
  EXPECT_TRUE(re.global);
}

}  // namespace
}  // namespace quillon::vbscript::testing
