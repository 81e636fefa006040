#pragma once
// A file being written. Bytes may wait in a buffer until Close, so Close can fail too; a file
// whose Write or Close failed holds an unknown part of what was given to it.
#include <string_view>

#include "platform/FileProblem.h"

namespace quillon::platform {

class WrittenFile {
 public:
  virtual ~WrittenFile() = default;
  virtual FileProblem Write(std::string_view bytes) = 0;
  // Ends the file; later calls return kNone and do nothing.
  virtual FileProblem Close() = 0;
};

}  // namespace quillon::platform
