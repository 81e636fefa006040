#include "services/ProgramFolder.h"

namespace quillon::services {

std::string AddSlash(std::string_view path) {
  std::string out(path);
  for (char& c : out) {
    if (c == '\\') c = '/';
  }
  if (out.empty() || out.back() != '/') out += '/';
  return out;
}

}  // namespace quillon::services
