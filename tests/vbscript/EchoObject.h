#pragma once
// A WScript stand-in that records what Echo prints, one entry per line.
#include <string>
#include <vector>

#include "platform/ScriptObject.h"
#include "vbscript/Text.h"

namespace quillon::vbscript::testing {

class EchoObject : public platform::ScriptObject {
 public:
  explicit EchoObject(std::vector<std::string>& lines) : lines_(lines) {}

  std::string TypeName() const override { return "WScript"; }
  bool HasMember(std::string_view name) const override { return text::Lower(name) == "echo"; }
  platform::ScriptStatus Invoke(std::string_view name, platform::ScriptCall,
                                std::span<platform::ScriptValue> args,
                                platform::ScriptValue&) override {
    if (text::Lower(name) != "echo") return platform::ScriptStatus::Fail(438);
    std::string line;
    for (size_t i = 0; i < args.size(); ++i) {
      std::string part;
      if (int error = args[i].ToText(part)) return platform::ScriptStatus::Fail(error);
      line += (i > 0 ? " " : "") + part;
    }
    lines_.push_back(line);
    return platform::ScriptStatus::Ok();
  }

 private:
  std::vector<std::string>& lines_;
};

}  // namespace quillon::vbscript::testing
