#pragma once
// What GetRef returns: an object whose default member calls a script procedure, so a host can
// keep a script's handler and call it later.
#include <memory>

#include "platform/ScriptObject.h"
#include "vbscript/Ast.h"
#include "vbscript/EngineLink.h"

namespace quillon::vbscript {

class ProcedureRef : public platform::ScriptObject {
 public:
  ProcedureRef(const ProcedureDecl& procedure, std::shared_ptr<const Program> program,
               std::shared_ptr<EngineLink> link)
      : procedure_(&procedure), program_(std::move(program)), link_(std::move(link)) {}

  std::string TypeName() const override { return "Object"; }
  bool HasMember(std::string_view name) const override { return name.empty(); }
  platform::ScriptStatus Invoke(std::string_view name, platform::ScriptCall kind,
                                std::span<platform::ScriptValue> args,
                                platform::ScriptValue& result) override;

 private:
  const ProcedureDecl* procedure_;
  std::shared_ptr<const Program> program_;  // owns procedure_
  std::shared_ptr<EngineLink> link_;
};

}  // namespace quillon::vbscript
