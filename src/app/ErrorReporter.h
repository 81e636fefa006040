#pragma once
// The one reporter of the program's failures. It shows nothing itself: it starts the separate
// report program, "mishap", with the whole report as its argument, and the program carries on.
#include <exception>
#include <string>
#include <string_view>
#include <utility>

#include "services/ErrorReports.h"

namespace quillon::runtime {
class Form;
class Runtime;
}  // namespace quillon::runtime

namespace quillon::app {

class ErrorReporter : public services::ErrorReports {
 public:
  explicit ErrorReporter(runtime::Runtime& runtime) : runtime_(runtime) {}

  // Reports under `area` for `form` (null: no form, reported as "Unknown"). A number of 0 and an
  // empty source or description are taken from `current`, the error being handled, if any.
  void ReportError(std::string_view area, const runtime::Form* form, int number,
                   std::string_view source, std::string_view description,
                   const std::exception* current = nullptr) override;
  using services::ErrorReports::ReportError;

  // The text of a report, as the report program receives it.
  static std::string ReportText(std::string_view form, std::string_view area, int number,
                                std::string_view source, std::string_view description);
  // The number and description a report gives an error that is not one of the program's own:
  // words a person can read, never the name of a library function.
  static std::pair<int, std::string> InWords(const std::exception& error);
  // Where the report program is: beside the program's executable when it is there, else by name
  // on the search path.
  std::string ReporterProgram() const;

 private:
  runtime::Runtime& runtime_;
};

}  // namespace quillon::app
