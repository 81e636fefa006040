// The side panel's record of what ran: a statement keeps the place it took when it began, so one
// that waited for the person stands before the statements that ran during its wait.
#include <gtest/gtest.h>

#include "sandbox/Sandbox.h"
#include "web/Publication.h"
#include "web/WebPublisher.h"

namespace quillon::web {
namespace {

std::string LogOf(Publication& publication) {
  auto changes = publication.WaitForChanges("me", 0, std::chrono::milliseconds(0));
  if (!changes) return {};
  for (const auto& part : changes->changed) {
    if (part.id == "log") return part.html;
  }
  return {};
}

TEST(WebPublisherTest, AStatementThatWaitedKeepsItsPlaceAndShowsHowItEnded) {
  sandbox::Sandbox::Options options;
  options.data_folder = QUILLON_DATA_DIR;
  sandbox::Sandbox sandbox(options);
  Publication publication;
  WebPublisher publisher(sandbox, publication);
  publication.Watch("me", 1);

  publisher.Started("me", "click main-button");
  publisher.Started("me", "menu \"About\"");
  publisher.Publish();
  std::string log = LogOf(publication);
  // Both still run: neither says how it ended.
  EXPECT_EQ(log.find("data-ok"), std::string::npos) << log;

  publisher.Ran("me", "menu \"About\"", true, "");
  publisher.Ran("me", "click main-button", false, "expected: x\nactual: y");
  publisher.Ran("me", "type \"unread", false, "cannot read that");  // never started
  publisher.Publish();
  log = LogOf(publication);
  const size_t click = log.find("click main-button");
  const size_t menu = log.find("menu &quot;About&quot;");
  const size_t refused = log.find("type &quot;unread");
  ASSERT_NE(click, std::string::npos) << log;
  EXPECT_LT(click, menu) << log;
  EXPECT_LT(menu, refused) << log;
  EXPECT_NE(log.find("data-ok=\"no\"><code>click main-button"), std::string::npos) << log;
  EXPECT_NE(log.find("data-ok=\"yes\"><code>menu"), std::string::npos) << log;
  EXPECT_EQ(log.find("running"), std::string::npos) << log;
}

}  // namespace
}  // namespace quillon::web
