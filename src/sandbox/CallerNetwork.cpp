#include "sandbox/CallerNetwork.h"

#include "sandbox/SiteServer.h"

namespace quillon::sandbox {

platform::HttpResult CallerNetwork::HttpGet(std::string_view url, uint32_t timeout_ms) {
  site_.SetCaller(address_);
  platform::HttpResult result = network_.HttpGet(url, timeout_ms);
  site_.SetCaller("");
  return result;
}

}  // namespace quillon::sandbox
