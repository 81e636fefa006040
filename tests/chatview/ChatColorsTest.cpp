// Colours as the settings hold them.
#include <gtest/gtest.h>

#include "chatview/ChatColors.h"
#include "sim/SimDesktop.h"
#include "sim/VirtualClock.h"

namespace quillon::chatview {
namespace {

TEST(ChatColors, ColorToHexWritesRedGreenBlueAndHexToColorReadsItBack) {
  sim::VirtualClock clock;
  sim::SimDesktop desktop(clock);
  EXPECT_EQ(ChatColors::ColorToHex(platform::Rgb(1, 2, 3), desktop), "010203");
  EXPECT_EQ(ChatColors::ColorToHex(platform::Rgb(255, 0, 0), desktop), "FF0000");
  // A system colour by its index (COLOR_HIGHLIGHT).
  EXPECT_EQ(ChatColors::ColorToHex(static_cast<int32_t>(0x8000000D), desktop), "0078D7");
  EXPECT_EQ(ChatColors::HexToColor("FF0000"), platform::Rgb(255, 0, 0));
  EXPECT_EQ(ChatColors::HexToColor("010203"), platform::Rgb(1, 2, 3));
  EXPECT_EQ(ChatColors::HexToColor("red"), std::nullopt);
  EXPECT_EQ(ChatColors::HexToColor("-10203"), std::nullopt);
}

}  // namespace
}  // namespace quillon::chatview
