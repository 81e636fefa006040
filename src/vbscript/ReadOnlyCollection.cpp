#include "vbscript/ReadOnlyCollection.h"

#include "vbscript/Text.h"

namespace quillon::vbscript {

using platform::ScriptCall;
using platform::ScriptStatus;
using platform::ScriptValue;

bool ReadOnlyCollection::HasMember(std::string_view name) const {
  std::string lower = text::Lower(name);
  return lower == "item" || lower == "count";
}

ScriptStatus ReadOnlyCollection::Invoke(std::string_view name, ScriptCall kind,
                                        std::span<ScriptValue> args, ScriptValue& result) {
  if (kind == ScriptCall::kPropertyLet || kind == ScriptCall::kPropertySet) {
    return ScriptStatus::Fail(438);
  }
  std::string member = text::Lower(name);
  if (member == "count") {
    if (!args.empty()) return ScriptStatus::Fail(450);
    result = ScriptValue::Long(static_cast<int32_t>(items_.size()));
    return ScriptStatus::Ok();
  }
  if (member.empty() || member == "item") {
    if (args.size() != 1) return ScriptStatus::Fail(450);
    int32_t index = 0;
    if (int error = args[0].ToLong(index)) return ScriptStatus::Fail(error);
    if (index < 0 || static_cast<size_t>(index) >= items_.size()) return ScriptStatus::Fail(5);
    result = items_[static_cast<size_t>(index)];
    return ScriptStatus::Ok();
  }
  return ScriptStatus::Fail(438);
}

ScriptStatus ReadOnlyCollection::Enumerate(std::vector<ScriptValue>& items) {
  items = items_;
  return ScriptStatus::Ok();
}

}  // namespace quillon::vbscript
