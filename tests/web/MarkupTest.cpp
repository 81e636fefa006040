// Text from the desktop (titles, chat lines, file names) reaches the page only as escaped markup
// or JSON, whatever bytes it holds.
#include <gtest/gtest.h>

#include "web/Markup.h"

namespace quillon::web {
namespace {

TEST(MarkupTest, EscapedTextCannotOpenATagOrLeaveAnAttribute) {
  struct Case {
    const char* text;
    const char* escaped;
  } cases[] = {
      {"<img src=x onerror=alert(1)>", "&lt;img src=x onerror=alert(1)&gt;"},
      {"\" onmouseover=\"x", "&quot; onmouseover=&quot;x"},
      {"' autofocus '", "&#39; autofocus &#39;"},
      {"a & b", "a &amp; b"},
      {"</iframe>", "&lt;/iframe&gt;"},
      {"plain Ünïcode", "plain Ünïcode"},
  };
  for (const Case& c : cases) EXPECT_EQ(Markup::Escape(c.text), c.escaped) << c.text;
}

// Captions mark their access key with "&"; what the page draws must never let a caption's own
// markup through, whatever follows the "&".
TEST(MarkupTest, CaptionsUnderlineTheAccessKeyAndStayEscaped) {
  struct Case {
    const char* caption;
    const char* drawn;
  } cases[] = {
      {"&OK", "<u>O</u>K"},
      {"Turn &ON", "Turn <u>O</u>N"},
      {"Save && Close", "Save &amp; Close"},
      {"&<b>", "<u>&lt;</u>b&gt;"},
      {"&Über", "<u>Ü</u>ber"},
      {"ends with &", "ends with &amp;"},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(Markup::Caption(c.caption), c.drawn) << c.caption;
}

TEST(MarkupTest, JsonStringsEscapeQuotesControlsAndWhatCouldEndAScriptAndMendBadBytes) {
  struct Case {
    std::string text;
    std::string json;
  } cases[] = {
      {"say \"hi\"\\", R"("say \"hi\"\\")"},
      {"line\nbreak\ttab", R"("line\nbreak\u0009tab")"},
      {"</script><b>&", R"("\u003c/script\u003e\u003cb\u003e\u0026")"},
      {"caf\xC3\xA9", "\"caf\xC3\xA9\""},
      // A lone continuation byte, a cut sequence and an overlong form each become U+FFFD.
      {"a\x80z", R"("a\ufffdz")"},
      {"a\xE2\x82", R"("a\ufffd\ufffd")"},
      {"\xC0\xAF", R"("\ufffd\ufffd")"},
  };
  for (const Case& c : cases) EXPECT_EQ(Markup::Json(c.text), c.json) << c.text;
}

TEST(MarkupTest, PathsInAddressesCannotEndTheirQuotesOrUrl) {
  EXPECT_EQ(Markup::UrlPath("Quillon/Images/smileys/!).gif"), "Quillon/Images/smileys/%21%29.gif");
  EXPECT_EQ(Markup::UrlPath("a b'\"<x>(y)"), "a%20b%27%22%3Cx%3E%28y%29");
  EXPECT_EQ(Markup::UrlPath("caf\xC3\xA9/x-1_2~.png"), "caf%C3%A9/x-1_2~.png");
}

TEST(MarkupTest, WindowsColoursBecomeCssColours) {
  EXPECT_EQ(Markup::Color(0x000000FF), "#ff0000");  // 0x00BBGGRR
  EXPECT_EQ(Markup::Color(0x00FF8000), "#0080ff");
}

}  // namespace
}  // namespace quillon::web
