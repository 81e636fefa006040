// The rewriting rules of the conversation markup, each against the cases people produce.
#include <gtest/gtest.h>

#include <string>

#include "chatview/MarkupRules.h"

namespace quillon::chatview {
namespace {

using R = MarkupRules;

constexpr const char* kFolder = "/q/";

std::string Span(const char* code) { return R::EmoticonSpan(code); }
std::string Picture(char mouth) { return R::SmileyPicture(kFolder, mouth); }

TEST(ReplaceTagPair, ReplacesOnlyWhenBothTagsArePresentAndOnlyInExactCase) {
  struct Case {
    const char* markup;
    const char* expected;
  } cases[] = {
      {"a [U]word[/U] b", "a <U>word</U> b"},
      {"[U]one[/U] [U]two[/U]", "<U>one</U> <U>two</U>"},
      // An opening tag without a closing one stays as typed.
      {"[U]dangling", "[U]dangling"},
      {"closing only[/U]", "closing only[/U]"},
      // Lower case passes the presence test but is not replaced.
      {"[u]low[/u]", "[u]low[/u]"},
      // Mixed: the presence test holds through the lower-case closing tag; only "[U]" matches.
      {"[U]a[/u]", "<U>a[/u]"},
  };
  for (const Case& c : cases) {
    std::string markup = c.markup;
    R::ReplaceTagPair(markup, "[U]", "<U>", "[/U]", "</U>");
    EXPECT_EQ(markup, c.expected) << c.markup;
  }
  std::string code = "[CODE]x = 1[/CODE]";
  R::ReplaceTagPair(code, "[CODE]", "<CODE>", "[/CODE]", "</CODE>");
  EXPECT_EQ(code, "<CODE>x = 1</CODE>");
}

TEST(ReplaceSmiley, EverySpannedFormOfTheCodeShowsThePictureOfItsMouth) {
  std::string markup = "a " + Span(":)") + " b " + Span(":-)") + " c " + Span("B)") + " d";
  R::ReplaceSmiley(markup, ":)", kFolder);
  EXPECT_EQ(markup, "a " + Picture(')') + " b " + Picture(')') + " c " + Picture(')') + " d");
  // The wink has the same mouth, so the same picture.
  markup = Span(";)");
  R::ReplaceSmiley(markup, ";)", kFolder);
  EXPECT_EQ(markup, Picture(')'));
  EXPECT_EQ(Picture('P'), "<img src=\"/q/Images/smileys/!P.gif\">");
}

TEST(ReplaceSmiley, LeavesBareCodesAndOtherCodesAlone) {
  std::string markup = "bare :) and " + Span(":(");
  R::ReplaceSmiley(markup, ":)", kFolder);
  EXPECT_EQ(markup, "bare :) and " + Span(":("));
}

TEST(SmileyPicture, AFolderWithQuotesOrAmpersandsStaysInsideTheAttribute) {
  EXPECT_EQ(R::SmileyPicture("/a\"b&c/", ')'),
            "<img src=\"/a&quot;b&amp;c/Images/smileys/!).gif\">");
}

TEST(TailStart, OnlyTheLast32767CharactersAreSearched) {
  EXPECT_EQ(R::TailStart(std::string(32767, 'x')), 0u);
  EXPECT_EQ(R::TailStart(std::string(32768, 'x')), 1u);
  // A conversation of 40000 characters: its first 7233 are left out.
  EXPECT_EQ(R::TailStart(std::string(40000, 'x')), 7233u);
}

TEST(TailStart, CountsCharactersAndNeverSplitsACharacterTagOrReference) {
  // Two-byte characters: the tail holds 32767 of them, starting on a character.
  std::string wide;
  for (int i = 0; i < 40000; ++i) wide += "\xC3\xA9";
  EXPECT_EQ(R::TailStart(wide), 2u * (40000 - 32767));

  // A cut inside a tag moves past its end.
  std::string tagged = std::string(7230, 'x') + "<DIV class=a>" + std::string(32757, 'y');
  EXPECT_EQ(R::TailStart(tagged), 7230u + 13u);
  // A cut inside a character reference moves past its ";".
  std::string referenced = std::string(7230, 'x') + "&quot;" + std::string(32764, 'y');
  EXPECT_EQ(R::TailStart(referenced), 7236u);
  // A cut right at a tag's start or after a plain "&" stays.
  std::string at_tag = std::string(7233, 'x') + "<B>" + std::string(32764, 'y');
  EXPECT_EQ(R::TailStart(at_tag), 7233u);
  std::string ampersand = std::string(7230, 'x') + "& b" + std::string(32767, 'y');
  EXPECT_EQ(R::TailStart(ampersand), 7233u);
}

std::string Link(const std::string& address) {
  return "<a href=\"" + address + "\">" + address + "</a>";
}

std::string Pictures(std::string markup) {
  R::ReplaceCustomPictures(markup, [] {});
  return markup;
}

TEST(CustomPictures, ALinkedAddressBecomesItsPictureAndEmptyTagsGo) {
  EXPECT_EQ(Pictures("see [!Quillon:" + Link("http://x.org/cat.png") + "!] ok"),
            "see <img src=\"http://x.org/cat.png\"> ok");
  // Every copy of the same tag at once; then the next tag.
  const std::string filler(60, '.');
  std::string two = "[!Quillon:" + Link("http://a.b/1.gif") +
                    "!] [!Quillon:" + Link("http://a.b/1.gif") + "!] " + filler +
                    "[!Quillon:" + Link("http://a.b/2.gif") + "!]";
  EXPECT_EQ(Pictures(two), "<img src=\"http://a.b/1.gif\"> <img src=\"http://a.b/1.gif\"> " +
                               filler + "<img src=\"http://a.b/2.gif\">");
  EXPECT_EQ(Pictures("a[!Quillon:!]b[!Quillon: !]c"), "abc");
  // An address the chat view has not made a link (yet) stays as typed.
  EXPECT_EQ(Pictures("[!Quillon:http://x.org/cat.png!]"), "[!Quillon:http://x.org/cat.png!]");
  // An address of fewer than five characters is never replaced.
  EXPECT_EQ(Pictures("[!Quillon:" + Link("www.") + "!]"), "[!Quillon:" + Link("www.") + "!]");
  // The address keeps the character references the chat view wrote.
  EXPECT_EQ(Pictures("[!Quillon:" + Link("http://x.org/?a=1&amp;b=2") + "!]"),
            "<img src=\"http://x.org/?a=1&amp;b=2\">");
}

TEST(CustomPictures, ATagAcrossMessagesOrAroundOtherMarkupSwallowsNothing) {
  const std::string across = "<DIV>Alex: [!Quillon:</DIV><DIV>Sam: look " +
                             Link("http://x.org/a.png") + "</DIV><DIV>Alex: ok!]</DIV>";
  EXPECT_EQ(Pictures(across), across);
  // An emoticon before the link: the first `">` is the span's, not the link's.
  const std::string spanned = "[!Quillon:" + Span(":)") + " " + Link("http://x.org/a.png") + "!]";
  EXPECT_EQ(Pictures(spanned), spanned);
}

TEST(PictureAddress, NeverLetsTheAddressOutOfItsAttributeOrRunScript) {
  // Link text from a careless client: raw quotes are made references.
  EXPECT_EQ(R::PictureAddress("<a href=\"x\">http://x.org/a\"onerror=\"alert(1)</a>"),
            "http://x.org/a&quot;onerror=&quot;alert(1)");
  EXPECT_EQ(R::PictureAddress("<a href=\"x\">javascript:alert(1)</a>"), "");
  EXPECT_EQ(R::PictureAddress("<a href=\"x\">file:///c:/secret.png</a>"), "");
  EXPECT_EQ(R::PictureAddress("<a href=\"x\">http://x.org/<b>a</b></a>"), "");
  EXPECT_EQ(R::PictureAddress("<A href=\"x\">WWW.x.org/a.png</A>"), "WWW.x.org/a.png");
}

TEST(ClearPosition, EndsOnTheFifthAngleOrCyclesThroughFewer) {
  struct Case {
    const char* markup;
    size_t expected;
  } cases[] = {
      {"", 0},
      {"a>b", 2},            // first, none, first, none, first
      {">>", 2},             // first, second, none, first, second
      {"a>b>c>", 2},         // 1, 2, 3, none, 1
      {"1>2>3>4>", 0},       // the fifth search finds nothing
      {"1>2>3>4>5>6>", 10},  // the fifth
      {"<a><b><c>", 3},      // three: 1, 2, 3, none, 1
  };
  for (const Case& c : cases) EXPECT_EQ(R::ClearPosition(c.markup), c.expected) << c.markup;
}

TEST(ClearedMarkup, KeepsTheFirstElementsThroughTheFifthAngle) {
  const std::string markup =
      "<DIV><SPAN class=sender>Alex:</SPAN> hi</DIV><DIV><SPAN class=sender>Sam:</SPAN> yo</DIV>";
  // Nothing of the next tag stays in front of the notice.
  EXPECT_EQ(R::ClearedMarkup(markup),
            "<DIV><SPAN class=sender>Alex:</SPAN> hi</DIV><DIV>"
            "<P>**Cleared**<P>");
  // Two: the searches run first, second, none, first, second.
  EXPECT_EQ(R::ClearedMarkup("<B>x</B>y"), "<B>x</B><P>**Cleared**<P>");
  EXPECT_EQ(R::ClearedMarkup(""), "<P>**Cleared**<P>");
}

TEST(ClearedMarkup, WithFewerThanFiveAnglesKeeps500CharactersOfWholeMarkup) {
  const std::string four = "<P>" + std::string(600, 'a') + "</P><B></B>";
  ASSERT_EQ(R::ClearPosition(four), 0u);
  EXPECT_EQ(R::ClearedMarkup(four), "<P>" + std::string(497, 'a') + "<P>**Cleared**<P>");
  // The 500th character inside a tag: the tag goes whole.
  const std::string tag_at_cut =
      "<I><I><I>" + std::string(486, 'a') + "<A href=x>" + std::string(300, 'b');
  ASSERT_EQ(R::ClearPosition(tag_at_cut), 0u);
  EXPECT_EQ(R::ClearedMarkup(tag_at_cut),
            "<I><I><I>" + std::string(486, 'a') + "<P>**Cleared**<P>");
  // Inside a character reference: the reference goes whole.
  const std::string reference_at_cut = std::string(497, 'a') + "&amp;" + std::string(300, 'b');
  EXPECT_EQ(R::ClearedMarkup(reference_at_cut), std::string(497, 'a') + "<P>**Cleared**<P>");
  // Characters, not bytes.
  std::string wide;
  for (int i = 0; i < 600; ++i) wide += "\xC3\xA9";
  EXPECT_EQ(R::ClearedMarkup(wide), wide.substr(0, 1000) + "<P>**Cleared**<P>");
}

TEST(FindNoCase, IgnoresLetterCaseAndStartsWhereAsked) {
  EXPECT_EQ(R::FindNoCase("ab[!QUILLON:x", "[!Quillon:"), 2u);
  EXPECT_EQ(R::FindNoCase("abcabc", "ABC", 1), 3u);
  EXPECT_EQ(R::FindNoCase("abc", "abc", 4), std::string_view::npos);
}

TEST(WithoutEmoticonSpans, GivesBackTheTypedText) {
  EXPECT_EQ(R::WithoutEmoticonSpans("0E" + Span("BD") + "FB" + Span("B)")), "0EBDFBB)");
  EXPECT_EQ(R::WithoutEmoticonSpans("<SPAN class=sender>x</SPAN>"), "<SPAN class=sender>x</SPAN>");
}

}  // namespace
}  // namespace quillon::chatview
