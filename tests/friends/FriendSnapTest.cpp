// Where a dropped friend window ends up: on the screen, snapped to the other friend windows.
#include <gtest/gtest.h>

#include "friends/FriendSnap.h"

namespace quillon::platform {
// Found by argument-dependent lookup when a comparison fails.
inline void PrintTo(const Rect& r, std::ostream* out) {
  *out << "at " << r.left << "," << r.top << " to " << r.right << "," << r.bottom;
}
}  // namespace quillon::platform

namespace quillon::friends {
namespace {

using platform::Rect;

constexpr int kTwips = 15;
constexpr int kSnap = 12 * kTwips;
constexpr int kWidth = 2130;
constexpr int kHeight = 345;

Rect At(int left, int top) { return {left, top, left + kWidth, top + kHeight}; }

TEST(FriendSnapTest, ARightEdgeWithinTwelvePixelsOfAnotherLeftEdgeTouchesIt) {
  Rect other = At(7500, 6000);
  // 5 pixels short, far above the other window: only the horizontal line counts.
  EXPECT_EQ(FriendSnap::Snap(At(7500 - 5 * kTwips - kWidth, 0), {other}, kSnap, kSnap),
            At(7500 - kWidth, 0));
  EXPECT_EQ(FriendSnap::Snap(At(7500 - 12 * kTwips - kWidth, 0), {other}, kSnap, kSnap),
            At(7500 - kWidth, 0));
  Rect apart = At(7500 - 13 * kTwips - kWidth, 0);
  EXPECT_EQ(FriendSnap::Snap(apart, {other}, kSnap, kSnap), apart);
}

TEST(FriendSnapTest, LeftEdgesTopsAndBottomsSnapToTheMatchingLines) {
  Rect other = At(7500, 6000);
  // Left edge just right of the other's right edge.
  EXPECT_EQ(FriendSnap::Snap(At(7500 + kWidth + 75, 0), {other}, kSnap, kSnap),
            At(7500 + kWidth, 0));
  // Top 5 pixels below the other's bottom, far to the left.
  EXPECT_EQ(FriendSnap::Snap(At(0, 6000 + kHeight + 75), {other}, kSnap, kSnap),
            At(0, 6000 + kHeight));
  // Bottom just above the other's top.
  EXPECT_EQ(FriendSnap::Snap(At(0, 6000 - kHeight - 60), {other}, kSnap, kSnap),
            At(0, 6000 - kHeight));
  // Tops a few pixels apart line up.
  EXPECT_EQ(FriendSnap::Snap(At(0, 6090), {other}, kSnap, kSnap), At(0, 6000));
}

TEST(FriendSnapTest, EachOtherWindowSnapsFromWhereTheOnesBeforeLeftIt) {
  // The first pulls the window's right edge to 3000; the second then sees a left edge of 870,
  // within reach of its own left edge at 1000.
  std::vector<Rect> others = {At(3000, 9000), At(1000, 12000)};
  EXPECT_EQ(FriendSnap::Snap(At(800, 0), others, kSnap, kSnap), At(1000, 0));
}

TEST(FriendSnapTest, KeepOnScreenHoldsTheWindowInsideTopAndLeftFirst) {
  const int screen_w = 1024 * kTwips, screen_h = 768 * kTwips;
  EXPECT_EQ(FriendSnap::KeepOnScreen(At(-300, -15), screen_w, screen_h), At(0, 0));
  EXPECT_EQ(FriendSnap::KeepOnScreen(At(20000, 20000), screen_w, screen_h),
            At(screen_w - kWidth, screen_h - kHeight));
  EXPECT_EQ(FriendSnap::KeepOnScreen(At(300, 450), screen_w, screen_h), At(300, 450));
  // Wider than the screen: the right edge wins, last.
  Rect wide{0, 0, screen_w + 600, kHeight};
  EXPECT_EQ(FriendSnap::KeepOnScreen(wide, screen_w, screen_h).left, -600);
}

}  // namespace
}  // namespace quillon::friends
