// The transparency levels at the ends of their range: 11 to 255 is an alpha level, 256 takes the
// effect away, and 10, 257 and the levels beyond leave the window as it was.
#include <gtest/gtest.h>

#include "support/QuillonFixture.h"
#include "ui/Transparency.h"

namespace quillon::ui {
namespace {

class TransparencyLevelsTest : public testing::QuillonFixture {};

TEST_F(TransparencyLevelsTest, OnlyElevenTo256ChangeTheWindow) {
  struct Case {
    int level;
    bool layered;                  // afterwards
    std::optional<uint8_t> alpha;  // afterwards, while layered
  } cases[] = {
      {10, true, 100},  {11, true, 11},    {12, true, 12},           {254, true, 254},
      {255, true, 255}, {256, false, {}},  {257, true, 100},         {0, true, 100},
      {-1, true, 100},  {-256, true, 100}, {65536 + 200, true, 100},
  };
  auto& windows = p_.desktop_;
  const platform::Hwnd window = client_.MainWindow();
  Transparency transparency(program_->Rt(), program_->Reporter());
  for (const Case& c : cases) {
    // Every case starts from a window at level 100.
    transparency.Transparent(window, 100);
    ASSERT_EQ(windows.GetLayeredAlpha(window), 100);
    transparency.Transparent(window, c.level);
    EXPECT_EQ((windows.GetExStyle(window) & platform::kWsExLayered) != 0, c.layered) << c.level;
    if (c.layered) {
      EXPECT_EQ(windows.GetLayeredAlpha(window), c.alpha) << c.level;
    }
  }
}

}  // namespace
}  // namespace quillon::ui
