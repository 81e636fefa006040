#pragma once
// Scripting.Dictionary: the keyed collection status scripts use most. Keys keep the order they
// were added in; Item on a missing key adds it, as the original does.
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/ScriptObject.h"

namespace quillon::vbscript {

class Dictionary : public platform::ScriptObject {
 public:
  std::string TypeName() const override { return "Dictionary"; }
  bool HasMember(std::string_view name) const override;
  platform::ScriptStatus Invoke(std::string_view name, platform::ScriptCall kind,
                                std::span<platform::ScriptValue> args,
                                platform::ScriptValue& result) override;
  platform::ScriptStatus Enumerate(std::vector<platform::ScriptValue>& items) override;
  void TakeContents(std::vector<platform::ScriptValue>& out) override;
  ~Dictionary() override;

 private:
  struct Entry {
    platform::ScriptValue key;
    platform::ScriptValue item;
  };
  // The identity of a key: 1 and 1.0 are one key, "1" another; text compare mode folds case.
  bool KeyOf(const platform::ScriptValue& key, std::string& out, int& error) const;
  void Reindex();

  std::vector<Entry> entries_;
  std::unordered_map<std::string, size_t> index_;
  bool text_compare_ = false;
};

}  // namespace quillon::vbscript
