#pragma once
// What RegExp.Execute returns: the matches in the order found. Item (the default member)
// counts from 0; For Each visits the Match objects.
#include <string>
#include <vector>

#include "platform/ScriptObject.h"

namespace quillon::vbscript {

class MatchCollection : public platform::ScriptObject {
 public:
  explicit MatchCollection(std::vector<platform::ScriptValue> matches)
      : matches_(std::move(matches)) {}

  std::string TypeName() const override { return "IMatchCollection2"; }
  bool HasMember(std::string_view name) const override;
  platform::ScriptStatus Invoke(std::string_view name, platform::ScriptCall kind,
                                std::span<platform::ScriptValue> args,
                                platform::ScriptValue& result) override;
  platform::ScriptStatus Enumerate(std::vector<platform::ScriptValue>& items) override;

 private:
  std::vector<platform::ScriptValue> matches_;
};

}  // namespace quillon::vbscript
