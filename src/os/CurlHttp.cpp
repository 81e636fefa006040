#include "os/CurlHttp.h"

#include <curl/curl.h>

#include <algorithm>
#include <memory>
#include <string>

#include "text/Strings.h"

namespace quillon::os {
namespace {

// libcurl wants its global set-up done once, before any handle, and never undone while a handle
// may still be used; the process end cleans up.
bool CurlReady() {
  static const bool ready = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
  return ready;
}

bool HasWebScheme(std::string_view url) {
  const size_t colon = url.find("://");
  if (colon == std::string_view::npos) return false;
  const std::string scheme = text::AsciiLower(url.substr(0, colon));
  return scheme == "http" || scheme == "https";
}

struct Sink {
  std::string body;
  size_t max_bytes = 0;
  bool too_large = false;
};

size_t Collect(char* data, size_t size, size_t count, void* user) {
  auto* sink = static_cast<Sink*>(user);
  const size_t bytes = size * count;
  if (bytes > sink->max_bytes - sink->body.size()) {
    sink->too_large = true;
    return 0;  // makes curl stop with a write error
  }
  sink->body.append(data, bytes);
  return bytes;
}

std::string Detail(const char* error_buffer, CURLcode code) {
  return error_buffer[0] != '\0' ? std::string(error_buffer)
                                 : std::string(curl_easy_strerror(code));
}

}  // namespace

CurlHttp::CurlHttp(size_t max_body_bytes) : max_body_bytes_(max_body_bytes) {}

platform::HttpResult CurlHttp::Get(std::string_view url, uint32_t timeout_ms) const {
  platform::HttpResult result;
  if (!HasWebScheme(url)) {
    result.error = "only http and https addresses can be fetched, not \"" + std::string(url) + "\"";
    return result;
  }
  if (!CurlReady()) {
    result.error = "the web library could not be set up";
    return result;
  }
  std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> curl(curl_easy_init(), &curl_easy_cleanup);
  if (!curl) {
    result.error = "the web library could not start a fetch";
    return result;
  }
  // curl reads 0 as "no time-out", which is not what a caller asking for 0 ms means.
  const long timeout = std::max<long>(1, static_cast<long>(timeout_ms));
  const std::string address(url);
  char error_buffer[CURL_ERROR_SIZE] = {};
  Sink sink;
  sink.max_bytes = max_body_bytes_;

  CURL* handle = curl.get();
  curl_easy_setopt(handle, CURLOPT_URL, address.c_str());
  curl_easy_setopt(handle, CURLOPT_ERRORBUFFER, error_buffer);
  curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(handle, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(handle, CURLOPT_MAXREDIRS, kMaxRedirects);
  curl_easy_setopt(handle, CURLOPT_TIMEOUT_MS, timeout);
  curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT_MS, timeout);
  curl_easy_setopt(handle, CURLOPT_ACCEPT_ENCODING, "");
  curl_easy_setopt(handle, CURLOPT_USERAGENT, "Quillon");
  curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, &Collect);
  curl_easy_setopt(handle, CURLOPT_WRITEDATA, &sink);
  // CURLOPT_NOSIGNAL stays off: curl then ignores SIGPIPE itself while it writes, which a TLS
  // connection closed by the server would otherwise raise and end the program with.

  const CURLcode code = curl_easy_perform(handle);
  long status = 0;
  curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &status);
  result.status = static_cast<int>(status);

  switch (code) {
    case CURLE_OK:
      break;
    case CURLE_WRITE_ERROR:
      result.error = sink.too_large
                         ? "the answer is larger than " + std::to_string(max_body_bytes_) + " bytes"
                         : "the answer could not be kept: " + Detail(error_buffer, code);
      return result;
    case CURLE_OPERATION_TIMEDOUT:
      result.error = "timed out after " + std::to_string(timeout) + " ms";
      return result;
    case CURLE_COULDNT_CONNECT:
      result.error = "could not connect: " + Detail(error_buffer, code);
      return result;
    case CURLE_COULDNT_RESOLVE_HOST:
      result.error = "could not find the host: " + Detail(error_buffer, code);
      return result;
    case CURLE_TOO_MANY_REDIRECTS:
      result.error = "too many redirections (more than " + std::to_string(kMaxRedirects) + ")";
      return result;
    case CURLE_UNSUPPORTED_PROTOCOL:
      result.error =
          "redirected to an address that is not http or https: " + Detail(error_buffer, code);
      return result;
    default:
      result.error = Detail(error_buffer, code);
      return result;
  }
  result.body = std::move(sink.body);
  if (status >= 400) {
    result.error = "the server answered with status " + std::to_string(status);
    return result;
  }
  result.ok = true;
  return result;
}

}  // namespace quillon::os
