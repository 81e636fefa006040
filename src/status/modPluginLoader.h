#pragma once
// Reads plugin files and runs their functions for the Active Status window: the header and
// function list shown when a plugin is loaded, one function run (a script, a feed, or a window
// path), and the expansion of a whole status code on every status tick. Files are read afresh
// on every call; nothing is kept between calls.
#include <string>
#include <string_view>
#include <vector>

#include "platform/Window.h"
#include "services/ErrorReports.h"
#include "services/SettingsStore.h"

namespace quillon::runtime {
class Runtime;
}
namespace quillon::gtalk {
class GTalkWindows;
}
namespace quillon::runtime {
class ListBox;
class TextBox;
}  // namespace quillon::runtime

namespace quillon::status {

class frmReader;

class modPluginLoader {
 public:
  modPluginLoader(runtime::Runtime& rt, services::SettingsStore& settings,
                  services::ErrorReports& reports, gtalk::GTalkWindows& gtalk, frmReader& reader)
      : rt_(rt), settings_(settings), reports_(reports), gtalk_(gtalk), reader_(reader) {}

  // Fills the four boxes with the header values and adds the function names to `FunctionList`.
  // A missing or unreadable file is said in a message box.
  void LoadPlugin(const std::string& FileName, runtime::TextBox& NameBox,
                  runtime::TextBox& AuthorBox, runtime::TextBox& VersionBox,
                  runtime::TextBox& DateBox, runtime::ListBox& FunctionList);

  // Runs function `FunctionName` of the plugin file. Feed and window-path functions put their
  // text in `Result`; a script sets the status itself and leaves `Result` alone. `Window` and
  // `ParentWindow` carry the window path's walk; `Code` receives the section's lines.
  void ProcessFunction(const std::string& FileName, std::string FunctionName, std::string& Result,
                       platform::Hwnd& Window, platform::Hwnd& ParentWindow, std::string& Code);

  // The status text of a status code, with a leading blank (the caller trims).
  std::string ParseStatus(std::string_view StatusCode);

  static std::string StripExtension(std::string_view FileTitle);

  // The path of a plugin named in a token.
  std::string PluginPath(std::string_view plugin) const;

 private:
  // False when the script failed (or could not run).
  bool RunScript(const std::vector<std::string>& content, std::string& Code);
  void RunFeed(const std::vector<std::string>& content, std::string& Result, std::string& Code);
  void WalkWindows(const std::vector<std::string>& content, bool closed, std::string& Result,
                   platform::Hwnd& Window, platform::Hwnd& ParentWindow, std::string& Code);
  void FileMessage(int number, const std::string& path);

  runtime::Runtime& rt_;
  services::SettingsStore& settings_;
  services::ErrorReports& reports_;
  gtalk::GTalkWindows& gtalk_;
  frmReader& reader_;
};

}  // namespace quillon::status
