#pragma once
// One match of a regular expression, as Execute reports it: its text (Value, the default
// member), where it starts (FirstIndex, in characters from 0), its Length in characters, and
// the texts of its groups (SubMatches).
#include <memory>
#include <string>

#include "platform/ScriptObject.h"
#include "vbscript/ReadOnlyCollection.h"

namespace quillon::vbscript {

class Match : public platform::ScriptObject {
 public:
  Match(std::string value, int32_t first_index, int32_t length,
        std::shared_ptr<ReadOnlyCollection> sub_matches)
      : value_(std::move(value)),
        first_index_(first_index),
        length_(length),
        sub_matches_(std::move(sub_matches)) {}

  std::string TypeName() const override { return "IMatch2"; }
  bool HasMember(std::string_view name) const override;
  platform::ScriptStatus Invoke(std::string_view name, platform::ScriptCall kind,
                                std::span<platform::ScriptValue> args,
                                platform::ScriptValue& result) override;

 private:
  std::string value_;
  int32_t first_index_;
  int32_t length_;
  std::shared_ptr<ReadOnlyCollection> sub_matches_;
};

}  // namespace quillon::vbscript
