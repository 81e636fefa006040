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
      for (const auto& word : statement.words) quillon::sandbox::FormReference::Parse(word.text);
      quillon::sandbox::ParseDuration(statement.At(1));
    }
  }
  return 0;
}
