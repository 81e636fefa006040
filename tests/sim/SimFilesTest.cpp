// The simulated disk's mishaps over a disk that never fails: what a full disk and a read-only
// folder refuse, and that they refuse nothing else.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "sim/SimFiles.h"

namespace quillon::sim {
namespace {

using platform::FileProblem;

// A disk in memory: a file is its bytes, written as they come.
class MemoryFiles : public platform::Files {
 public:
  class Written : public platform::WrittenFile {
   public:
    explicit Written(std::string& bytes) : bytes_(bytes) {}
    FileProblem Write(std::string_view bytes) override {
      bytes_.append(bytes);
      return FileProblem::kNone;
    }
    FileProblem Close() override { return FileProblem::kNone; }

   private:
    std::string& bytes_;
  };

  FileProblem Read(const std::string& path, std::string& bytes) override {
    auto found = files.find(path);
    if (found == files.end()) return FileProblem::kMissing;
    bytes = found->second;
    return FileProblem::kNone;
  }
  std::unique_ptr<platform::OpenedFile> Open(const std::string&, FileProblem& problem) override {
    problem = FileProblem::kOther;
    return nullptr;
  }
  std::unique_ptr<platform::WrittenFile> Create(const std::string& path,
                                                FileProblem& problem) override {
    problem = FileProblem::kNone;
    files[path].clear();
    return std::make_unique<Written>(files[path]);
  }
  bool Remove(const std::string& path) override {
    files.erase(path);
    return true;
  }
  bool Exists(const std::string& path) override { return files.count(path) != 0; }
  std::optional<uint64_t> Size(const std::string& path) override {
    auto found = files.find(path);
    if (found == files.end()) return std::nullopt;
    return found->second.size();
  }
  FileProblem MakeFolder(const std::string& path) override {
    folders.insert(path);
    return FileProblem::kNone;
  }

  std::map<std::string, std::string> files;
  std::set<std::string> folders;
};

TEST(SimFilesTest, AFullDiskRefusesBytesUntilItHasRoomAgain) {
  MemoryFiles disk;
  SimFiles files(disk);
  FileProblem problem = FileProblem::kOther;
  auto file = files.Create("/home/a.txt", problem);
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(file->Write("one "), FileProblem::kNone);
  files.SetDiskFull(true);
  EXPECT_EQ(file->Write("two "), FileProblem::kDiskFull);
  // A full disk still makes an empty file and removes one: it has no room for bytes only.
  auto other = files.Create("/home/b.txt", problem);
  ASSERT_NE(other, nullptr);
  EXPECT_EQ(other->Write("x"), FileProblem::kDiskFull);
  EXPECT_TRUE(files.Remove("/home/b.txt"));
  EXPECT_FALSE(files.Exists("/home/b.txt"));
  files.SetDiskFull(false);
  EXPECT_EQ(file->Write("three"), FileProblem::kNone);
  EXPECT_EQ(disk.files["/home/a.txt"], "one three");
}

TEST(SimFilesTest, AReadOnlyFolderRefusesMakingAndRemovingTheFilesDirectlyInIt) {
  MemoryFiles disk;
  disk.files["/home/locked/kept.txt"] = "kept";
  SimFiles files(disk);
  files.SetFolderReadOnly("/home/locked/");
  struct Case {
    std::string path;
    bool refused;
  };
  const std::vector<Case> cases = {
      {"/home/locked/new.txt", true},
      {"/home/locked/../locked/new.txt", true},
      {"/home/locked/inner/new.txt", false},
      {"/home/lockedness.txt", false},
      {"/home/new.txt", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    FileProblem problem = FileProblem::kNone;
    EXPECT_EQ(files.Create(c.path, problem) == nullptr, c.refused);
    EXPECT_EQ(problem, c.refused ? FileProblem::kDenied : FileProblem::kNone);
  }
  EXPECT_FALSE(files.Remove("/home/locked/kept.txt"));
  std::string read;
  EXPECT_EQ(files.Read("/home/locked/kept.txt", read), FileProblem::kNone);
  EXPECT_EQ(read, "kept");
  EXPECT_TRUE(files.Remove("/home/locked/never-there.txt"));
  // A folder is refused there as a file is; one further down is the disk's business.
  EXPECT_EQ(files.MakeFolder("/home/locked/Plugins"), FileProblem::kDenied);
  EXPECT_EQ(files.MakeFolder("/home/locked/inner/Plugins"), FileProblem::kNone);
  EXPECT_EQ(disk.folders, std::set<std::string>{"/home/locked/inner/Plugins"});
}

}  // namespace
}  // namespace quillon::sim
