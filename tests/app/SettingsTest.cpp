#include <gtest/gtest.h>

#include "app/ErrorReporter.h"
#include "app/Settings.h"
#include "support/TestPlatform.h"

namespace quillon::app {
namespace {

using platform::RegistryRoot;
using platform::RegistryValue;

class SettingsTest : public ::testing::Test {
 protected:
  testing::TestPlatform p_;
  runtime::Runtime rt_{*p_.platform_, p_.loop_, p_.Info()};
  ErrorReporter reporter_{rt_};
  Settings settings_{*p_.registry_, reporter_};
};

TEST_F(SettingsTest, FirstReadStoresTheDefault) {
  EXPECT_EQ(settings_.ReadSetting("Zoom", "100"), "100");
  auto stored =
      p_.registry_->GetValue(RegistryRoot::kCurrentUser, "Software\\Quillon\\General", "Zoom");
  ASSERT_TRUE(stored);
  EXPECT_EQ(*stored, RegistryValue::String("100"));
  // Whichever reader comes first stores its default.
  EXPECT_EQ(settings_.ReadSetting("Zoom", "250"), "100");
}

TEST_F(SettingsTest, EmptyTextIsStoredAsOneBlank) {
  EXPECT_EQ(settings_.ReadSetting("1337Filter", ""), "");
  EXPECT_EQ(settings_.ReadSetting("1337Filter", ""), " ");
  EXPECT_TRUE(settings_.WriteSetting("YourEmail", ""));
  EXPECT_EQ(settings_.ReadSetting("YourEmail", "x"), " ");
}

TEST_F(SettingsTest, ValuesOfOtherSoftwareReadByTheirType) {
  auto& registry = *p_.registry_;
  const char* key = "Software\\Quillon\\General";
  registry.SetValue(RegistryRoot::kCurrentUser, key, "Number", RegistryValue::Dword(0x105));
  registry.SetValue(RegistryRoot::kCurrentUser, key, "Path", RegistryValue::ExpandString("%HOME%"));
  registry.SetValue(RegistryRoot::kCurrentUser, key, "Blob", RegistryValue::Binary("\x01\x02"));
  registry.SetValue(RegistryRoot::kCurrentUser, key, "Cut",
                    RegistryValue::String(std::string("ab\0cd", 5)));
  EXPECT_EQ(settings_.ReadSetting("Number", "0"), "261");
  EXPECT_EQ(settings_.ReadSetting("Path", ""), "%HOME%");
  EXPECT_EQ(settings_.GetKeyValue(RegistryRoot::kCurrentUser, key, "Cut"), "ab");
  // A binary value reads as empty, so the default replaces it.
  EXPECT_EQ(settings_.ReadSetting("Blob", "d"), "d");
  EXPECT_EQ(settings_.GetKeyValue(RegistryRoot::kCurrentUser, key, "Blob"), "d");
}

TEST_F(SettingsTest, LongValuesAreReadWholeAndWritingCreatesTheWholePath) {
  // A long status code must come back as it was written, not cut and then written back cut.
  std::string status(5000, 'x');
  status += "{player:Song}";
  EXPECT_TRUE(settings_.WriteSetting("StatusCode", status));
  EXPECT_EQ(settings_.ReadSetting("StatusCode", ""), status);
  EXPECT_FALSE(
      p_.registry_->KeyExists(RegistryRoot::kCurrentUser, "Software\\Quillon\\FriendsData"));
  EXPECT_TRUE(settings_.WriteSetting("Top", 120, "FriendsData\\Alex"));
  EXPECT_EQ(settings_.ReadSetting("Top", "0", "FriendsData\\Alex"), "120");
  settings_.DeleteKeyValue(RegistryRoot::kCurrentUser, "Software\\Quillon\\FriendsData\\Alex",
                           "Top");
  EXPECT_EQ(settings_.GetKeyValue(RegistryRoot::kCurrentUser,
                                  "Software\\Quillon\\FriendsData\\Alex", "Top"),
            "");
}

TEST_F(SettingsTest, NumbersOutsideTheirRangeOrNoNumbersReadAsTheDefault) {
  struct Case {
    const char* stored;
    int32_t read;
  };
  // TransparentMain: 10 to 256, default 256.
  const Case cases[] = {
      {"200", 200},  {"10", 10},           {"256", 256}, {"9", 256},     {"257", 256},
      {"half", 256}, {"99999999999", 256}, {"-5", 256},  {" 120 ", 120}, {"120.4", 120},
      {"10.5", 10},  {"&H20", 32},         {"1e2", 100}, {"12abc", 256}, {" ", 256},
  };
  for (const Case& c : cases) {
    settings_.WriteSetting("TransparentMain", c.stored);
    EXPECT_EQ(settings_.ReadNumber(NumberSettings::kTransparentMain), c.read) << c.stored;
  }
  // The damaged text stays as it was: the fallback is a reading, not a repair.
  EXPECT_EQ(settings_.ReadSetting("TransparentMain", "256"), " ");
  // A missing value stores the default, as every read does.
  EXPECT_EQ(settings_.ReadNumber(NumberSettings::kZoom), 100);
  EXPECT_EQ(settings_.ReadSetting("Zoom", "0"), "100");
}

TEST(NumberSettingsTest, EveryDefaultLiesInItsRangeAndEveryNameIsFound) {
  for (const NumberSetting& setting : NumberSettings::kAll) {
    EXPECT_LE(setting.lowest, setting.default_value) << setting.name;
    EXPECT_GE(setting.highest, setting.default_value) << setting.name;
    EXPECT_EQ(NumberSettings::Find(setting.name), &setting) << setting.name;
    EXPECT_EQ(NumberSettings::Parse(setting, std::to_string(setting.default_value)),
              setting.default_value);
  }
  EXPECT_EQ(NumberSettings::Find("UseStatus"), nullptr);
}

TEST(NumberSettingsTest, ProblemsAreSaidInWords) {
  EXPECT_EQ(NumberSettings::Problem(NumberSettings::kTransparentMain, "half"),
            "The stored value of TransparentMain is not a number.");
  EXPECT_EQ(NumberSettings::Problem(NumberSettings::kZoom, "500"),
            "The stored value of Zoom is not a number from 50 to 200.");
  EXPECT_EQ(NumberSettings::Problem(NumberSettings::kZoom, "150"), "");
}

TEST(AddSlashTest, EndsInOneSeparatorOfThisSystem) {
  EXPECT_EQ(AddSlash("C:\\Program Files\\Quillon"), "C:/Program Files/Quillon/");
  EXPECT_EQ(AddSlash("/opt/quillon/"), "/opt/quillon/");
  EXPECT_EQ(AddSlash(""), "/");
}

}  // namespace
}  // namespace quillon::app
