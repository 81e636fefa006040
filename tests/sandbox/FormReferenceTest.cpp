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

}  // namespace
}  // namespace quillon::sandbox
