#pragma once
// A collection a script reads but cannot change, as RegExp.Execute hands them out: the Matches
// (Match objects in the order found, type "IMatchCollection2") and a match's SubMatches (the
// text of each capturing group, Empty for a group that took no part, type "ISubMatches").
// Item (the default member) counts from 0, Count gives the size, For Each visits the items.
#include <string>
#include <vector>

#include "platform/ScriptObject.h"

namespace quillon::vbscript {

class ReadOnlyCollection : public platform::ScriptObject {
 public:
  ReadOnlyCollection(std::string type_name, std::vector<platform::ScriptValue> items)
      : type_name_(std::move(type_name)), items_(std::move(items)) {}

  std::string TypeName() const override { return type_name_; }
  bool HasMember(std::string_view name) const override;
  platform::ScriptStatus Invoke(std::string_view name, platform::ScriptCall kind,
                                std::span<platform::ScriptValue> args,
                                platform::ScriptValue& result) override;
  platform::ScriptStatus Enumerate(std::vector<platform::ScriptValue>& items) override;

 private:
  std::string type_name_;
  std::vector<platform::ScriptValue> items_;
};

}  // namespace quillon::vbscript
