// The gradient's colours, line by line.
#include <gtest/gtest.h>

#include "friends/Gradient.h"

namespace quillon::friends {
namespace {

using platform::Rgb;

TEST(GradientTest, BlackToWhiteOver255UnitsStepsOneLevelPerLine) {
  std::vector<platform::ColorRef> lines = Gradient::Lines(0, 16777215, 255);
  ASSERT_EQ(lines.size(), 256u);
  for (int i = 0; i <= 255; ++i) {
    auto level = static_cast<uint8_t>(i);
    ASSERT_EQ(lines[static_cast<size_t>(i)], Rgb(level, level, level)) << "line " << i;
  }
}

TEST(GradientTest, TheEndsAreExactlyTheTwoColoursAndEqualColoursAreFlat) {
  std::vector<platform::ColorRef> lines = Gradient::Lines(15250322, 16777215, 345);
  ASSERT_EQ(lines.size(), 346u);
  EXPECT_EQ(lines.front(), Rgb(146, 179, 232));
  EXPECT_EQ(lines.back(), Rgb(255, 255, 255));
  for (platform::ColorRef line : Gradient::Lines(Rgb(9, 8, 7), Rgb(9, 8, 7), 100)) {
    ASSERT_EQ(line, Rgb(9, 8, 7));
  }
}

TEST(GradientTest, HalfwayLevelsRoundToTheEvenNeighbour) {
  // Half a step from 0 to 1 is 0.5, which rounds down to 0; from 1 to 2 it is 1.5, rounding up.
  EXPECT_EQ(Gradient::Lines(Rgb(0, 1, 0), Rgb(1, 2, 1), 2)[1], Rgb(0, 2, 0));
  // Downwards too: 3 to 0 over 2 lines passes 1.5.
  EXPECT_EQ(Gradient::Lines(Rgb(3, 3, 3), Rgb(0, 0, 0), 2)[1], Rgb(2, 2, 2));
}

TEST(GradientTest, StoredValuesAreSplitByteByByteAndHighBitsIgnored) {
  long long value = 0x7F000000LL | 15250322;
  EXPECT_EQ(Gradient::Red(value), 146);
  EXPECT_EQ(Gradient::Green(value), 179);
  EXPECT_EQ(Gradient::Blue(value), 232);
  EXPECT_EQ(Gradient::Lines(static_cast<platform::ColorRef>(value), 0, 1).front(),
            Rgb(146, 179, 232));
}

TEST(GradientTest, ASurfaceWithoutDepthHasNoLines) {
  EXPECT_TRUE(Gradient::Lines(0, 16777215, 0).empty());
  EXPECT_TRUE(Gradient::Lines(0, 16777215, -5).empty());
}

}  // namespace
}  // namespace quillon::friends
