#pragma once
// The SKIPJACK block cipher: 64-bit blocks, an 80-bit key, 32 rounds of the published rules A
// and B. The invitation cipher runs it in electronic-codebook fashion, so only single blocks are
// needed here.
#include <array>
#include <cstdint>

namespace quillon::privacy {

class Skipjack {
 public:
  using Key = std::array<uint8_t, 10>;
  using Block = std::array<uint8_t, 8>;

  explicit Skipjack(const Key& key) : key_(key) {}

  Block Encrypt(const Block& plain) const;
  Block Decrypt(const Block& cipher) const;

 private:
  // The G permutation of round `round` (counted from 0) and its inverse.
  uint16_t G(int round, uint16_t word) const;
  uint16_t GInverse(int round, uint16_t word) const;

  Key key_;
};

}  // namespace quillon::privacy
