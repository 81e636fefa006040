#include "runtime/Runtime.h"

#include <algorithm>
#include <stdexcept>

#include "platform/Files.h"
#include "runtime/Form.h"
#include "runtime/Holding.h"

namespace quillon::runtime {

Runtime::Runtime(platform::Platform& platform, EventLoop& loop, ProgramInfo info)
    : platform_(platform), loop_(loop), info_(std::move(info)), network_(platform.network) {}

Runtime::~Runtime() = default;

platform::DialogResult Runtime::MsgBox(std::string_view text, uint32_t flags,
                                       std::optional<std::string_view> title) {
  return platform_.dialogs.MessageBox(text, title.value_or(info_.title), flags);
}

void Runtime::End() {
  if (ended_) return;
  ended_ = true;
  // Given back first, so that nothing the program held can reach it while its forms go.
  std::vector<Holding*> held = std::move(held_);
  held_.clear();
  for (Holding* holding : held) holding->LetGo();
  network_.CloseAll();
  // The forms' windows go at once, without events; the forms themselves belong to the program
  // and go with it.
  std::vector<Form*> forms = forms_;
  for (Form* form : forms) form->Discard();
  if (on_end) {
    auto release = std::move(on_end);
    release();
  }
}

void Runtime::Hold(Holding* holding) {
  if (std::find(held_.begin(), held_.end(), holding) == held_.end()) held_.push_back(holding);
}

void Runtime::LetGoOf(Holding* holding) { std::erase(held_, holding); }

void Runtime::Register(Form* form) {
  if (std::find(forms_.begin(), forms_.end(), form) == forms_.end()) forms_.push_back(form);
}

void Runtime::Unregister(Form* form) { std::erase(forms_, form); }

Form* Runtime::FindForm(std::string_view name, std::string_view key) const {
  for (Form* form : forms_) {
    if (form->Name() == name && (key.empty() || form->Key() == key)) return form;
  }
  return nullptr;
}

platform::Files& Runtime::Files() {
  if (platform_.files == nullptr) throw std::runtime_error("this desktop offers no files");
  return *platform_.files;
}

}  // namespace quillon::runtime
