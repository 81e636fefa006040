// The page's model of a desktop, built from a scenario's end state: what stands where, in which
// order, under which names, and that nothing the desktop holds can break out of its markup.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>

#include "sandbox/Sandbox.h"
#include "web/DesktopModel.h"

namespace quillon::web {
namespace {

class DesktopModelTest : public testing::Test {
 protected:
  // Plays `scenario` (it must pass) and builds the model of user `user`'s desktop.
  Publication::Desktop Play(const std::string& scenario, const std::string& user = "me") {
    // One file per test: ctest runs the tests side by side.
    const std::string file = testing::TempDir() + "/desktop_model_" +
                             testing::UnitTest::GetInstance()->current_test_info()->name() + ".scn";
    std::ofstream(file) << scenario;
    sandbox::Sandbox::Options options;
    options.data_folder = QUILLON_DATA_DIR;
    sandbox_ = std::make_unique<sandbox::Sandbox>(options);
    testing::internal::CaptureStderr();
    int status = sandbox_->RunFile(file);
    std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_EQ(status, 0) << errors;
    for (sandbox::UserWorld* world : sandbox_->Users()) {
      if (world->Name() == user) return DesktopModel::Build(*world, user);
    }
    ADD_FAILURE() << "no user " << user;
    return {};
  }
  // The part whose markup holds `needle`; fails when none does.
  static const Publication::Part& PartWith(const Publication::Desktop& desktop,
                                           const std::string& needle) {
    for (const auto& part : desktop.parts) {
      if (part.html.find(needle) != std::string::npos) return part;
    }
    static const Publication::Part kNone;
    ADD_FAILURE() << "no part holds " << needle;
    return kNone;
  }
  static int ZIndex(const Publication::Part& part) {
    std::smatch match;
    if (!std::regex_search(part.html, match, std::regex("z-index:(\\d+)"))) return -1;
    return std::stoi(match[1]);
  }
  static bool Has(const Publication::Desktop& desktop, const std::string& needle) {
    for (const auto& part : desktop.parts) {
      if (part.html.find(needle) != std::string::npos) return true;
    }
    return false;
  }

  std::unique_ptr<sandbox::Sandbox> sandbox_;
};

TEST_F(DesktopModelTest, TopMostWindowsStandAboveOthersHiddenOnesAreAbsentAndAlphaIsOpacity) {
  Publication::Desktop desktop = Play(
      "gtalk contacts \"Alex\" \"Sam\"\ngtalk start\nquillon start\nclose frmOptions\n"
      "activate chat \"Alex\"\nclick chat-button\n"
      "menu \"Chat Features/Change Tranparency Level\"\nset frmTransparency.Slider2 200\n"
      "activate chat \"Alex\"\n");
  const auto& transparency = PartWith(desktop, "data-form=\"frmTransparency\"");
  const auto& chat = PartWith(desktop, "data-class=\"Chat View\" data-title=\"Alex\"");
  const auto& main = PartWith(desktop, "data-title=\"Google Talk\"");
  // The chat was activated last, yet the top-most window stands above it.
  EXPECT_GT(ZIndex(chat), ZIndex(main));
  EXPECT_GT(ZIndex(transparency), ZIndex(chat));
  EXPECT_GE(ZIndex(transparency), 10000);
  EXPECT_NE(chat.html.find("opacity:0.784"), std::string::npos) << chat.html;
  EXPECT_EQ(main.html.find("opacity"), std::string::npos);
  // The chat's frame window is never shown, nor the hidden main form of Quillon.
  EXPECT_FALSE(Has(desktop, "data-class=\"ATL:00572B88\""));
  EXPECT_FALSE(Has(desktop, "data-form=\"frmMain\""));
  // Parts come bottom first, the tray and the side panel's parts after the windows.
  EXPECT_EQ(desktop.parts.back().id, "tray");
}

TEST_F(DesktopModelTest, WhatTheDesktopHoldsIsEscapedWhereverItStands) {
  Publication::Desktop desktop = Play(
      "gtalk contacts \"Alex\"\ngtalk start\n"
      "window \"Other\" \"<img src=x onerror=alert(1)> \\\"q\\\"\"\n"
      "activate chat \"Alex\"\ntype \"</div><script>x()</script>\"\n");
  for (const auto& part : desktop.parts) {
    EXPECT_EQ(part.html.find("<img src=x"), std::string::npos) << part.html;
    EXPECT_EQ(part.html.find("<script"), std::string::npos) << part.html;
  }
  EXPECT_TRUE(Has(desktop, "data-title=\"&lt;img src=x onerror=alert(1)&gt; &quot;q&quot;\""));
  EXPECT_TRUE(Has(desktop, "data-text=\"&lt;/div&gt;&lt;script&gt;x()&lt;/script&gt;\""));
}

TEST_F(DesktopModelTest, ControlsAndTypingAreasCarryTheNamesAndStateTheStatementsUse) {
  Publication::Desktop desktop = Play(
      "gtalk contacts \"Alex\"\ngtalk start\n"
      "registry set HKCU \"Software\\Quillon\\Friends\" Alex \"1\"\n"
      "quillon start\nclose frmOptions\nactivate chat \"Alex\"\ntype \"/a\"\n");
  // Quillon's button in the chat's toolbar is its picture box, a member of a control array.
  const auto& chat = PartWith(desktop, "data-class=\"Chat View\" data-title=\"Alex\"");
  std::smatch button;
  ASSERT_TRUE(
      std::regex_search(chat.html, button, std::regex("<div class=\"ctl PictureBox\"[^>]*>")));
  EXPECT_NE(button.str().find("data-control=\"frmMain.picIcon(1)\""), std::string::npos)
      << button.str();
  EXPECT_NE(button.str().find("data-role=\"chat-button\""), std::string::npos) << button.str();
  EXPECT_TRUE(Has(desktop, "data-control=\"frmMain.picIconX(1)\" data-kind=\"PictureBox\""));
  EXPECT_TRUE(Has(desktop, "data-role=\"main-button\""));
  // The typing area: the completed command, its selection, focusable.
  std::smatch input;
  ASSERT_TRUE(
      std::regex_search(chat.html, input, std::regex("<div[^>]*data-role=\"chat-input\"[^>]*>")));
  EXPECT_NE(input.str().find("data-text=\"/about\""), std::string::npos) << input.str();
  EXPECT_NE(input.str().find("data-selection=\"2 6\""), std::string::npos) << input.str();
  EXPECT_NE(input.str().find("tabindex=\"0\""), std::string::npos) << input.str();
  // A keyed form's controls are named by its key, as the statements name them.
  const auto& friend_window = PartWith(desktop, "data-friend=\"Alex\"");
  EXPECT_NE(friend_window.html.find("data-control=\"frmFriend(&quot;Alex&quot;).Label1\""),
            std::string::npos)
      << friend_window.html;
}

// A shape the program fills shows its colour: the Active Status light is green once it is on.
TEST_F(DesktopModelTest, AFilledShapeShowsItsColour) {
  Publication::Desktop desktop = Play(
      "gtalk start\nquillon start\nclose frmOptions\nclick main-button\nmenu \"Active Status\"\n"
      "click frmReader.Command1\n");
  std::smatch light;
  ASSERT_TRUE(std::regex_search(PartWith(desktop, "data-control=\"frmReader.Shape1\"").html, light,
                                std::regex("data-control=\"frmReader.Shape1\"[^>]*>")));
  EXPECT_NE(light.str().find("background:#1eff1e"), std::string::npos) << light.str();
}

TEST_F(DesktopModelTest, TheConversationsPicturesAreAskedOfThePagesOwnRoute) {
  Publication::Desktop desktop = Play(
      "gtalk contacts \"Alex\"\ngtalk start\n"
      "registry set HKCU \"Software\\Quillon\\General\" Smileys \"1\"\n"
      "quillon start\nclose frmOptions\nactivate chat \"Alex\"\n"
      "receive \"Alex\" \"hello :)\"\nwait 100ms\n");
  ASSERT_EQ(desktop.documents.size(), 1u);
  const std::string& document = desktop.documents.begin()->second;
  EXPECT_NE(document.find("<img src=\"/user/me/files/Quillon/Images/smileys/!).gif\">"),
            std::string::npos)
      << document;
  // No path of the machine is left in what the frame loads.
  EXPECT_EQ(document.find(desktop.home), std::string::npos) << document;
  // The frame that shows it is sandboxed and loads it from the history route.
  const auto& chat = PartWith(desktop, "data-role=\"history\"");
  EXPECT_NE(chat.html.find("sandbox=\"\""), std::string::npos);
  EXPECT_NE(chat.html.find("src=\"/user/me/history/" + desktop.documents.begin()->first + "?v="),
            std::string::npos);
}

TEST(FrameDocumentTest, OnlyTheUsersFolderBecomesTheRoute) {
  EXPECT_EQ(DesktopModel::FrameDocument("<img src=\"/h/u/Q/a.gif\"> /h/u/x /h/ux", "/h/u", "me"),
            "<img src=\"/user/me/files/Q/a.gif\"> /user/me/files/x /h/ux");
  EXPECT_EQ(DesktopModel::FrameDocument("plain", "", "me"), "plain");
}

}  // namespace
}  // namespace quillon::web
