#include "vbscript/Match.h"

#include "vbscript/Text.h"

namespace quillon::vbscript {

using platform::ScriptCall;
using platform::ScriptStatus;
using platform::ScriptValue;

bool Match::HasMember(std::string_view name) const {
  std::string lower = text::Lower(name);
  return lower == "value" || lower == "firstindex" || lower == "length" || lower == "submatches";
}

ScriptStatus Match::Invoke(std::string_view name, ScriptCall kind, std::span<ScriptValue> args,
                           ScriptValue& result) {
  if (kind == ScriptCall::kPropertyLet || kind == ScriptCall::kPropertySet) {
    return ScriptStatus::Fail(438);
  }
  std::string member = text::Lower(name);
  // m.SubMatches(1) reads an item of the collection the property returns.
  if (member == "submatches" && !args.empty()) {
    return sub_matches_->Invoke("", ScriptCall::kPropertyGet, args, result);
  }
  if (!args.empty()) return ScriptStatus::Fail(450);
  if (member.empty() || member == "value") {
    result = ScriptValue::String(value_);
  } else if (member == "firstindex") {
    result = ScriptValue::Long(first_index_);
  } else if (member == "length") {
    result = ScriptValue::Long(length_);
  } else if (member == "submatches") {
    result = ScriptValue::Object(sub_matches_);
  } else {
    return ScriptStatus::Fail(438);
  }
  return ScriptStatus::Ok();
}

}  // namespace quillon::vbscript
