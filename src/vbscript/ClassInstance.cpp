#include "vbscript/ClassInstance.h"

#include "vbscript/Interpreter.h"
#include "vbscript/Text.h"

namespace quillon::vbscript {

ClassInstance::ClassInstance(const ClassDecl& decl, std::shared_ptr<const Program> program,
                             std::shared_ptr<EngineLink> link)
    : decl_(&decl),
      program_(std::move(program)),
      link_(std::move(link)),
      fields_(decl.fields.size()) {
  link_->live.insert(this);
}

ClassInstance::~ClassInstance() { link_->live.erase(this); }

std::shared_ptr<ClassInstance> ClassInstance::Create(const ClassDecl& decl,
                                                     std::shared_ptr<const Program> program,
                                                     std::shared_ptr<EngineLink> link) {
  std::shared_ptr<ClassInstance> instance(new ClassInstance(decl, std::move(program), link),
                                          Deleter{link});
  instance->self_ = instance;
  return instance;
}

void ClassInstance::Deleter::operator()(ClassInstance* instance) const {
  if (link->engine != nullptr && instance->decl_->terminate != nullptr && !instance->terminated_) {
    instance->terminated_ = true;
    if (link->engine->Idle()) {
      Terminate(instance, link);
    } else {
      link->terminate_queue.push_back(instance);
    }
    return;
  }
  link->release_queue.push_back(instance);
  if (link->releasing) return;
  // Keep the link alive while the queue empties: the last instance may hold its last reference.
  std::shared_ptr<EngineLink> keep = link;
  keep->releasing = true;
  while (!keep->release_queue.empty()) {
    ClassInstance* next = keep->release_queue.back();
    keep->release_queue.pop_back();
    delete next;
  }
  keep->releasing = false;
}

void ClassInstance::Terminate(ClassInstance* instance, const std::shared_ptr<EngineLink>& link) {
  std::shared_ptr<ClassInstance> me(instance, Deleter{link});
  instance->self_ = me;
  if (link->engine != nullptr) link->engine->RunTerminate(me);
}

bool ClassInstance::HasMember(std::string_view name) const {
  std::string lower = text::Lower(name);
  auto field = decl_->field_index.find(lower);
  if (field != decl_->field_index.end()) return decl_->fields[field->second].is_public;
  for (const auto* table : {&decl_->methods, &decl_->getters, &decl_->letters, &decl_->setters}) {
    auto it = table->find(lower);
    if (it != table->end() && it->second->is_public) return true;
  }
  return false;
}

platform::ScriptStatus ClassInstance::Invoke(std::string_view name, platform::ScriptCall kind,
                                             std::span<platform::ScriptValue> args,
                                             platform::ScriptValue& result) {
  auto self = self_.lock();
  if (link_->engine == nullptr || !self) {
    return platform::ScriptStatus::Fail(70, "The script engine of this object has closed");
  }
  return link_->engine->InvokeInstance(self, name, kind, args, result);
}

}  // namespace quillon::vbscript
