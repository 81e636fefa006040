#include "vbscript/ProcedureRef.h"

#include "vbscript/Interpreter.h"

namespace quillon::vbscript {

platform::ScriptStatus ProcedureRef::Invoke(std::string_view name, platform::ScriptCall kind,
                                            std::span<platform::ScriptValue> args,
                                            platform::ScriptValue& result) {
  if (!name.empty() || kind == platform::ScriptCall::kPropertyLet ||
      kind == platform::ScriptCall::kPropertySet)
    return platform::ScriptStatus::Fail(438);
  if (link_->engine == nullptr) {
    return platform::ScriptStatus::Fail(70, "The script engine of this procedure has closed");
  }
  return link_->engine->InvokeProcedure(*procedure_, args, result);
}

}  // namespace quillon::vbscript
