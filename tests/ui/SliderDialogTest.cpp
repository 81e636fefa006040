// The slider windows (zoom, transparency) beside the stand-in client: they open at the stored
// values without applying them, a moved slider is stored and applied at once, and the window is
// kept above the others only while it is open.
#include <gtest/gtest.h>

#include "support/QuillonFixture.h"
#include "ui/frmTransparency.h"
#include "ui/frmZoom.h"

namespace quillon::ui {
namespace {

class SliderDialogTest : public testing::QuillonFixture {
 protected:
  std::string Setting(std::string_view name) { return program_->Config().ReadSetting(name, ""); }
  int InputZoom() { return p_.desktop_.RichEditOf(chat_->Input())->ZoomPercent(); }
};

TEST_F(SliderDialogTest, ZoomOpensAtTheStoredValueAndAppliesOnlyWhatMoves) {
  // A damaged value opens at the default, and opening applies nothing.
  program_->Config().WriteSetting("Zoom", "lots");
  frmZoom& zoom = program_->ZoomWindow();
  zoom.Load();
  EXPECT_EQ(zoom.Slider1.Value(), 100);
  EXPECT_EQ(InputZoom(), 100);
  EXPECT_TRUE(p_.desktop_.IsTopMost(zoom.hWnd()));

  zoom.Slider1.SetValue(150);
  EXPECT_EQ(Setting("Zoom"), "150");
  EXPECT_EQ(InputZoom(), 150);

  // "(Set To Default)" goes back to 100 and applies it.
  zoom.Label1.on_click();
  EXPECT_EQ(zoom.Slider1.Value(), 100);
  EXPECT_EQ(Setting("Zoom"), "100");
  EXPECT_EQ(InputZoom(), 100);

  zoom.Slider1.SetValue(80);
  const platform::Hwnd window = zoom.hWnd();
  zoom.Unload();
  EXPECT_FALSE(p_.desktop_.IsTopMost(window));
  EXPECT_EQ(Setting("Zoom"), "80");
}

TEST_F(SliderDialogTest, EachTransparencySliderGoesToItsOwnWindowAndSetting) {
  program_->Config().WriteSetting("TransparentMain", "256");
  program_->Config().WriteSetting("TransparentChat", "200");
  const platform::Hwnd chat_window = program_->Chat().ChatWnd;
  const platform::Hwnd main_window = program_->Chat().MainWnd;
  ASSERT_NE(chat_window, 0u);
  ASSERT_NE(main_window, 0u);
  const std::optional<uint8_t> chat_before = p_.desktop_.GetLayeredAlpha(chat_window);

  frmTransparency& transparency = program_->TransparencyWindow();
  transparency.Load();
  EXPECT_EQ(transparency.Slider1.Value(), 256);
  EXPECT_EQ(transparency.Slider2.Value(), 200);
  EXPECT_EQ(p_.desktop_.GetLayeredAlpha(chat_window), chat_before);

  transparency.Slider2.SetValue(150);
  EXPECT_EQ(Setting("TransparentChat"), "150");
  EXPECT_EQ(Setting("TransparentMain"), "256");
  EXPECT_EQ(p_.desktop_.GetLayeredAlpha(chat_window), 150);
  EXPECT_EQ(p_.desktop_.GetExStyle(main_window) & platform::kWsExLayered, 0u);

  transparency.Slider1.SetValue(90);
  EXPECT_EQ(Setting("TransparentMain"), "90");
  EXPECT_EQ(p_.desktop_.GetLayeredAlpha(main_window), 90);
  transparency.Unload();
  EXPECT_EQ(Setting("TransparentMain"), "90");
  EXPECT_EQ(Setting("TransparentChat"), "150");
}

}  // namespace
}  // namespace quillon::ui
