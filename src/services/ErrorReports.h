#pragma once
// Where a part of the program sends a failure it has caught: one report per failure, under the
// name of the place it happened (`area`) and the form it happened in. Reporting never throws and
// never waits for the person; the part carries on after it as its handler decides.
#include <exception>
#include <string_view>

namespace quillon::runtime {
class Form;
}

namespace quillon::services {

class ErrorReports {
 public:
  virtual ~ErrorReports() = default;

  // `form` may be null (no form, reported as "Unknown"). A number of 0 and an empty source or
  // description are taken from `current`, the error being handled, if any.
  virtual void ReportError(std::string_view area, const runtime::Form* form, int number,
                           std::string_view source, std::string_view description,
                           const std::exception* current = nullptr) = 0;
  // The usual case: the error just caught, reported as it stands.
  void ReportError(std::string_view area, const runtime::Form* form,
                   const std::exception& current) {
    ReportError(area, form, 0, "", "", &current);
  }
};

}  // namespace quillon::services
