// Plugin files, status codes and news feeds come from anybody: reading them never crashes, and a
// plugin name taken from a status code never names a file outside the Plugins folder.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "status/PluginFile.h"
#include "status/RSS.h"
#include "status/StatusCode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quillon::status;
  std::string bytes(reinterpret_cast<const char*>(data), size);

  std::vector<std::string> lines = PluginFile::SplitLines(bytes);
  PluginFile::Header header = PluginFile::ReadHeader(lines);
  for (const std::string& function : header.functions) PluginFile::FindSections(lines, function);
  PluginFile::FindSections(lines, "*Song*");

  StatusCode::Expand(bytes, [](const std::string& plugin, const std::string&) {
    if (!StatusCode::IsPluginName(plugin)) return std::string();
    // A name that passes must stay inside its folder.
    if (plugin == "." || plugin == ".." || plugin.find('/') != std::string::npos ||
        plugin.find('\\') != std::string::npos) {
      std::abort();
    }
    return std::string("x");
  });

  std::string error;
  if (auto feed = RSS::Read(bytes, error)) {
    feed->Format(lines);
  }
  return 0;
}
