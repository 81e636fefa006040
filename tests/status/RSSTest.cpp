// Reading a feed's first item and formatting it.
#include <gtest/gtest.h>

#include "status/RSS.h"

namespace quillon::status {
namespace {

RSS ReadOk(std::string document) {
  std::string error;
  std::optional<RSS> record = RSS::Read(std::move(document), error);
  EXPECT_TRUE(record) << error;
  return record.value_or(RSS{});
}

TEST(RSSTest, FieldsComeFromTheFirstOccurrenceAfterTheFirstItem) {
  RSS record = ReadOk(
      "<rss><channel><title>Channel</title><item><title>One</title><link>http://a/1</link >"
      "<description>Line\r\nnext\nlast</description></item>"
      "<item><author>later@a</author><pubDate>Mon</pubDate></item></channel></rss>");
  EXPECT_EQ(record.Title, "One");
  // The first item has no author: a later item's is taken.
  EXPECT_EQ(record.Author, "later@a");
  EXPECT_EQ(record.Link, "http://a/1");
  EXPECT_EQ(record.Description, "Linenext\nlast");
  EXPECT_EQ(record.Pubdate, "Mon");
}

TEST(RSSTest, AFeedWithoutItemsReadsTheChannel) {
  RSS record = ReadOk("<rss>\n<title>Channel</title><title>Other</title></rss>");
  EXPECT_EQ(record.Title, "Channel");
  EXPECT_EQ(record.Author, "");
  // The first six characters are passed over, so a document that opens with the tag loses it.
  EXPECT_EQ(ReadOk("<title>Lost</title>").Title, "");
}

TEST(RSSTest, AnOpeningTagWithoutItsClosingTagIsUnreadable) {
  std::string error;
  EXPECT_FALSE(RSS::Read("<item><title>Never closed", error));
  EXPECT_NE(error.find("<title>"), std::string::npos);
}

TEST(RSSTest, FormatLines) {
  RSS record;
  record.Title = "Headline";
  record.Link = "http://x/";
  record.Author = "ed";
  EXPECT_EQ(record.Format({"title", "|: ", "!link"}), "Headline : http://x/");
  EXPECT_EQ(record.Format({"Title", "TITLE", "!TITLE", "unknown", "!", "|"}),
            "Headline Headline Headline");
  // One trailing blank is dropped, whichever line left it.
  EXPECT_EQ(record.Format({"author"}), "ed");
  EXPECT_EQ(record.Format({"!author", "|  "}), "ed ");
  int after = 0;
  record.Format({"title", "link"}, [&] { ++after; });
  EXPECT_EQ(after, 3);
}

}  // namespace
}  // namespace quillon::status
