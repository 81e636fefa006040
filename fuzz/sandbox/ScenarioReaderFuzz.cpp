// Scenario text from a file: reading never crashes, and what it reads can be substituted into.
#include <cstdint>
#include <string>
#include <vector>

#include "sandbox/FormReference.h"
#include "sandbox/ScenarioReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  std::vector<quillon::sandbox::Statement> statements;
  std::string error;
  if (quillon::sandbox::ScenarioReader::ReadAll(text, statements, error)) {
    for (auto& statement : statements) {
      quillon::sandbox::ScenarioReader::Substitute(statement, "SITE", "http://127.0.0.1:1");
      // Every word may be read as a control, a number or a duration; none of them may throw.
      for (const auto& word : statement.words) {
        quillon::sandbox::FormReference::Parse(word.text);
        quillon::sandbox::ParseNumber(word.text);
        quillon::sandbox::ParseDuration(word.text);
      }
    }
  }
  return 0;
}
