#include "gtalk/TextEffects.h"

#include "gtalk/GTalkWindows.h"
#include "gtalk/TextFilter.h"
#include "gtalk/WindowWatcher.h"
#include "runtime/Form.h"
#include "text/Utf8.h"
#include "runtime/Runtime.h"
#include "text/Utf8.h"

namespace quillon::gtalk {

using platform::LParam;
namespace msg = platform::msg;

void TextEffects::ApplyFilter(int filter) {
  try {
    settings_.WriteSetting("1337Filter", TextFilter::FilterName(filter));
    if (auto* item = form_.FindMenu("mnu1337")) item->SetChecked(filter == 1);
    if (auto* item = form_.FindMenu("mnuCoolText")) item->SetChecked(filter == 2);
    if (auto* item = form_.FindMenu("mnuNone")) item->SetChecked(filter == 0);
  } catch (const std::exception& e) {
    reports_.ReportError("ApplyFilter", &form_, e);
  }
}

uint32_t TextEffects::FilterCode(uint32_t code) {
  return TextFilter::Apply(settings_.ReadSetting("1337Filter", ""), code);
}

void TextEffects::UpdateRecall(std::string_view text) {
  if (text == recall_[0]) return;
  for (size_t i = recall_.size() - 1; i > 0; --i) recall_[i] = recall_[i - 1];
  recall_[0] = std::string(text);
}

void TextEffects::BoldItalic(int italic) {
  try {
    if (!watcher_.CheckActiveWindow()) return;
    auto& windows = rt_.Windows();
    platform::Hwnd input = chat_.ChatInput;
    uint32_t start = 0, end = 0;
    windows.SendMessage(input, msg::kEmGetSel, reinterpret_cast<platform::WParam>(&start),
                        reinterpret_cast<LParam>(&end));
    if (start == end) end = start + 1;
    std::u32string text = text::DecodeUtf8(gtalk_.GetText(input));
    std::u32string selected =
        start < text.size() ? text.substr(start, std::min<size_t>(end, text.size()) - start) : U"";
    std::string marker = italic == 1 ? "_" : "*";
    std::string replacement = marker + text::EncodeUtf8(selected) + marker;
    windows.SendMessage(input, msg::kEmReplaceSel, 0,
                        reinterpret_cast<LParam>(replacement.c_str()));
    if (end - 1 == start) {
      // An empty (or one-character) selection: typing goes on between the markers.
      windows.SendMessage(input, msg::kEmSetSel, start + 1, start + 1);
    }
  } catch (const std::exception& e) {
    reports_.ReportError("BoldItalic", &form_, e);
  }
}

void TextEffects::Recall() {
  if (!watcher_.CheckActiveWindow()) return;
  services::ChatState& state = chat_;
  ++state.RecallIndex;
  int index = std::clamp(state.RecallIndex - 1, 0, static_cast<int>(recall_.size()) - 1);
  gtalk_.SetText(recall_[index], state.ChatInput, false);
  if (state.RecallIndex >= 5) state.RecallIndex = 0;
}

}  // namespace quillon::gtalk
