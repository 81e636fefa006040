// The hand-over from the loop to the pages: versions grow only with a change, a page gets only
// what changed since its version, and a waiting page is woken rather than polling.
#include <gtest/gtest.h>

#include <thread>

#include "web/Publication.h"

namespace quillon::web {
namespace {

using std::chrono::milliseconds;

Publication::Desktop Parts(std::vector<std::pair<std::string, std::string>> parts) {
  Publication::Desktop desktop;
  for (auto& [id, html] : parts) desktop.parts.push_back({id, html});
  return desktop;
}

std::vector<std::string> Ids(const std::vector<Publication::Part>& parts) {
  std::vector<std::string> ids;
  for (const auto& part : parts) ids.push_back(part.id);
  return ids;
}

TEST(PublicationTest, TheVersionGrowsOnlyWhenSomethingChanged) {
  Publication publication;
  uint64_t first = publication.Update("me", Parts({{"w1", "a"}, {"tray", "t"}}));
  EXPECT_GT(first, 0u);
  EXPECT_EQ(publication.Update("me", Parts({{"w1", "a"}, {"tray", "t"}})), first);
  uint64_t changed = publication.Update("me", Parts({{"w1", "b"}, {"tray", "t"}}));
  EXPECT_GT(changed, first);
  // A new z-order alone, and a part going, are changes too.
  uint64_t reordered = publication.Update("me", Parts({{"tray", "t"}, {"w1", "b"}}));
  EXPECT_GT(reordered, changed);
  uint64_t removed = publication.Update("me", Parts({{"tray", "t"}}));
  EXPECT_GT(removed, reordered);
  // Versions grow across users, so no user's version ever repeats another's.
  EXPECT_GT(publication.Update("sam", Parts({{"w9", "x"}})), removed);
}

TEST(PublicationTest, APageGetsThePartsChangedSinceItsVersionAndTheWholeOrder) {
  Publication publication;
  uint64_t first = publication.Update("me", Parts({{"w1", "a"}, {"w2", "b"}, {"log", ""}}));
  publication.Update("me", Parts({{"w1", "a"}, {"w2", "B"}, {"w3", "c"}, {"log", ""}}));
  auto since_first = publication.WaitForChanges("me", first, milliseconds(0));
  ASSERT_TRUE(since_first);
  EXPECT_EQ(Ids(since_first->changed), (std::vector<std::string>{"w2", "w3"}));
  EXPECT_EQ(since_first->order, (std::vector<std::string>{"w1", "w2", "w3", "log"}));
  auto everything = publication.WaitForChanges("me", 0, milliseconds(0));
  ASSERT_TRUE(everything);
  EXPECT_EQ(Ids(everything->changed).size(), 4u);
  // Up to date: nothing to send.
  EXPECT_FALSE(publication.WaitForChanges("me", since_first->version, milliseconds(0)));
  EXPECT_FALSE(publication.WaitForChanges("nobody", 0, milliseconds(0)));
}

TEST(PublicationTest, AWaitingPageIsWokenByAChangeAndLetGoAtTheEnd) {
  Publication publication;
  uint64_t version = publication.Update("me", Parts({{"w1", "a"}}));
  std::thread loop([&] {
    std::this_thread::sleep_for(milliseconds(20));
    publication.Update("me", Parts({{"w1", "b"}}));
  });
  auto changes = publication.WaitForChanges("me", version, milliseconds(10000));
  loop.join();
  ASSERT_TRUE(changes);
  EXPECT_EQ(changes->changed.at(0).html, "b");

  std::thread end([&] {
    std::this_thread::sleep_for(milliseconds(20));
    publication.Close();
  });
  auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(publication.WaitForChanges("me", changes->version, milliseconds(10000)));
  end.join();
  EXPECT_LT(std::chrono::steady_clock::now() - start, milliseconds(5000));
}

TEST(PublicationTest, AUsersDesktopIsWatchedWhileAPageListens) {
  Publication publication;
  EXPECT_FALSE(publication.Watched("me"));
  EXPECT_TRUE(publication.Watch("me", 1));   // the first page
  EXPECT_FALSE(publication.Watch("me", 1));  // a second tab
  EXPECT_FALSE(publication.Watched("sam"));
  publication.Watch("me", -1);
  EXPECT_TRUE(publication.Watched("me"));
  publication.Watch("me", -1);
  EXPECT_FALSE(publication.Watched("me"));
  EXPECT_TRUE(publication.Watch("me", 1));  // first again
}

TEST(PublicationTest, ChatDocumentsAndHomesAreKeptPerUser) {
  Publication publication;
  Publication::Desktop desktop = Parts({{"w1", "a"}});
  desktop.documents["42"] = "<b>hi</b>";
  desktop.home = "/tmp/home";
  publication.Update("me", desktop);
  EXPECT_EQ(publication.Document("me", "42"), "<b>hi</b>");
  EXPECT_FALSE(publication.Document("me", "43"));
  EXPECT_FALSE(publication.Document("sam", "42"));
  EXPECT_EQ(publication.Home("me"), "/tmp/home");
}

}  // namespace
}  // namespace quillon::web
