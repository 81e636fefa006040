// Runs every case file under cases/: a script with its expected transcript written beside it in
// comments (the directives are listed in CaseRunner.h).
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "CaseRunner.h"

namespace quillon::vbscript::testing {
namespace {

struct CaseFile {
  std::string name;
  std::string path;
};

void PrintTo(const CaseFile& file, std::ostream* out) { *out << file.name; }

std::vector<CaseFile> ListCases() {
  std::vector<CaseFile> cases;
  std::filesystem::path root = VBSCRIPT_CASES_DIR;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
    if (entry.path().extension() != ".vbs") continue;
    std::string name = std::filesystem::relative(entry.path(), root).replace_extension().string();
    std::replace_if(
        name.begin(), name.end(), [](char c) { return !std::isalnum(c); }, '_');
    cases.push_back({name, entry.path().string()});
  }
  std::sort(cases.begin(), cases.end(),
            [](const CaseFile& a, const CaseFile& b) { return a.name < b.name; });
  return cases;
}

class Corpus : public ::testing::TestWithParam<CaseFile> {};

TEST_P(Corpus, ProducesTheTranscriptWrittenBesideIt) {
  std::ifstream in(GetParam().path, std::ios::binary);
  ASSERT_TRUE(in) << GetParam().path;
  std::string code((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());

  CaseTranscript transcript = RunCase(code);
  EXPECT_EQ(transcript.actual, transcript.expected) << "in " << GetParam().path;
}

INSTANTIATE_TEST_SUITE_P(Cases, Corpus, ::testing::ValuesIn(ListCases()),
                         [](const ::testing::TestParamInfo<CaseFile>& info) {
                           return info.param.name;
                         });

}  // namespace
}  // namespace quillon::vbscript::testing
