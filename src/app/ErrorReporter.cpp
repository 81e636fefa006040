#include "app/ErrorReporter.h"

#include <new>
#include <stdexcept>
#include <tuple>

#include "platform/Files.h"
#include "runtime/Form.h"
#include "runtime/ProgramError.h"
#include "runtime/Runtime.h"
#include "services/ProgramFolder.h"

namespace quillon::app {

std::string ErrorReporter::ReportText(std::string_view form, std::string_view area, int number,
                                      std::string_view source, std::string_view description) {
  std::string text = "Form: ";
  text += form;
  text += "\r\nArea: ";
  text += area;
  text += "\r\nNumber: " + std::to_string(number);
  text += "\r\nSource: ";
  text += source;
  text += "\r\nDescription: ";
  text += description;
  return text;
}

std::pair<int, std::string> ErrorReporter::InWords(const std::exception& error) {
  // The standard library names its own function ("stoi", "basic_string::substr") where a person
  // needs to read what went wrong; its failures are said as the language's errors say them.
  if (dynamic_cast<const std::invalid_argument*>(&error)) {
    return {13, "Type mismatch: a text that is not a number was read as a number."};
  }
  if (dynamic_cast<const std::out_of_range*>(&error)) {
    return {6, "Overflow: a number or a position was outside the range it may take."};
  }
  std::string_view what = error.what();
  if (dynamic_cast<const std::logic_error*>(&error) || what.find(' ') == std::string_view::npos) {
    return {5, "Invalid procedure call or argument."};
  }
  return {5, std::string(what)};
}

std::string ErrorReporter::ReporterProgram() const {
  const std::string& folder = runtime_.Info().executable_folder;
  if (!folder.empty()) {
    std::string beside = services::AddSlash(folder) + "mishap";
    if (runtime_.Files().Exists(beside)) return beside;
  }
  return "mishap";
}

void ErrorReporter::ReportError(std::string_view area, const runtime::Form* form, int number,
                                std::string_view source, std::string_view description,
                                const std::exception* current) {
  // The reporter never fails its caller: whatever goes wrong here is passed over.
  try {
    std::string form_name = form && !form->Name().empty() ? form->Name() : "Unknown";
    std::string current_source, current_description;
    int current_number = 0;
    if (auto* error = dynamic_cast<const runtime::ProgramError*>(current)) {
      current_number = error->Number();
      current_source = error->Source();
      current_description = error->Description();
    } else if (dynamic_cast<const std::bad_alloc*>(current)) {
      current_number = 7;
      current_source = runtime_.Info().title;
      current_description = "Out of memory";
    } else if (current) {
      current_source = runtime_.Info().title;
      std::tie(current_number, current_description) = InWords(*current);
    }
    if (number == 0) number = current_number;
    std::string report =
        ReportText(form_name, area, number, source.empty() ? current_source : source,
                   description.empty() ? current_description : description);
    runtime_.Shell().StartProcess(ReporterProgram(), {report});
  } catch (...) {
    // The last resort, and the one catch that drops what it caught: the report is where errors
    // go, so an error while reporting (no memory for the text, a reporter that cannot start) has
    // nowhere further to go, and throwing it on would end the program over its own report.
  }
}

}  // namespace quillon::app
