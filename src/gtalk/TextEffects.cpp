#include "gtalk/TextEffects.h"

#include "app/Quillon.h"
#include "app/frmMain.h"
#include "gtalk/TextFilter.h"
#include "runtime/Runtime.h"
#include "text/Utf8.h"

namespace quillon::gtalk {

using platform::LParam;
namespace msg = platform::msg;

void TextEffects::ApplyFilter(int filter) {
  try {
    program_.Config().WriteSetting("1337Filter", TextFilter::FilterName(filter));
    if (auto* item = form_.FindMenu("mnu1337")) item->SetChecked(filter == 1);
    if (auto* item = form_.FindMenu("mnuCoolText")) item->SetChecked(filter == 2);
    if (auto* item = form_.FindMenu("mnuNone")) item->SetChecked(filter == 0);
  } catch (const std::exception& e) {
    program_.Reporter().ReportError("ApplyFilter", &form_, e);
  }
}

uint32_t TextEffects::FilterCode(uint32_t code) {
  return TextFilter::Apply(program_.Config().ReadSetting("1337Filter", ""), code);
}

void TextEffects::UpdateRecall(std::string_view text) {
  if (text == recall_[0]) return;
  for (size_t i = recall_.size() - 1; i > 0; --i) recall_[i] = recall_[i - 1];
  recall_[0] = std::string(text);
}

void TextEffects::BoldItalic(int italic) {
  try {
    if (!form_.CheckActiveWindow()) return;
    auto& windows = program_.Rt().Windows();
    platform::Hwnd input = program_.Chat().ChatInput;
    uint32_t start = 0, end = 0;
    windows.SendMessage(input, msg::kEmGetSel, reinterpret_cast<platform::WParam>(&start),
                        reinterpret_cast<LParam>(&end));
    if (start == end) end = start + 1;
    std::u32string text = text::DecodeUtf8(program_.GTalk().GetText(input));
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
    program_.Reporter().ReportError("BoldItalic", &form_, e);
  }
}

void TextEffects::Recall() {
  if (!form_.CheckActiveWindow()) return;
  ChatState& state = program_.Chat();
  ++state.RecallIndex;
  int index = std::clamp(state.RecallIndex - 1, 0, static_cast<int>(recall_.size()) - 1);
  program_.GTalk().SetText(recall_[index], state.ChatInput, false);
  if (state.RecallIndex >= 5) state.RecallIndex = 0;
}

}  // namespace quillon::gtalk
