#pragma once
// The blocking web fetch of the seam, through libcurl's easy interface.
//
// Get blocks the calling thread (the program's one thread) until the answer is in, the time-out
// has passed or the fetch has failed; the program asks for short fetches only and accepts that
// nothing else runs meanwhile. Only http and https addresses are fetched, also across redirects,
// so that an address from outside cannot make it read local files. Answers larger than the cap
// are refused rather than kept in memory. Safe to use from several threads, one call per object
// at a time.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/Network.h"

namespace quillon::os {

class CurlHttp {
 public:
  static constexpr size_t kDefaultMaxBodyBytes = 16 * 1024 * 1024;
  static constexpr long kMaxRedirects = 5;

  explicit CurlHttp(size_t max_body_bytes = kDefaultMaxBodyBytes);

  // ok is true for a complete answer with a status below 400. An answer of 400 or more keeps its
  // status and body but is not ok; a failure on the way leaves the body empty. `error` says why,
  // in words for a person.
  platform::HttpResult Get(std::string_view url, uint32_t timeout_ms) const;

 private:
  size_t max_body_bytes_;
};

}  // namespace quillon::os
