#pragma once
// Typing aids in the current chat input: the letter filter's choice, bold and italic markers
// around the selection, and recall of the last five lines sent.
#include <array>
#include <string>
#include <string_view>

namespace quillon::app {
class Quillon;
class frmMain;
}  // namespace quillon::app

namespace quillon::gtalk {

class TextEffects {
 public:
  TextEffects(app::Quillon& program, app::frmMain& form) : program_(program), form_(form) {}

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
  app::Quillon& program_;
  app::frmMain& form_;
  std::array<std::string, 5> recall_;
};

}  // namespace quillon::gtalk
