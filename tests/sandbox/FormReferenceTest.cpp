#include <gtest/gtest.h>

#include "sandbox/FormReference.h"

namespace quillon::sandbox {
namespace {

TEST(FormReferenceTest, FormsKeysControlsAndIndices) {
  auto plain = FormReference::Parse("frmOptions.chkSmiley");
  ASSERT_TRUE(plain);
  EXPECT_EQ(plain->form, "frmOptions");
  EXPECT_EQ(plain->control, "chkSmiley");
  EXPECT_EQ(plain->index, -1);
  auto indexed = FormReference::Parse("frmMain.picIcon(12)");
  ASSERT_TRUE(indexed);
  EXPECT_EQ(indexed->index, 12);
  auto keyed = FormReference::Parse("frmFriend(\"Alex Smith\").Label1");
  ASSERT_TRUE(keyed);
  EXPECT_EQ(keyed->key, "Alex Smith");
  EXPECT_EQ(keyed->control, "Label1");
  auto form = FormReference::Parse("frmAbout");
  ASSERT_TRUE(form);
  EXPECT_TRUE(form->control.empty());
  for (const char* bad : {"", ".x", "frm.", "frmMain.picIcon(", "frmMain.picIcon(a)",
                          "frmMain.picIcon(1)x", "frmMain..x", "frmFriend(\"A\"x"}) {
    EXPECT_FALSE(FormReference::Parse(bad)) << bad;
  }
}

// Scenario text comes from outside: an index no int holds is a clear refusal, never an exception
// (a fuzzer found "k.w(5555...5)" throwing out of the number conversion).
TEST(FormReferenceTest, IndicesAtTheEndsOfTheNumberRange) {
  struct Case {
    const char* text;
    std::optional<int> index;  // nullopt: refused
  } cases[] = {
      {"k.w(0)", 0},
      {"k.w(007)", 7},
      {"k.w(2147483647)", 2147483647},
      {"k.w(2147483648)", std::nullopt},
      {"k.w(55555555555555555555555555555555555555)", std::nullopt},
      {"k.w(-1)", std::nullopt},
      {"k.w(+1)", std::nullopt},
  };
  for (const Case& c : cases) {
    std::optional<FormReference> parsed;
    EXPECT_NO_THROW(parsed = FormReference::Parse(c.text)) << c.text;
    EXPECT_EQ(parsed ? std::optional<int>(parsed->index) : std::nullopt, c.index) << c.text;
  }
}

}  // namespace
}  // namespace quillon::sandbox
