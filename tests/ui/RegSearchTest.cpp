// The registry search: what it reports for keys and values, how it stops, and how it shows data.
#include <gtest/gtest.h>

#include "app/ErrorReporter.h"
#include "runtime/Runtime.h"
#include "support/TestPlatform.h"
#include "ui/cRegSearch.h"

namespace quillon::ui {
namespace {

using platform::RegistryRoot;
using platform::RegistryValue;

struct Found {
  std::string root, key, value;
  int32_t found;
  bool operator==(const Found&) const = default;
};

void PrintTo(const Found& f, std::ostream* out) {
  *out << "{" << f.root << ", " << f.key << ", " << f.value << ", " << f.found << "}";
}

class RegSearchTest : public ::testing::Test {
 protected:
  RegSearchTest() {
    search_.on_search_found = [this](const std::string& root, const std::string& key,
                                     const std::string& value, int32_t found) {
      found_.push_back({root, key, value, found});
    };
    search_.on_search_finished = [this](int32_t reason) { finished_.push_back(reason); };
    search_.on_search_key_changed = [this](const std::string& key) { keys_.push_back(key); };
  }
  void Set(const char* key, const char* name, const RegistryValue& value) {
    p_.registry_->SetValue(RegistryRoot::kCurrentUser, key, name, value);
  }
  void SearchUser(const char* key, const char* text, int32_t flags) {
    search_.RootKey = cRegSearch::kCurrentUser;
    search_.SubKey = key;
    search_.SearchString = text;
    search_.SearchFlags = flags;
    search_.DoSearch();
  }

  testing::TestPlatform p_;
  runtime::Runtime runtime_{*p_.platform_, p_.loop_, p_.Info()};
  app::ErrorReporter reporter_{runtime_};
  cRegSearch search_{runtime_, reporter_};
  std::vector<Found> found_;
  std::vector<int32_t> finished_;
  std::vector<std::string> keys_;
};

TEST_F(RegSearchTest, ValueDataOfTheStartKeyAndBelowIsReportedWithItsPath) {
  Set("Software\\Quillon\\Friends", "Alex", RegistryValue::String("1"));
  Set("Software\\Quillon\\Friends", "Sam", RegistryValue::String("0"));
  Set("Software\\Quillon\\Friends", "Kim", RegistryValue::String("x1x"));
  Set("Software\\Quillon\\Friends\\Deeper", "Jo", RegistryValue::String("1"));
  SearchUser("Software\\Quillon\\Friends", "1", cRegSearch::kValueData);
  std::vector<Found> expected = {
      {"hkey_current_user_", "Software\\Quillon\\Friends\\Alex", "1", 2},
      {"hkey_current_user_", "Software\\Quillon\\Friends\\Kim", "x1x", 2},
      {"hkey_current_user_", "Software\\Quillon\\Friends\\Deeper\\Jo", "1", 2},
  };
  EXPECT_EQ(found_, expected);
  EXPECT_EQ(keys_,
            std::vector<std::string>{"hkey_current_user_\\Software\\Quillon\\Friends\\Deeper"});
  EXPECT_EQ(finished_, std::vector<int32_t>{0});
}

TEST_F(RegSearchTest, KeyNamesMatchWhateverTheFlagsAndValueNamesOnlyWithTheirFlag) {
  Set("Software\\Test\\Team1", "Other", RegistryValue::String("zzz"));
  Set("Software\\Test", "Name1", RegistryValue::Dword(26));
  SearchUser("Software\\Test", "1", 0);
  EXPECT_EQ(found_, (std::vector<Found>{{"hkey_current_user_", "Software\\Test\\Team1", "*", 0}}));
  found_.clear();
  SearchUser("Software\\Test", "NAME", cRegSearch::kValueNames);
  EXPECT_EQ(
      found_,
      (std::vector<Found>{{"hkey_current_user_", "Software\\Test\\Name1", "0x0000001A(26)", 1}}));
}

TEST_F(RegSearchTest, WholeTextMatchingIgnoresCaseAndAnEmptySearchMatchesOnlyEmptyText) {
  EXPECT_TRUE(cRegSearch::Matches("Friend", "fRIEND", cRegSearch::kWholeText));
  EXPECT_FALSE(cRegSearch::Matches("Friends", "friend", cRegSearch::kWholeText));
  EXPECT_TRUE(cRegSearch::Matches("Friends", "IEN", 0));
  EXPECT_TRUE(cRegSearch::Matches("anything", "", 0));
  EXPECT_FALSE(cRegSearch::Matches("anything", "", cRegSearch::kWholeText));
  EXPECT_TRUE(cRegSearch::Matches("", "", cRegSearch::kWholeText));
}

TEST_F(RegSearchTest, DataIsShownByType) {
  EXPECT_EQ(cRegSearch::GetRegData(RegistryValue::Dword(26)), "0x0000001A(26)");
  EXPECT_EQ(cRegSearch::GetRegData(RegistryValue::Dword(16)), "0x00000010(16)");
  EXPECT_EQ(cRegSearch::GetRegData(RegistryValue::Binary("\x0A\x1B\x2C")), "0A 1B 2C");
  EXPECT_EQ(cRegSearch::GetRegData(RegistryValue::MultiString({"first", "second"})), "first");
  EXPECT_EQ(cRegSearch::GetRegData(RegistryValue::String(std::string("ab\0cd", 5))), "ab");
  EXPECT_EQ(cRegSearch::GetRegData(RegistryValue::ExpandString("%TEMP%")), "Temporary unsupported");
}

TEST_F(RegSearchTest, StoppingFromAHandlerEndsTheSearchAtOnceAndTheNextSearchRunsAfresh) {
  for (const char* name : {"A", "B", "C"}) {
    Set("Software\\Stop", name, RegistryValue::String("1"));
    Set((std::string("Software\\Stop\\Key1") + name).c_str(), "V", RegistryValue::String("1"));
  }
  search_.on_search_found = [this](const std::string&, const std::string& key, const std::string&,
                                   int32_t) {
    found_.push_back({"", key, "", 0});
    search_.StopSearch();
  };
  SearchUser("Software\\Stop", "1", cRegSearch::kValueData);
  EXPECT_EQ(found_.size(), 1u);
  EXPECT_TRUE(keys_.empty());
  EXPECT_EQ(finished_, std::vector<int32_t>{1});
  search_.on_search_found = [this](const std::string&, const std::string& key, const std::string&,
                                   int32_t) {
    found_.push_back({"", key, "", 0});
  };
  found_.clear();
  SearchUser("Software\\Stop", "1", cRegSearch::kValueData);
  // Three values of the start key, three subkeys matching by name, one value in each.
  EXPECT_EQ(found_.size(), 9u);
  EXPECT_EQ(finished_, (std::vector<int32_t>{1, 0}));
}

TEST_F(RegSearchTest, ALongValueHidesNeitherTheValuesAfterItNorTheRestOfTheSearch) {
  Set("Software\\Long", "A", RegistryValue::String("1"));
  Set("Software\\Long", "Big", RegistryValue::String(std::string(5000, 'x')));
  Set("Software\\Long", "C", RegistryValue::String("1"));
  SearchUser("Software\\Long", "1", cRegSearch::kValueData);
  ASSERT_EQ(found_.size(), 2u);
  EXPECT_EQ(found_[1].key, "Software\\Long\\C");
  EXPECT_EQ(finished_, std::vector<int32_t>{0});
}

TEST_F(RegSearchTest, AMissingStartKeyFindsNothingAndStillFinishes) {
  SearchUser("Software\\Nowhere", "1", cRegSearch::kValueData);
  EXPECT_TRUE(found_.empty());
  EXPECT_EQ(finished_, std::vector<int32_t>{0});
}

TEST_F(RegSearchTest, AllRootsSearchesKeysButNotTheStartKeysOwnValues) {
  Set("Software\\Every", "Own1", RegistryValue::String("1"));
  p_.registry_->SetValue(RegistryRoot::kLocalMachine, "Software\\Every\\Machine1", "V",
                         RegistryValue::String("0"));
  search_.SubKey = "Software\\Every";
  search_.SearchString = "1";
  search_.SearchFlags = cRegSearch::kValueNames;
  search_.DoSearch();
  EXPECT_EQ(found_,
            (std::vector<Found>{{"HKEY_LOCAL_MACHINE", "Software\\Every\\Machine1", "*", 0}}));
}

}  // namespace
}  // namespace quillon::ui
