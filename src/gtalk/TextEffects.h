#pragma once
// Typing aids in the current chat input: the letter filter's choice, bold and italic markers
// around the selection, and recall of the last five lines sent.
#include <array>
#include <string>
#include <string_view>

#include "services/ChatState.h"
#include "services/ErrorReports.h"
#include "services/SettingsStore.h"

namespace quillon::runtime {
class Form;
class Runtime;
}  // namespace quillon::runtime

namespace quillon::gtalk {

class GTalkWindows;
class WindowWatcher;

class TextEffects {
 public:
  // `form` is the main form: it holds the filter's menu items, and errors are reported for it.
  TextEffects(runtime::Runtime& rt, services::SettingsStore& settings,
              services::ErrorReports& reports, services::ChatState& chat, GTalkWindows& gtalk,
              runtime::Form& form, WindowWatcher& watcher)
      : rt_(rt),
        settings_(settings),
        reports_(reports),
        chat_(chat),
        gtalk_(gtalk),
        form_(form),
        watcher_(watcher) {}

  // Stores the filter's name and ticks its menu item.
  void ApplyFilter(int filter);
  // The typed character code as the chosen filter turns it.
  uint32_t FilterCode(uint32_t code);
  void UpdateRecall(std::string_view text);
  // 0: bold ("*"), 1: italic ("_").
  void BoldItalic(int italic);
  void Recall();
  const std::array<std::string, 5>& RecallList() const { return recall_; }

 private:
  runtime::Runtime& rt_;
  services::SettingsStore& settings_;
  services::ErrorReports& reports_;
  services::ChatState& chat_;
  GTalkWindows& gtalk_;
  runtime::Form& form_;
  WindowWatcher& watcher_;
  std::array<std::string, 5> recall_;
};

}  // namespace quillon::gtalk
