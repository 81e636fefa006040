// The one escaper behind every writer of markup, in each of its uses.
#include <gtest/gtest.h>

#include <string>

#include "text/HtmlEscape.h"

namespace quillon::text {
namespace {

TEST(HtmlEscape, EachUseEscapesWhatItMust) {
  struct Case {
    const char* name;
    std::string text;
    HtmlEscaping how;
    std::string escaped;
  };
  const Case cases[] = {
      {"raw text", "a&b <i>\"x\"</i> 'y' é", {}, "a&amp;b &lt;i&gt;&quot;x&quot;&lt;/i&gt; 'y' é"},
      {"raw text keeps line breaks", "1\r\n2\n3\r4", {}, "1\r\n2\n3\r4"},
      {"a reference is escaped again in raw text", "&amp;", {}, "&amp;amp;"},
      {"markup text keeps its references",
       "http://x/?a=1&amp;b=\"2\"<",
       {.keep_references = true},
       "http://x/?a=1&amp;b=&quot;2&quot;&lt;"},
      {"chat lines",
       "a<b\r\nc\rd\ne\n\r",
       {.line_breaks_as_br = true},
       "a&lt;b<BR>c<BR>d<BR>e<BR><BR>"},
      {"a lone carriage return at the end", "x\r", {.line_breaks_as_br = true}, "x<BR>"},
      {"empty", "", {}, ""},
  };
  for (const Case& c : cases) {
    const std::string escaped = EscapeHtml(c.text, c.how);
    EXPECT_EQ(escaped, c.escaped) << c.name;
    // Whatever the use, nothing that could end an attribute or open a tag gets through.
    EXPECT_EQ(escaped.find_first_of("<>\""),
              c.how.line_breaks_as_br ? escaped.find("<BR>") : std::string::npos)
        << c.name;
  }
}

}  // namespace
}  // namespace quillon::text
