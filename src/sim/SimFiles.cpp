#include "sim/SimFiles.h"

#include <filesystem>

#include "sim/SimWrittenFile.h"

namespace quillon::sim {

namespace {

// The folder a path names, spelled one way: "a/b/" and "a/b" are the same folder.
std::string Normal(const std::filesystem::path& path) {
  std::string text = path.lexically_normal().string();
  while (text.size() > 1 && text.back() == '/') text.pop_back();
  return text;
}

}  // namespace

void SimFiles::SetFolderReadOnly(const std::string& folder) {
  read_only_folders_.push_back(Normal(folder));
}

bool SimFiles::InReadOnlyFolder(const std::string& path) const {
  const std::string parent =
      Normal(std::filesystem::absolute(std::filesystem::path(path)).parent_path());
  for (const std::string& folder : read_only_folders_) {
    if (folder == parent) return true;
  }
  return false;
}

platform::FileProblem SimFiles::Read(const std::string& path, std::string& bytes) {
  return disk_.Read(path, bytes);
}

std::unique_ptr<platform::OpenedFile> SimFiles::Open(const std::string& path,
                                                     platform::FileProblem& problem) {
  return disk_.Open(path, problem);
}

std::unique_ptr<platform::WrittenFile> SimFiles::Create(const std::string& path,
                                                        platform::FileProblem& problem) {
  if (InReadOnlyFolder(path)) {
    problem = platform::FileProblem::kDenied;
    return nullptr;
  }
  std::unique_ptr<platform::WrittenFile> file = disk_.Create(path, problem);
  if (!file) return nullptr;
  return std::make_unique<SimWrittenFile>(*this, std::move(file));
}

bool SimFiles::Remove(const std::string& path) {
  if (InReadOnlyFolder(path)) return !disk_.Exists(path);
  return disk_.Remove(path);
}

bool SimFiles::Exists(const std::string& path) { return disk_.Exists(path); }

std::optional<uint64_t> SimFiles::Size(const std::string& path) { return disk_.Size(path); }

platform::FileProblem SimFiles::MakeFolder(const std::string& path) {
  if (InReadOnlyFolder(path)) return platform::FileProblem::kDenied;
  return disk_.MakeFolder(path);
}

}  // namespace quillon::sim
