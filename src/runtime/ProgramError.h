#pragma once
// A run-time error of the program, as the error object of the language it was first written in
// carries one: a number, a source and a description. Procedures that trap errors catch it (and any
// other exception) and hand it to the error report.
#include <stdexcept>
#include <string>

namespace quillon::runtime {

class ProgramError : public std::runtime_error {
 public:
  ProgramError(int number, std::string source, std::string description)
      : std::runtime_error(description),
        number_(number),
        source_(std::move(source)),
        description_(std::move(description)) {}
  int Number() const { return number_; }
  const std::string& Source() const { return source_; }
  const std::string& Description() const { return description_; }

 private:
  int number_;
  std::string source_;
  std::string description_;
};

}  // namespace quillon::runtime
