// Texts the program builds from its own facts: version names, the about box, the Windows version.
#include <gtest/gtest.h>

#include "app/MainMenus.h"
#include "app/frmAbout.h"

namespace quillon::app {
namespace {

TEST(VersionTextTest, RevisionsBelowTenGetALeadingZero) {
  EXPECT_EQ(frmAbout::VersionText(1, 0, 151), "v1.0.151\r\nOfficial Release");
  EXPECT_EQ(frmAbout::VersionText(1, 2, 5), "v1.2.05\r\nOfficial Release");
  EXPECT_EQ(frmAbout::VersionText(1, 2, 10), "v1.2.10\r\nOfficial Release");
}

TEST(WindowsVersionNameTest, NamesFollowMajorMinorAndPlatform) {
  EXPECT_EQ(MainMenus::WindowsVersionName(3, 51, 2), "Windows NT 3.x");
  EXPECT_EQ(MainMenus::WindowsVersionName(3, 10, 1), "Windows 3.x");
  EXPECT_EQ(MainMenus::WindowsVersionName(4, 0, 2), "Windows NT 4.0");
  EXPECT_EQ(MainMenus::WindowsVersionName(4, 0, 1), "Windows 95");
  EXPECT_EQ(MainMenus::WindowsVersionName(4, 10, 1), "Windows 98");  // Second Edition
  EXPECT_EQ(MainMenus::WindowsVersionName(4, 90, 1), "Windows 98");  // Me
  EXPECT_EQ(MainMenus::WindowsVersionName(5, 0, 2), "Windows 2000");
  EXPECT_EQ(MainMenus::WindowsVersionName(5, 1, 2), "Windows XP");
  EXPECT_EQ(MainMenus::WindowsVersionName(5, 2, 2), "Unknown Windows Version");
  EXPECT_EQ(MainMenus::WindowsVersionName(10, 0, 2), "Unknown Windows Version");
}

}  // namespace
}  // namespace quillon::app
