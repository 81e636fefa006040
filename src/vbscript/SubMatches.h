#pragma once
// A match's SubMatches: the text of each capturing group in order, Empty for a group that did
// not take part. Item (the default member) counts from 0; For Each visits the texts.
#include <string>
#include <vector>

#include "platform/ScriptObject.h"

namespace quillon::vbscript {

class SubMatches : public platform::ScriptObject {
 public:
  explicit SubMatches(std::vector<platform::ScriptValue> items) : items_(std::move(items)) {}

  std::string TypeName() const override { return "ISubMatches"; }
  bool HasMember(std::string_view name) const override;
  platform::ScriptStatus Invoke(std::string_view name, platform::ScriptCall kind,
                                std::span<platform::ScriptValue> args,
                                platform::ScriptValue& result) override;
  platform::ScriptStatus Enumerate(std::vector<platform::ScriptValue>& items) override;

 private:
  std::vector<platform::ScriptValue> items_;
};

}  // namespace quillon::vbscript
