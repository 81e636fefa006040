#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "os/RegistryValuePrinter.h"
#include "os/SqliteRegistry.h"
#include "os/TempFolder.h"

namespace quillon::os {
namespace {

using platform::RegistryRoot;
using platform::RegistryStatus;
using platform::RegistryType;
using platform::RegistryValue;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr RegistryRoot kUser = RegistryRoot::kCurrentUser;

class SqliteRegistryTest : public ::testing::Test {
 protected:
  std::unique_ptr<SqliteRegistry> Open() {
    SqliteRegistry::Opened opened = SqliteRegistry::Open(file_);
    EXPECT_EQ(opened.problem, std::nullopt);
    return std::move(opened.registry);
  }

  std::vector<std::string> ValueNames(std::string_view path) {
    std::vector<std::string> names;
    for (const auto& value : registry_->Values(kUser, path)) names.push_back(value.name);
    return names;
  }

  TempFolder folder_;
  std::filesystem::path file_ = folder_.Path() / "registry.sqlite3";
  std::unique_ptr<SqliteRegistry> registry_ = Open();
};

TEST_F(SqliteRegistryTest, NamesMatchWithoutRegardToCaseAndKeepTheCaseTheyWereMadeWith) {
  ASSERT_EQ(registry_->SetValue(kUser, "Software\\Quillon\\General", "ShowSmileys",
                                RegistryValue::Dword(1)),
            RegistryStatus::kOk);
  EXPECT_EQ(registry_->GetValue(kUser, "SOFTWARE\\quillon\\GENERAL", "showSMILEYS"),
            RegistryValue::Dword(1));
  ASSERT_EQ(registry_->SetValue(kUser, "software\\QUILLON\\general", "SHOWSMILEYS",
                                RegistryValue::Dword(0)),
            RegistryStatus::kOk);
  EXPECT_THAT(ValueNames("Software\\Quillon\\General"), ElementsAre("ShowSmileys"));
  EXPECT_EQ(registry_->GetValue(kUser, "Software\\Quillon\\General", "ShowSmileys"),
            RegistryValue::Dword(0));
  EXPECT_THAT(registry_->SubKeys(kUser, "SOFTWARE"), ElementsAre("Quillon"));
  EXPECT_THAT(registry_->SubKeys(kUser, ""), ElementsAre("Software"));

  // Leading, trailing and doubled separators name the same key.
  EXPECT_TRUE(registry_->KeyExists(kUser, "\\Software\\\\Quillon\\General\\"));
  EXPECT_EQ(registry_->GetValue(kUser, "\\\\software\\quillon\\\\general\\", "showsmileys"),
            RegistryValue::Dword(0));

  // Latin-1 letters fold like ASCII ones; the signs × and ÷ in the same places are no letters.
  ASSERT_EQ(registry_->SetValue(kUser, "Café\\Über", "Ärger", RegistryValue::String("x")),
            RegistryStatus::kOk);
  EXPECT_EQ(registry_->GetValue(kUser, "CAFÉ\\über", "äRGER"), RegistryValue::String("x"));
  ASSERT_EQ(registry_->SetValue(kUser, "Café", "a×", RegistryValue::String("times")),
            RegistryStatus::kOk);
  ASSERT_EQ(registry_->SetValue(kUser, "Café", "A÷", RegistryValue::String("divided")),
            RegistryStatus::kOk);
  EXPECT_THAT(ValueNames("café"), ElementsAre("a×", "A÷"));
}

TEST_F(SqliteRegistryTest, SubKeysComeInNameOrderAndValuesInCreationOrder) {
  for (const char* name : {"beta", "_under", "Zed", "Alpha", "gamma", "beta\\deep"}) {
    ASSERT_EQ(registry_->CreateKey(kUser, std::string("K\\") + name), RegistryStatus::kOk);
  }
  // Names compare in upper case, as the registry compares them, so "_" sorts after the letters.
  EXPECT_THAT(registry_->SubKeys(kUser, "k"),
              ElementsAre("Alpha", "beta", "gamma", "Zed", "_under"));

  for (const char* name : {"zulu", "alpha", "mike"}) {
    ASSERT_EQ(registry_->SetValue(kUser, "K", name, RegistryValue::String(name)),
              RegistryStatus::kOk);
  }
  ASSERT_EQ(registry_->SetValue(kUser, "K", "ZULU", RegistryValue::Dword(7)), RegistryStatus::kOk);
  EXPECT_THAT(ValueNames("K"), ElementsAre("zulu", "alpha", "mike"));
  EXPECT_EQ(registry_->Values(kUser, "K")[0].value, RegistryValue::Dword(7));

  // A value deleted and written again is a new value, so it goes last.
  ASSERT_EQ(registry_->DeleteValue(kUser, "K", "Alpha"), RegistryStatus::kOk);
  ASSERT_EQ(registry_->SetValue(kUser, "K", "Alpha", RegistryValue::String("again")),
            RegistryStatus::kOk);
  EXPECT_THAT(ValueNames("K"), ElementsAre("zulu", "mike", "Alpha"));

  registry_ = Open();
  EXPECT_THAT(ValueNames("K"), ElementsAre("zulu", "mike", "Alpha"));
  EXPECT_THAT(registry_->SubKeys(kUser, "K"),
              ElementsAre("Alpha", "beta", "gamma", "Zed", "_under"));
}

TEST_F(SqliteRegistryTest, DeleteKeyRemovesTheWholeSubtreeAndNothingBesideIt) {
  // "A\BC", "A\B]x" and "A\B[" sit just beside "A\B" and its levels in byte order.
  for (const char* path : {"A\\B", "A\\B\\C\\D", "A\\BC", "A\\B]x", "A\\B[", "A"}) {
    ASSERT_EQ(registry_->SetValue(kUser, path, "v", RegistryValue::String(path)),
              RegistryStatus::kOk);
  }
  EXPECT_EQ(registry_->GetValue(kUser, "A\\B\\C\\D", "v"), RegistryValue::String("A\\B\\C\\D"));
  ASSERT_EQ(registry_->DeleteKey(kUser, "a\\b"), RegistryStatus::kOk);

  EXPECT_FALSE(registry_->KeyExists(kUser, "A\\B"));
  EXPECT_FALSE(registry_->KeyExists(kUser, "A\\B\\C"));
  EXPECT_EQ(registry_->GetValue(kUser, "A\\B\\C\\D", "v"), std::nullopt);
  EXPECT_THAT(registry_->SubKeys(kUser, "A"), ElementsAre("BC", "B[", "B]x"));
  for (const char* path : {"A\\BC", "A\\B]x", "A\\B[", "A"}) {
    EXPECT_EQ(registry_->GetValue(kUser, path, "v"), RegistryValue::String(path)) << path;
  }
  // The values went with the key: made again, it is empty.
  ASSERT_EQ(registry_->CreateKey(kUser, "A\\B\\C"), RegistryStatus::kOk);
  EXPECT_THAT(registry_->Values(kUser, "A\\B"), IsEmpty());
  EXPECT_THAT(registry_->Values(kUser, "A\\B\\C\\D"), IsEmpty());

  EXPECT_EQ(registry_->DeleteKey(kUser, "A\\Nothing"), RegistryStatus::kNotFound);
  EXPECT_EQ(registry_->DeleteKey(kUser, ""), RegistryStatus::kBadName);
  EXPECT_EQ(registry_->DeleteKey(kUser, "\\\\"), RegistryStatus::kBadName);
  EXPECT_TRUE(registry_->KeyExists(kUser, "A"));
}

TEST_F(SqliteRegistryTest, ValuesKeepTheirTypeAndEveryByte) {
  std::string all_bytes;
  for (int b = 0; b < 256; ++b) all_bytes += static_cast<char>(b);
  const std::vector<std::pair<std::string, RegistryValue>> values = {
      {"String", RegistryValue::String("Grüße, \"world\"")},
      {"Expand", RegistryValue::ExpandString("%APPDATA%\\Quillon")},
      {"Number", RegistryValue::Dword(0xDEADBEEF)},
      {"Binary", RegistryValue::Binary(all_bytes)},
      {"Multi", RegistryValue::MultiString({"one", "two words", "trois"})},
      {"EmptyString", RegistryValue::String("")},
      {"EmptyBinary", RegistryValue::Binary("")},
      {"", RegistryValue::String("the default value")},
  };
  for (const auto& [name, value] : values) {
    ASSERT_EQ(registry_->SetValue(kUser, "Types", name, value), RegistryStatus::kOk) << name;
  }
  // A second object reads from the file, not from the first one's cache.
  std::unique_ptr<SqliteRegistry> second = Open();
  for (auto* registry : {registry_.get(), second.get()}) {
    for (const auto& [name, value] : values) {
      EXPECT_EQ(registry->GetValue(kUser, "Types", name), value) << name;
    }
  }
  auto listed = registry_->Values(kUser, "Types");
  ASSERT_EQ(listed.size(), values.size());
  for (size_t i = 0; i < values.size(); ++i) {
    EXPECT_EQ(listed[i].name, values[i].first);
    EXPECT_EQ(listed[i].value, values[i].second) << values[i].first;
  }
  EXPECT_EQ(registry_->GetValue(kUser, "Types", "Number")->AsDword(), 0xDEADBEEFu);
  EXPECT_EQ(registry_->GetValue(kUser, "Types", "Binary")->type, RegistryType::kBinary);
}

TEST_F(SqliteRegistryTest, LongValuesRoundTripWhole) {
  std::string text;
  while (text.size() < 100000) text += "Quillon é ";
  text.resize(100000);
  std::string blob(5 * 1024 * 1024, '\0');
  for (size_t i = 0; i < blob.size(); ++i) blob[i] = static_cast<char>((i * 131) >> 3);

  ASSERT_EQ(registry_->SetValue(kUser, "Long", "Text", RegistryValue::String(text)),
            RegistryStatus::kOk);
  ASSERT_EQ(registry_->SetValue(kUser, "Long", "Blob", RegistryValue::Binary(blob)),
            RegistryStatus::kOk);
  for (int pass = 0; pass < 2; ++pass) {
    EXPECT_EQ(registry_->GetValue(kUser, "Long", "Text"), RegistryValue::String(text));
    EXPECT_EQ(registry_->GetValue(kUser, "Long", "Blob"), RegistryValue::Binary(blob));
    registry_ = Open();
  }
}

TEST_F(SqliteRegistryTest, MissingKeysAndValuesAndBadNamesAreReportedNotInvented) {
  EXPECT_EQ(registry_->GetValue(kUser, "No\\Such\\Key", "v"), std::nullopt);
  EXPECT_FALSE(registry_->KeyExists(kUser, "No"));
  EXPECT_THAT(registry_->SubKeys(kUser, "No"), IsEmpty());
  EXPECT_THAT(registry_->Values(kUser, "No"), IsEmpty());
  EXPECT_EQ(registry_->DeleteValue(kUser, "No", "v"), RegistryStatus::kNotFound);
  EXPECT_TRUE(registry_->KeyExists(kUser, ""));

  ASSERT_EQ(registry_->CreateKey(kUser, "Here"), RegistryStatus::kOk);
  EXPECT_EQ(registry_->GetValue(kUser, "Here", "v"), std::nullopt);
  EXPECT_EQ(registry_->GetValue(kUser, "Here", ""), std::nullopt);
  EXPECT_EQ(registry_->DeleteValue(kUser, "Here", "v"), RegistryStatus::kNotFound);

  // A value read as missing and then written is found: the miss must not stay cached.
  ASSERT_EQ(registry_->SetValue(kUser, "Here", "v", RegistryValue::Dword(3)), RegistryStatus::kOk);
  EXPECT_EQ(registry_->GetValue(kUser, "Here", "v"), RegistryValue::Dword(3));
  ASSERT_EQ(registry_->DeleteValue(kUser, "Here", "V"), RegistryStatus::kOk);
  EXPECT_EQ(registry_->GetValue(kUser, "Here", "v"), std::nullopt);

  // Creating an existing key keeps what it holds.
  ASSERT_EQ(registry_->SetValue(kUser, "Here", "kept", RegistryValue::Dword(1)),
            RegistryStatus::kOk);
  EXPECT_EQ(registry_->CreateKey(kUser, "HERE"), RegistryStatus::kOk);
  EXPECT_EQ(registry_->GetValue(kUser, "Here", "kept"), RegistryValue::Dword(1));

  const std::string with_nul("a\0b", 3);
  EXPECT_EQ(registry_->CreateKey(kUser, ""), RegistryStatus::kBadName);
  EXPECT_EQ(registry_->CreateKey(kUser, with_nul), RegistryStatus::kBadName);
  EXPECT_EQ(registry_->SetValue(kUser, "Here", with_nul, RegistryValue::Dword(1)),
            RegistryStatus::kBadName);
  EXPECT_EQ(registry_->SetValue(kUser, with_nul, "v", RegistryValue::Dword(1)),
            RegistryStatus::kBadName);
  EXPECT_EQ(registry_->DeleteValue(kUser, "Here", with_nul), RegistryStatus::kBadName);
  EXPECT_EQ(registry_->GetValue(kUser, "Here", with_nul), std::nullopt);
  EXPECT_THAT(registry_->SubKeys(kUser, ""), ElementsAre("Here"));
}

TEST_F(SqliteRegistryTest, RootsAreIndependentTrees) {
  for (RegistryRoot root :
       {RegistryRoot::kClassesRoot, RegistryRoot::kCurrentUser, RegistryRoot::kLocalMachine,
        RegistryRoot::kUsers, RegistryRoot::kCurrentConfig}) {
    EXPECT_THAT(registry_->SubKeys(root, ""), IsEmpty());
  }
  ASSERT_EQ(registry_->SetValue(kUser, "Software\\X", "v", RegistryValue::Dword(1)),
            RegistryStatus::kOk);
  ASSERT_EQ(
      registry_->SetValue(RegistryRoot::kLocalMachine, "Software\\X", "v", RegistryValue::Dword(2)),
      RegistryStatus::kOk);
  EXPECT_EQ(registry_->GetValue(kUser, "Software\\X", "v"), RegistryValue::Dword(1));
  EXPECT_EQ(registry_->GetValue(RegistryRoot::kLocalMachine, "Software\\X", "v"),
            RegistryValue::Dword(2));
  EXPECT_FALSE(registry_->KeyExists(RegistryRoot::kUsers, "Software"));

  ASSERT_EQ(registry_->DeleteKey(kUser, "Software"), RegistryStatus::kOk);
  EXPECT_EQ(registry_->GetValue(RegistryRoot::kLocalMachine, "Software\\X", "v"),
            RegistryValue::Dword(2));
  EXPECT_EQ(registry_->DeleteKey(kUser, "Software"), RegistryStatus::kNotFound);
}

}  // namespace
}  // namespace quillon::os
