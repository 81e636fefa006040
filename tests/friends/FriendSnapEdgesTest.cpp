// Each of the twelve snapping rules at its edge: an edge exactly the snap distance away from the
// other window's line snaps to it, one twip further stays where it was dropped.
#include <gtest/gtest.h>

#include "friends/FriendSnap.h"

namespace quillon::friends {
namespace {

using platform::Rect;

constexpr int kTwips = 15;
constexpr int kSnap = 12 * kTwips;  // 12 pixels
// Tall enough that a top or bottom near one line of the other window is far from its other line.
constexpr int kWidth = 2130;
constexpr int kHeight = 1500;
// The other window; the dropped one is far from it on the axis a case does not look at.
constexpr Rect kOther{7500, 6000, 7500 + kWidth, 6000 + kHeight};

Rect At(int left, int top) { return {left, top, left + kWidth, top + kHeight}; }

struct Edge {
  const char* rule;
  // Where the window is dropped, `d` twips from the line of the other window.
  Rect (*dropped)(int d);
  Rect snapped;
};

const Edge kEdges[] = {
    // Horizontal: the window lies far above the other one.
    {"1 right edge left of the other's left edge",
     [](int d) { return At(kOther.left - d - kWidth, 0); }, At(kOther.left - kWidth, 0)},
    {"2 left edge right of the other's right edge", [](int d) { return At(kOther.right + d, 0); },
     At(kOther.right, 0)},
    {"3 right edge over the other's left edge",
     [](int d) { return At(kOther.left + d - kWidth, 0); }, At(kOther.left - kWidth, 0)},
    {"4 left edge over the other's right edge", [](int d) { return At(kOther.right - d, 0); },
     At(kOther.right, 0)},
    {"5 left edge right of the other's left edge", [](int d) { return At(kOther.left + d, 0); },
     At(kOther.left, 0)},
    {"6 left edge left of the other's left edge", [](int d) { return At(kOther.left - d, 0); },
     At(kOther.left, 0)},
    // Vertical: the window lies far to the left of the other one.
    {"7 top below the other's bottom", [](int d) { return At(0, kOther.bottom + d); },
     At(0, kOther.bottom)},
    {"8 bottom above the other's top", [](int d) { return At(0, kOther.top - d - kHeight); },
     At(0, kOther.top - kHeight)},
    {"9 top over the other's bottom", [](int d) { return At(0, kOther.bottom - d); },
     At(0, kOther.bottom)},
    {"10 bottom over the other's top", [](int d) { return At(0, kOther.top + d - kHeight); },
     At(0, kOther.top - kHeight)},
    {"11 top below the other's top", [](int d) { return At(0, kOther.top + d); },
     At(0, kOther.top)},
    {"12 top above the other's top", [](int d) { return At(0, kOther.top - d); },
     At(0, kOther.top)},
};

// A failing case names its rule.
void PrintTo(const Edge& edge, std::ostream* out) { *out << "rule " << edge.rule; }

class FriendSnapEdgesTest : public ::testing::TestWithParam<Edge> {};

TEST_P(FriendSnapEdgesTest, SnapsAtTheDistanceAndNotOneTwipFurther) {
  const Edge& edge = GetParam();
  const Rect at_distance = FriendSnap::Snap(edge.dropped(kSnap), {kOther}, kSnap, kSnap);
  EXPECT_EQ(at_distance.left, edge.snapped.left) << "rule " << edge.rule;
  EXPECT_EQ(at_distance.top, edge.snapped.top) << "rule " << edge.rule;
  const Rect beyond = edge.dropped(kSnap + 1);
  const Rect stays = FriendSnap::Snap(beyond, {kOther}, kSnap, kSnap);
  EXPECT_EQ(stays.left, beyond.left) << "rule " << edge.rule;
  EXPECT_EQ(stays.top, beyond.top) << "rule " << edge.rule;
  // The size never changes, whichever rule moved the window.
  EXPECT_EQ(at_distance.Width(), kWidth);
  EXPECT_EQ(at_distance.Height(), kHeight);
}

INSTANTIATE_TEST_SUITE_P(EveryRule, FriendSnapEdgesTest, ::testing::ValuesIn(kEdges));

// The horizontal and vertical distances are each their own: a window as far as the vertical
// distance away horizontally does not snap when only that one is large enough.
TEST(FriendSnapAxesTest, EachAxisUsesItsOwnDistance) {
  const Rect dropped = At(kOther.left - 200 - kWidth, 0);
  EXPECT_EQ(FriendSnap::Snap(dropped, {kOther}, kSnap, 200).left, dropped.left);
  EXPECT_EQ(FriendSnap::Snap(dropped, {kOther}, 200, kSnap).left, kOther.left - kWidth);
  const Rect below = At(0, kOther.bottom + 200);
  EXPECT_EQ(FriendSnap::Snap(below, {kOther}, 200, kSnap).top, below.top);
  EXPECT_EQ(FriendSnap::Snap(below, {kOther}, kSnap, 200).top, kOther.bottom);
}

// Keeping on the screen stops at the edges themselves: a window that ends exactly at the screen's
// edge stays, one twip over is moved back.
TEST(FriendSnapAxesTest, TheScreenEdgesAreInside) {
  const int w = 1024 * kTwips, h = 768 * kTwips;
  const Rect fits = At(w - kWidth, h - kHeight);
  EXPECT_EQ(FriendSnap::KeepOnScreen(fits, w, h).left, fits.left);
  EXPECT_EQ(FriendSnap::KeepOnScreen(fits, w, h).top, fits.top);
  const Rect over = At(w - kWidth + 1, h - kHeight + 1);
  EXPECT_EQ(FriendSnap::KeepOnScreen(over, w, h).left, w - kWidth);
  EXPECT_EQ(FriendSnap::KeepOnScreen(over, w, h).top, h - kHeight);
  EXPECT_EQ(FriendSnap::KeepOnScreen(At(0, 0), w, h).left, 0);
  EXPECT_EQ(FriendSnap::KeepOnScreen(At(-1, -1), w, h).top, 0);
  EXPECT_EQ(FriendSnap::KeepOnScreen(At(-1, -1), w, h).left, 0);
}

}  // namespace
}  // namespace quillon::friends
