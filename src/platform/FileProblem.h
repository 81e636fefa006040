#pragma once
// Why a file could not be read or written, in the few kinds a person is told apart.
namespace quillon::platform {

enum class FileProblem {
  kNone,
  kMissing,   // no such file, or no such folder
  kDenied,    // the file or its folder may not be read or written (read-only, no rights)
  kDiskFull,  // the disk has no room for the bytes
  kOther,
};

}  // namespace quillon::platform
