#pragma once
// An object of a class the script defined. Its fields live here; its code runs in the engine.
#include <memory>
#include <vector>

#include "platform/ScriptObject.h"
#include "vbscript/Ast.h"
#include "vbscript/EngineLink.h"

namespace quillon::vbscript {

class ClassInstance : public platform::ScriptObject {
 public:
  // The instance's fields are Empty (arrays sized by the engine); Class_Initialize is the
  // engine's to run.
  // `program` owns `decl`; the instance keeps it, since a host may hold the instance after the
  // engine is gone.
  static std::shared_ptr<ClassInstance> Create(const ClassDecl& decl,
                                               std::shared_ptr<const Program> program,
                                               std::shared_ptr<EngineLink> link);
  ~ClassInstance() override;

  const ClassDecl& Decl() const { return *decl_; }
  std::vector<platform::ScriptValue>& Fields() { return fields_; }
  std::shared_ptr<ClassInstance> Self() const { return self_.lock(); }

  std::string TypeName() const override { return decl_->display; }
  bool HasMember(std::string_view name) const override;
  platform::ScriptStatus Invoke(std::string_view name, platform::ScriptCall kind,
                                std::span<platform::ScriptValue> args,
                                platform::ScriptValue& result) override;

  // Runs Class_Terminate of an instance whose last reference went; called by the engine at a
  // statement boundary. Consumes the instance.
  static void Terminate(ClassInstance* instance, const std::shared_ptr<EngineLink>& link);

 private:
  struct Deleter {
    std::shared_ptr<EngineLink> link;
    void operator()(ClassInstance* instance) const;
  };

  ClassInstance(const ClassDecl& decl, std::shared_ptr<const Program> program,
                std::shared_ptr<EngineLink> link);

  const ClassDecl* decl_;
  std::shared_ptr<const Program> program_;
  std::shared_ptr<EngineLink> link_;
  std::vector<platform::ScriptValue> fields_;
  std::weak_ptr<ClassInstance> self_;
  bool terminated_ = false;
};

}  // namespace quillon::vbscript
