// The storage rules of desktop friends: names taken from chat titles and from the start-up
// search, numbers and flags read from the settings, adding, renaming and opening friends.
#include <gtest/gtest.h>

#include "app/Settings.h"
#include "friends/FriendRecords.h"
#include "friends/FriendSettings.h"
#include "friends/frmFriend.h"
#include "support/QuillonFixture.h"

namespace quillon::friends {
namespace {

TEST(FriendNameTest, ChatTitlesLoseTheirTypingNotesBlanksAndMailDomain) {
  EXPECT_EQ(FriendRecords::NameFromChatTitle("Alex is typing..."), "Alex");
  EXPECT_EQ(FriendRecords::NameFromChatTitle("Alex has entered text"), "Alex");
  EXPECT_EQ(FriendRecords::NameFromChatTitle("Alex IS TYPING"), "Alex");
  EXPECT_EQ(FriendRecords::NameFromChatTitle("Alex   "), "Alex");
  EXPECT_EQ(FriendRecords::NameFromChatTitle("robin@GMail.com is typing"), "robin");
  EXPECT_EQ(FriendRecords::NameFromChatTitle("robin@example.org"), "robin@example.org");
  EXPECT_EQ(FriendRecords::NameFromChatTitle(""), "");
}

TEST(FriendNameTest, OnlyValueDataMatchesOfTheSearchedKeyNameAFriendWithItsWholeName) {
  const char* key = "Software\\Quillon\\Friends";
  EXPECT_EQ(FriendRecords::NameFromFound(key, "Software\\Quillon\\Friends\\Alex", 2), "Alex");
  // Slashes belong to the name; the path's letter case may differ.
  EXPECT_EQ(FriendRecords::NameFromFound(key, "software\\quillon\\friends\\AC/DC", 2), "AC/DC");
  EXPECT_EQ(FriendRecords::NameFromFound(key, "Software\\Quillon\\Friends\\Team1", 0),
            std::nullopt);
  EXPECT_EQ(FriendRecords::NameFromFound(key, "Software\\Quillon\\Friends\\Alex", 1), std::nullopt);
  EXPECT_EQ(FriendRecords::NameFromFound(key, "Software\\Quillon\\Friendship\\Alex", 2),
            std::nullopt);
  EXPECT_EQ(FriendRecords::NameFromFound(key, "Software\\Quillon\\Friends\\", 2), std::nullopt);
}

TEST(FriendSettingsTest, NumbersAndFlagsAreReadLeniently) {
  EXPECT_EQ(FriendSettings::ParseNumber(" 2130.9 "), 2130.9);
  EXPECT_EQ(FriendSettings::ParseNumber("-300"), -300);
  EXPECT_EQ(FriendSettings::ParseNumber("1e3"), 1000);
  EXPECT_EQ(FriendSettings::ParseNumber(""), std::nullopt);
  EXPECT_EQ(FriendSettings::ParseNumber("0x10"), std::nullopt);
  EXPECT_EQ(FriendSettings::ParseNumber("inf"), std::nullopt);
  EXPECT_EQ(FriendSettings::ParseNumber("12abc"), std::nullopt);
  EXPECT_EQ(FriendSettings::ParseFlag("True"), true);
  EXPECT_EQ(FriendSettings::ParseFlag("FALSE"), false);
  EXPECT_EQ(FriendSettings::ParseFlag("0"), false);
  EXPECT_EQ(FriendSettings::ParseFlag("-1"), true);
  EXPECT_EQ(FriendSettings::ParseFlag("maybe"), std::nullopt);
}

class FriendRecordsTest : public testing::QuillonFixture {
 protected:
  FriendRecords& Records() { return program_->MainForm()->Friends(); }
  app::Settings& Config() { return program_->Config(); }
  std::optional<platform::RegistryValue> Stored(const std::string& section,
                                                const std::string& name) {
    return p_.registry_->GetValue(platform::RegistryRoot::kCurrentUser,
                                  "Software\\Quillon\\" + section, name);
  }
  std::string LastDialog() {
    std::string text;
    while (auto shown = p_.dialogs_.TakeUnchecked()) text = shown->text;
    return text;
  }
  bool Reported(std::string_view area) {
    for (const auto& start : p_.shell_.Started()) {
      for (const auto& argument : start.arguments) {
        if (argument.find(area) != std::string::npos) return true;
      }
    }
    return false;
  }
};

TEST_F(FriendRecordsTest, AddingTheSameContactTwiceKeepsOneWindow) {
  Records().mnuDesktopFriend_Click();
  EXPECT_EQ(LastDialog(), "Alex has been added as a friend.");
  Records().mnuDesktopFriend_Click();
  EXPECT_EQ(LastDialog(), "Alex is already a desktop friend!");
  ASSERT_EQ(Records().Windows().size(), 1u);
  EXPECT_EQ(Records().Windows()[0]->Key(), "Alex");
  EXPECT_EQ(Stored("Friends", "Alex"), platform::RegistryValue::String("1"));
}

TEST_F(FriendRecordsTest, ARemovedOrRenamedFriendComesBackWithItsOldPlace) {
  for (const char* record : {"0", "2"}) {
    Config().WriteSetting("Alex", record, "Friends");
    Config().WriteSetting("Left", "1500", "FriendsData\\Alex");
    Records().mnuDesktopFriend_Click();
    EXPECT_EQ(LastDialog(), "Alex has been added as a friend.") << record;
    frmFriend* window = Records().Windows().back();
    EXPECT_EQ(window->Bounds().left, 100) << record;
    window->DoUnload();
    EXPECT_EQ(Stored("Friends", "Alex"), platform::RegistryValue::String("0"));
  }
}

TEST_F(FriendRecordsTest, WithoutAChatTitleNobodyIsAdded) {
  program_->Chat().ChatWnd = 0;
  Records().mnuDesktopFriend_Click();
  EXPECT_TRUE(Records().Windows().empty());
  EXPECT_EQ(Stored("Friends", ""), std::nullopt);
}

TEST_F(FriendRecordsTest, RenamingMarksTheOldNameAndStoresTheNewOne) {
  Records().FoundFriend("Alex");
  frmFriend& window = *Records().Windows().back();
  window.Text1.SetText("Sam");
  window.Text1.PersonKey(platform::vk::kReturn);
  EXPECT_EQ(window.Key(), "Sam");
  EXPECT_EQ(Stored("Friends", "Alex"), platform::RegistryValue::String("2"));
  EXPECT_EQ(Stored("Friends", "Sam"), platform::RegistryValue::String("1"));
  // A blank name gives the rename up: nothing stored, the name stays.
  window.Text1.SetText("  ");
  window.Text1.PersonKey(platform::vk::kReturn);
  EXPECT_EQ(window.Key(), "Sam");
  EXPECT_EQ(Stored("Friends", "  "), std::nullopt);
}

TEST_F(FriendRecordsTest, DamagedPlaceAndStateStillShowTheWindow) {
  Config().WriteSetting("Width", "wide", "FriendsData\\Alex");
  Config().WriteSetting("Left", "99999", "FriendsData\\Alex");
  Config().WriteSetting("Top", "-40000", "FriendsData\\Alex");
  Config().WriteSetting("AOT", "maybe", "FriendsData\\Alex");
  Config().WriteSetting("Transparency", "junk", "FriendsData\\Alex");
  Records().FoundFriend("Alex");
  frmFriend& window = *Records().Windows().back();
  EXPECT_TRUE(window.Visible());
  EXPECT_EQ(window.Bounds(), (platform::Rect{1024 - 142, 0, 1024, 23}));
  EXPECT_TRUE(p_.desktop_.IsTopMost(window.hWnd()));
  EXPECT_FALSE(Reported("FoundFriend"));
}

TEST_F(FriendRecordsTest, AColourThatIsNoNumberIsReportedAndLeavesTheBackgroundCleared) {
  Config().WriteSetting("Color1", "blue", "FriendsData\\Alex");
  Records().FoundFriend("Alex");
  frmFriend& window = *Records().Windows().back();
  EXPECT_TRUE(window.Visible());
  EXPECT_TRUE(window.Lines().empty());
  EXPECT_TRUE(Reported("refreshGradient"));
}

TEST_F(FriendRecordsTest, TheCloseTextClosesTheWindowAndKeepsTheRecord) {
  Config().WriteSetting("Alex", "1", "Friends");
  Records().FoundFriend("Alex");
  frmFriend& window = *Records().Windows().back();
  // Another program sets the edit box's text through its window.
  std::string text = frmFriend::kCloseText;
  p_.desktop_.SendMessage(window.Text1.Hwnd(), platform::msg::kSetText, 0,
                          reinterpret_cast<platform::LParam>(text.c_str()));
  EXPECT_FALSE(window.Loaded());
  EXPECT_TRUE(Records().Windows().empty());
  EXPECT_EQ(Stored("Friends", "Alex"), platform::RegistryValue::String("1"));
}

}  // namespace
}  // namespace quillon::friends
