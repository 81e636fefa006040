#include "status/modPluginLoader.h"

#include <cmath>

#include "gtalk/GTalkWindows.h"
#include "platform/Files.h"
#include "platform/ScriptValue.h"
#include "runtime/ListBox.h"
#include "runtime/ProgramError.h"
#include "runtime/Runtime.h"
#include "runtime/TextBox.h"
#include "services/ProgramFolder.h"
#include "status/PluginFile.h"
#include "status/RSS.h"
#include "status/StatusCode.h"
#include "status/frmReader.h"

namespace quillon::status {

namespace {

constexpr int kFileNotFound = 53;
constexpr int kPermissionDenied = 70;

enum class ReadOutcome { kRead, kMissing, kDenied };

// A plugin that vanished between the dialog and the read is as missing as one never there; every
// other failure to read is the person's rights to the file or its folder.
ReadOutcome ReadFile(platform::Files& files, const std::string& path, std::string& bytes) {
  switch (files.Read(path, bytes)) {
    case platform::FileProblem::kNone:
      return ReadOutcome::kRead;
    case platform::FileProblem::kMissing:
      return ReadOutcome::kMissing;
    default:
      return ReadOutcome::kDenied;
  }
}

}  // namespace

void modPluginLoader::FileMessage(int number, const std::string& path) {
  if (number == kFileNotFound) {
    rt_.MsgBox(
        "The file could not be found.  Please check that the file still exists and that the path "
        "is correct:\r\n\t" +
        path);
  } else {
    rt_.MsgBox(
        "Permission was denied.\r\nPlease check that you have rights to the folder / file and "
        "that the path is correct:\r\n\t" +
        path);
  }
}

void modPluginLoader::LoadPlugin(const std::string& FileName, runtime::TextBox& NameBox,
                                 runtime::TextBox& AuthorBox, runtime::TextBox& VersionBox,
                                 runtime::TextBox& DateBox, runtime::ListBox& FunctionList) {
  try {
    for (runtime::TextBox* box : {&NameBox, &AuthorBox, &VersionBox, &DateBox}) box->SetText("");
    std::string bytes;
    switch (ReadFile(rt_.Files(), FileName, bytes)) {
      case ReadOutcome::kMissing:
        FileMessage(kFileNotFound, FileName);
        return;
      case ReadOutcome::kDenied:
        FileMessage(kPermissionDenied, FileName);
        return;
      case ReadOutcome::kRead:
        break;
    }
    // A text file has no file version, so the version defaults to "1.0".
    PluginFile::Header header = PluginFile::ReadHeader(PluginFile::SplitLines(bytes));
    NameBox.SetText(header.name);
    AuthorBox.SetText(header.author);
    VersionBox.SetText(header.version);
    DateBox.SetText(header.date);
    for (std::string& function : header.functions) FunctionList.AddItem(std::move(function));
    rt_.DoEvents();
  } catch (const std::exception& e) {
    reports_.ReportError("LoadPlugin", &reader_, e);
  }
}

void modPluginLoader::ProcessFunction(const std::string& FileName, std::string FunctionName,
                                      std::string& Result, platform::Hwnd& Window,
                                      platform::Hwnd& ParentWindow, std::string& Code) {
  try {
    std::string bytes;
    switch (ReadFile(rt_.Files(), FileName, bytes)) {
      case ReadOutcome::kMissing:
        return;
      case ReadOutcome::kDenied:
        FileMessage(kPermissionDenied, FileName);
        return;
      case ReadOutcome::kRead:
        break;
    }
    std::vector<std::string> lines = PluginFile::SplitLines(bytes);
    for (const PluginFile::Section& section : PluginFile::FindSections(lines, FunctionName)) {
      if (section.type == "VBSCRIPT") {
        // A failing script ends the procedure, as any error does: a later section of the same
        // name would otherwise run on (and a second failure show a second error box).
        if (!RunScript(section.content, Code)) return;
      } else if (section.type == "RSS") {
        RunFeed(section.content, Result, Code);
      } else {
        WalkWindows(section.content, section.closed, Result, Window, ParentWindow, Code);
      }
    }
  } catch (const std::exception& e) {
    reports_.ReportError("ProcessFunction", &reader_, e);
  }
}

bool modPluginLoader::RunScript(const std::vector<std::string>& content, std::string& Code) {
  reader_.tmrStatus.SetInterval(
      static_cast<uint32_t>(settings_.ReadNumber(services::NumberSettings::kStatusInterval)));
  settings_.WriteSetting("IsScript", "1");
  for (const std::string& line : content) Code += line + "\r\n";
  // Errors of the script itself are the script host's to report (its error event).
  return reader_.RunScript(Code);
}

void modPluginLoader::RunFeed(const std::vector<std::string>& content, std::string& Result,
                              std::string& Code) {
  settings_.WriteSetting("IsScript", "0");
  int32_t timeout = settings_.ReadNumber(services::NumberSettings::kRequestTimeout);
  std::string address = content.empty() ? std::string() : content.front();
  for (const std::string& line : content) Code += line + "\r\n";
  platform::HttpResult fetched = rt_.Network().HttpGet(address, static_cast<uint32_t>(timeout));
  if (!fetched.ok) {
    throw runtime::ProgramError(35764, "Inet",
                                "The feed " + address + " could not be fetched: " + fetched.error);
  }
  std::string error;
  std::optional<RSS> record = RSS::Read(std::move(fetched.body), error);
  if (!record) throw runtime::ProgramError(5, "ProcessFunction", error + " (" + address + ")");
  std::vector<std::string> format_lines;
  if (content.size() > 1) format_lines.assign(content.begin() + 1, content.end());
  Result = record->Format(format_lines, [this] {
    reader_.tmrStatus.SetInterval(
        static_cast<uint32_t>(settings_.ReadNumber(services::NumberSettings::kRssInterval)));
    rt_.DoEvents();
  });
}

void modPluginLoader::WalkWindows(const std::vector<std::string>& content, bool closed,
                                  std::string& Result, platform::Hwnd& Window,
                                  platform::Hwnd& ParentWindow, std::string& Code) {
  reader_.tmrStatus.SetInterval(
      static_cast<uint32_t>(settings_.ReadNumber(services::NumberSettings::kStatusInterval)));
  settings_.WriteSetting("IsScript", "0");
  platform::WindowSystem& windows = rt_.Windows();
  for (const std::string& line : content) {
    Code += line + "\r\n";
    if (line.empty() || line[0] != '(') {
      // A plain class steps down: while Window is 0 that searches the top-level windows.
      ParentWindow = Window;
      Window = windows.FindWindowEx(Window, 0, line, std::nullopt);
    } else {
      // "(class)" steps to the next sibling of that class.
      std::string class_name = line.size() >= 2 ? line.substr(1, line.size() - 2) : "";
      Window = windows.FindWindowEx(ParentWindow, Window, class_name, std::nullopt);
    }
    rt_.DoEvents();
  }
  if (closed) Result = gtalk_.GetText(Window);
}

std::string modPluginLoader::ParseStatus(std::string_view StatusCode) {
  return status::StatusCode::Expand(
      StatusCode,
      [this](const std::string& plugin, const std::string& function) {
        std::string result, code;
        platform::Hwnd window = 0, parent = 0;
        ProcessFunction(PluginPath(plugin), function, result, window, parent, code);
        return result;
      },
      [this] { rt_.DoEvents(); });
}

std::string modPluginLoader::StripExtension(std::string_view FileTitle) {
  return PluginFile::StripExtension(FileTitle);
}

std::string modPluginLoader::PluginPath(std::string_view plugin) const {
  return services::AddSlash(rt_.Info().folder) + "Plugins/" + std::string(plugin) + ".qn";
}

}  // namespace quillon::status
