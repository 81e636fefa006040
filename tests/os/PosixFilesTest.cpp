// The machine's disk: what each kind of failure is called, checked against the kernel's own
// failures (/dev/full is a disk that is always full; a folder cannot be opened as a file even by
// the superuser).
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "os/PosixFiles.h"

namespace quillon::os {
namespace {

using platform::FileProblem;

class PosixFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ =
        std::filesystem::path(::testing::TempDir()) / ("quillon-files-" + std::to_string(getpid()));
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }
  std::string At(const std::string& name) const { return (folder_ / name).string(); }

  std::filesystem::path folder_;
  PosixFiles files_;
};

TEST_F(PosixFilesTest, WritesReadsAndRemovesAFileByteForByte) {
  const std::string bytes("line\r\n\0\xff end", 12);
  FileProblem problem = FileProblem::kOther;
  auto file = files_.Create(At("a.bin"), problem);
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(problem, FileProblem::kNone);
  EXPECT_EQ(file->Write(bytes.substr(0, 5)), FileProblem::kNone);
  EXPECT_EQ(file->Write(bytes.substr(5)), FileProblem::kNone);
  EXPECT_EQ(file->Close(), FileProblem::kNone);
  EXPECT_EQ(file->Close(), FileProblem::kNone) << "a second close does nothing";
  std::string read;
  EXPECT_EQ(files_.Read(At("a.bin"), read), FileProblem::kNone);
  EXPECT_EQ(read, bytes);
  EXPECT_TRUE(files_.Exists(At("a.bin")));

  // Creating again empties the file.
  files_.Create(At("a.bin"), problem)->Close();
  EXPECT_EQ(files_.Read(At("a.bin"), read), FileProblem::kNone);
  EXPECT_EQ(read, "");

  EXPECT_TRUE(files_.Remove(At("a.bin")));
  EXPECT_FALSE(files_.Exists(At("a.bin")));
  EXPECT_TRUE(files_.Remove(At("a.bin"))) << "what is not there is gone";
}

TEST_F(PosixFilesTest, AnOpenedFileIsReadByOffsetAndEndsShortOnlyAtItsEnd) {
  std::ofstream(folder_ / "ten.txt", std::ios::binary) << "0123456789";
  FileProblem problem = FileProblem::kOther;
  auto file = files_.Open(At("ten.txt"), problem);
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(problem, FileProblem::kNone);
  struct Case {
    uint64_t offset;
    size_t asked;
    std::string expected;
  };
  for (const Case& c : std::vector<Case>{{0, 4, "0123"},
                                         {8, 4, "89"},
                                         {10, 4, ""},
                                         {3, 2, "34"},
                                         {0, 10, "0123456789"},
                                         {20, 4, ""}}) {
    std::string buffer(c.asked, '?');
    std::optional<size_t> got = file->ReadAt(c.offset, buffer);
    ASSERT_TRUE(got.has_value()) << c.offset;
    EXPECT_EQ(buffer.substr(0, *got), c.expected) << c.offset;
  }
  EXPECT_EQ(files_.Open(At("none.txt"), problem), nullptr);
  EXPECT_EQ(problem, FileProblem::kMissing);
}

TEST_F(PosixFilesTest, NamesEachFailureByItsKind) {
  std::filesystem::create_directories(folder_ / "sub");
  std::ofstream(folder_ / "plain.txt") << "x";
  struct Case {
    const char* what;
    std::string path;
    FileProblem create;
  };
  const std::vector<Case> cases = {
      {"a folder that is not there", At("none/a.txt"), FileProblem::kMissing},
      {"a file taken for a folder", At("plain.txt/a.txt"), FileProblem::kMissing},
      {"a folder taken for a file", At("sub"), FileProblem::kDenied},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FileProblem problem = FileProblem::kNone;
    EXPECT_EQ(files_.Create(c.path, problem), nullptr);
    EXPECT_EQ(problem, c.create);
    std::string read = "kept";
    EXPECT_EQ(files_.Read(c.path, read), FileProblem::kMissing);
    EXPECT_FALSE(files_.Exists(c.path));
  }
}

TEST_F(PosixFilesTest, SizesOnlyRegularFiles) {
  std::filesystem::create_directories(folder_ / "sub");
  std::ofstream(folder_ / "five.txt") << "12345";
  std::ofstream(folder_ / "empty.txt");
  EXPECT_EQ(files_.Size(At("five.txt")), 5u);
  EXPECT_EQ(files_.Size(At("empty.txt")), 0u);
  EXPECT_EQ(files_.Size(At("sub")), std::nullopt);
  EXPECT_EQ(files_.Size(At("gone.txt")), std::nullopt);
}

TEST_F(PosixFilesTest, MakesAFolderWithTheFoldersAboveItAndPassesOneThatIsThere) {
  std::ofstream(folder_ / "plain.txt") << "x";
  struct Case {
    const char* what;
    std::string path;
    FileProblem made;
  };
  const std::vector<Case> cases = {
      {"three levels at once", At("a/b/c"), FileProblem::kNone},
      {"the same again", At("a/b/c"), FileProblem::kNone},
      {"with a separator at the end", At("a/b/d/"), FileProblem::kNone},
      {"below a file", At("plain.txt/inner"), FileProblem::kMissing},
      {"where a file is", At("plain.txt"), FileProblem::kOther},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(files_.MakeFolder(c.path), c.made);
  }
  EXPECT_TRUE(std::filesystem::is_directory(folder_ / "a/b/c"));
  EXPECT_TRUE(std::filesystem::is_directory(folder_ / "a/b/d"));
}

TEST_F(PosixFilesTest, AFullDiskIsToldApartFromOtherWriteFailures) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
  FileProblem problem = FileProblem::kOther;
  auto file = files_.Create("/dev/full", problem);
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(file->Write("bytes"), FileProblem::kDiskFull);
  EXPECT_EQ(file->Write(""), FileProblem::kNone) << "nothing to write fails nothing";
}

}  // namespace
}  // namespace quillon::os
