#pragma once
// A file held in memory for the sender, which can be made to fail or to shrink.
#include <algorithm>
#include <cstring>
#include <string>

#include "transfer/FileSource.h"

namespace quillon::transfer {

class MemorySource : public FileSource {
 public:
  explicit MemorySource(std::string data) : data_(std::move(data)) {}

  std::optional<size_t> Read(uint64_t offset, std::span<char> buffer) override {
    ++reads_;
    if (fail_) return std::nullopt;
    if (offset > data_.size()) return 0;
    const size_t count = std::min<size_t>(buffer.size(), data_.size() - offset);
    std::memcpy(buffer.data(), data_.data() + offset, count);
    return count;
  }

  std::string& data() { return data_; }
  void Fail() { fail_ = true; }
  int reads() const { return reads_; }

 private:
  std::string data_;
  bool fail_ = false;
  int reads_ = 0;
};

}  // namespace quillon::transfer
