#pragma once
// Paths inside the program's folder, where its shipped files (plugins, pictures) and the files
// the person keeps beside them live.
#include <string>
#include <string_view>

namespace quillon::services {

// A folder path that ends with the folder separator, every separator made this system's own.
std::string AddSlash(std::string_view path);

}  // namespace quillon::services
