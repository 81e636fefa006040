#include <gtest/gtest.h>

#include <random>

#include "privacy/Skipjack.h"

namespace quillon::privacy {
namespace {

TEST(SkipjackTest, MatchesThePublishedVectorBothWays) {
  const Skipjack cipher({0x00, 0x99, 0x88, 0x77, 0x66, 0x55, 0x44, 0x33, 0x22, 0x11});
  const Skipjack::Block plain = {0x33, 0x22, 0x11, 0x00, 0xdd, 0xcc, 0xbb, 0xaa};
  const Skipjack::Block expected = {0x25, 0x87, 0xca, 0xe2, 0x7a, 0x12, 0xd3, 0x00};
  EXPECT_EQ(cipher.Encrypt(plain), expected);
  EXPECT_EQ(cipher.Decrypt(expected), plain);
}

TEST(SkipjackTest, DecryptUndoesEncryptForRandomKeysAndBlocks) {
  std::mt19937 rng(7);
  for (int i = 0; i < 200; ++i) {
    Skipjack::Key key;
    Skipjack::Block block;
    for (auto& b : key) b = static_cast<uint8_t>(rng());
    for (auto& b : block) b = static_cast<uint8_t>(rng());
    const Skipjack cipher(key);
    ASSERT_EQ(cipher.Decrypt(cipher.Encrypt(block)), block);
  }
}

}  // namespace
}  // namespace quillon::privacy
