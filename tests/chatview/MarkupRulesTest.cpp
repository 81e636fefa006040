// The rewriting rules of the conversation markup, each against the cases people produce: one table
// of (rule, input, expected output), run case by case.
#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "chatview/MarkupRules.h"

namespace quillon::chatview {
namespace {

using R = MarkupRules;

constexpr const char* kFolder = "/q/";

std::string Span(const char* code) { return R::EmoticonSpan(code); }
std::string Picture(char mouth) { return R::SmileyPicture(kFolder, mouth); }
std::string Link(const std::string& address) {
  return "<a href=\"" + address + "\">" + address + "</a>";
}
std::string Repeat(size_t count, const std::string& piece) {
  std::string text;
  for (size_t i = 0; i < count; ++i) text += piece;
  return text;
}

// A rule turns the case's input into the text compared with its expected output; rules that
// answer with a position answer with its decimal text.
using Rule = std::function<std::string(std::string)>;

Rule TagPair(const char* open_tag, const char* open_html, const char* close_tag,
             const char* close_html) {
  return [=](std::string markup) {
    R::ReplaceTagPair(markup, open_tag, open_html, close_tag, close_html);
    return markup;
  };
}
Rule Smiley(const char* code) {
  return [=](std::string markup) {
    R::ReplaceSmiley(markup, code, kFolder);
    return markup;
  };
}
// The input is the program's folder.
Rule PictureOfMouth(char mouth) {
  return [=](std::string folder) { return R::SmileyPicture(folder, mouth); };
}
Rule Position(size_t (*rule)(std::string_view)) {
  return [=](std::string markup) { return std::to_string(rule(markup)); };
}
Rule FindNoCase(const char* what, size_t from) {
  return [=](std::string text) {
    const size_t at = R::FindNoCase(text, what, from);
    return at == std::string_view::npos ? std::string("npos") : std::to_string(at);
  };
}
Rule Text(std::string (*rule)(std::string_view)) {
  return [=](std::string markup) { return rule(markup); };
}
std::string CustomPictures(std::string markup) {
  R::ReplaceCustomPictures(markup, [] {});
  return markup;
}

struct MarkupCase {
  const char* name;
  Rule rule;
  std::string input;
  std::string expected;
};

// Inputs run to tens of thousands of characters: a case shows as its name.
void PrintTo(const MarkupCase& c, std::ostream* out) { *out << c.name; }

std::vector<MarkupCase> Cases() {
  const Rule underline = TagPair("[U]", "<U>", "[/U]", "</U>");
  const Rule tail_start = Position(&R::TailStart);
  const Rule clear_position = Position(&R::ClearPosition);
  const Rule cleared = Text(&R::ClearedMarkup);
  const Rule address = Text(&R::PictureAddress);
  const std::string filler(60, '.');
  const std::string wide_600 = Repeat(600, "\xC3\xA9");
  const std::string four_angles = "<P>" + std::string(600, 'a') + "</P><B></B>";
  const std::string tag_at_cut =
      "<I><I><I>" + std::string(486, 'a') + "<A href=x>" + std::string(300, 'b');
  const std::string across = "<DIV>Alex: [!Quillon:</DIV><DIV>Sam: look " +
                             Link("http://x.org/a.png") + "</DIV><DIV>Alex: ok!]</DIV>";
  const std::string spanned = "[!Quillon:" + Span(":)") + " " + Link("http://x.org/a.png") + "!]";
  return {
      // A tag pair is replaced only when both tags are present, and only in exact case.
      {"TagPairReplaced", underline, "a [U]word[/U] b", "a <U>word</U> b"},
      {"TagPairEveryPair", underline, "[U]one[/U] [U]two[/U]", "<U>one</U> <U>two</U>"},
      // An opening tag without a closing one stays as typed.
      {"TagPairOpeningOnly", underline, "[U]dangling", "[U]dangling"},
      {"TagPairClosingOnly", underline, "closing only[/U]", "closing only[/U]"},
      // Lower case passes the presence test but is not replaced.
      {"TagPairLowerCase", underline, "[u]low[/u]", "[u]low[/u]"},
      // Mixed: the presence test holds through the lower-case closing tag; only "[U]" matches.
      {"TagPairMixedCase", underline, "[U]a[/u]", "<U>a[/u]"},
      {"TagPairCode", TagPair("[CODE]", "<CODE>", "[/CODE]", "</CODE>"), "[CODE]x = 1[/CODE]",
       "<CODE>x = 1</CODE>"},

      // Every spanned form of a code shows the picture of its mouth.
      {"SmileyEverySpannedForm", Smiley(":)"),
       "a " + Span(":)") + " b " + Span(":-)") + " c " + Span("B)") + " d",
       "a " + Picture(')') + " b " + Picture(')') + " c " + Picture(')') + " d"},
      // The wink has the same mouth, so the same picture.
      {"SmileyWinkSameMouth", Smiley(";)"), Span(";)"), Picture(')')},
      {"SmileyBareAndOtherCodesStay", Smiley(":)"), "bare :) and " + Span(":("),
       "bare :) and " + Span(":(")},
      {"SmileyPictureOfMouth", PictureOfMouth('P'), kFolder,
       "<img src=\"/q/Images/smileys/!P.gif\">"},
      // A folder with quotes or ampersands stays inside the attribute.
      {"SmileyPictureFolderEscaped", PictureOfMouth(')'), "/a\"b&c/",
       "<img src=\"/a&quot;b&amp;c/Images/smileys/!).gif\">"},

      // Only the last 32767 characters are searched.
      {"TailWhole", tail_start, std::string(32767, 'x'), "0"},
      {"TailOneOver", tail_start, std::string(32768, 'x'), "1"},
      // A conversation of 40000 characters: its first 7233 are left out.
      {"TailLong", tail_start, std::string(40000, 'x'), "7233"},
      // Two-byte characters: the tail holds 32767 of them, starting on a character.
      {"TailCountsCharacters", tail_start, Repeat(40000, "\xC3\xA9"),
       std::to_string(2u * (40000 - 32767))},
      // A cut inside a tag moves past its end.
      {"TailCutInsideTag", tail_start,
       std::string(7230, 'x') + "<DIV class=a>" + std::string(32757, 'y'),
       std::to_string(7230u + 13u)},
      // A cut inside a character reference moves past its ";".
      {"TailCutInsideReference", tail_start,
       std::string(7230, 'x') + "&quot;" + std::string(32764, 'y'), "7236"},
      // A cut right at a tag's start or after a plain "&" stays.
      {"TailCutAtTagStart", tail_start, std::string(7233, 'x') + "<B>" + std::string(32764, 'y'),
       "7233"},
      {"TailCutAfterAmpersand", tail_start,
       std::string(7230, 'x') + "& b" + std::string(32767, 'y'), "7233"},

      // A linked address becomes its picture, and empty tags go.
      {"CustomPictureLinked", CustomPictures,
       "see [!Quillon:" + Link("http://x.org/cat.png") + "!] ok",
       "see <img src=\"http://x.org/cat.png\"> ok"},
      // Every copy of the same tag at once; then the next tag.
      {"CustomPictureEveryCopyThenNext", CustomPictures,
       "[!Quillon:" + Link("http://a.b/1.gif") + "!] [!Quillon:" + Link("http://a.b/1.gif") +
           "!] " + filler + "[!Quillon:" + Link("http://a.b/2.gif") + "!]",
       "<img src=\"http://a.b/1.gif\"> <img src=\"http://a.b/1.gif\"> " + filler +
           "<img src=\"http://a.b/2.gif\">"},
      {"CustomPictureEmptyTagsGo", CustomPictures, "a[!Quillon:!]b[!Quillon: !]c", "abc"},
      // An address the chat view has not made a link (yet) stays as typed.
      {"CustomPictureUnlinkedStays", CustomPictures, "[!Quillon:http://x.org/cat.png!]",
       "[!Quillon:http://x.org/cat.png!]"},
      // An address of fewer than five characters is never replaced.
      {"CustomPictureShortAddressStays", CustomPictures, "[!Quillon:" + Link("www.") + "!]",
       "[!Quillon:" + Link("www.") + "!]"},
      // The address keeps the character references the chat view wrote.
      {"CustomPictureKeepsReferences", CustomPictures,
       "[!Quillon:" + Link("http://x.org/?a=1&amp;b=2") + "!]",
       "<img src=\"http://x.org/?a=1&amp;b=2\">"},
      // A tag across messages or around other markup swallows nothing.
      {"CustomPictureAcrossMessages", CustomPictures, across, across},
      // An emoticon before the link: the first `">` is the span's, not the link's.
      {"CustomPictureAfterEmoticon", CustomPictures, spanned, spanned},

      // The address never leaves its attribute nor runs script. Link text from a careless client:
      // raw quotes are made references.
      {"AddressQuotesEscaped", address, "<a href=\"x\">http://x.org/a\"onerror=\"alert(1)</a>",
       "http://x.org/a&quot;onerror=&quot;alert(1)"},
      {"AddressScriptRefused", address, "<a href=\"x\">javascript:alert(1)</a>", ""},
      {"AddressFileRefused", address, "<a href=\"x\">file:///c:/secret.png</a>", ""},
      {"AddressMarkupRefused", address, "<a href=\"x\">http://x.org/<b>a</b></a>", ""},
      {"AddressUpperCaseLink", address, "<A href=\"x\">WWW.x.org/a.png</A>", "WWW.x.org/a.png"},

      // The clear position ends on the fifth angle or cycles through fewer.
      {"ClearPositionEmpty", clear_position, "", "0"},
      {"ClearPositionOneAngle", clear_position, "a>b", "2"},  // first, none, first, none, first
      {"ClearPositionTwoAngles", clear_position, ">>", "2"},  // first, second, none, first, second
      {"ClearPositionThreeAngles", clear_position, "a>b>c>", "2"},       // 1, 2, 3, none, 1
      {"ClearPositionFourAngles", clear_position, "1>2>3>4>", "0"},      // the fifth finds nothing
      {"ClearPositionSixAngles", clear_position, "1>2>3>4>5>6>", "10"},  // the fifth
      {"ClearPositionThreeTags", clear_position, "<a><b><c>", "3"},      // 1, 2, 3, none, 1
      {"ClearPositionFourAnglesLong", clear_position, four_angles, "0"},
      {"ClearPositionTagAtCut", clear_position, tag_at_cut, "0"},

      // Clearing keeps the first elements through the fifth angle; nothing of the next tag stays
      // in front of the notice.
      {"ClearedThroughFifthAngle", cleared,
       "<DIV><SPAN class=sender>Alex:</SPAN> hi</DIV><DIV><SPAN class=sender>Sam:</SPAN> yo</DIV>",
       "<DIV><SPAN class=sender>Alex:</SPAN> hi</DIV><DIV><P>**Cleared**<P>"},
      // Two: the searches run first, second, none, first, second.
      {"ClearedTwoAngles", cleared, "<B>x</B>y", "<B>x</B><P>**Cleared**<P>"},
      {"ClearedEmpty", cleared, "", "<P>**Cleared**<P>"},
      // With fewer than five angles, 500 characters of whole markup stay.
      {"ClearedFewAnglesKeeps500", cleared, four_angles,
       "<P>" + std::string(497, 'a') + "<P>**Cleared**<P>"},
      // The 500th character inside a tag: the tag goes whole.
      {"ClearedFewAnglesTagAtCut", cleared, tag_at_cut,
       "<I><I><I>" + std::string(486, 'a') + "<P>**Cleared**<P>"},
      // Inside a character reference: the reference goes whole.
      {"ClearedFewAnglesReferenceAtCut", cleared,
       std::string(497, 'a') + "&amp;" + std::string(300, 'b'),
       std::string(497, 'a') + "<P>**Cleared**<P>"},
      // Characters, not bytes.
      {"ClearedFewAnglesCountsCharacters", cleared, wide_600,
       wide_600.substr(0, 1000) + "<P>**Cleared**<P>"},

      // Finding ignores letter case and starts where asked.
      {"FindNoCaseIgnoresCase", FindNoCase("[!Quillon:", 0), "ab[!QUILLON:x", "2"},
      {"FindNoCaseStartsWhereAsked", FindNoCase("ABC", 1), "abcabc", "3"},
      {"FindNoCaseStartPastEnd", FindNoCase("abc", 4), "abc", "npos"},

      // Taking the emoticon spans away gives back the typed text.
      {"WithoutSpansTypedText", Text(&R::WithoutEmoticonSpans),
       "0E" + Span("BD") + "FB" + Span("B)"), "0EBDFBB)"},
      {"WithoutSpansOtherSpansStay", Text(&R::WithoutEmoticonSpans), "<SPAN class=sender>x</SPAN>",
       "<SPAN class=sender>x</SPAN>"},
  };
}

class MarkupRulesTest : public ::testing::TestWithParam<MarkupCase> {};

TEST_P(MarkupRulesTest, GivesTheExpectedMarkup) {
  const MarkupCase& c = GetParam();
  EXPECT_EQ(c.rule(c.input), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Rules, MarkupRulesTest, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<MarkupCase>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
}  // namespace quillon::chatview
