#pragma once
// Makes script hosts: each window of the program that runs scripts has one of its own.
//
// Contract: called on the program's one thread; a host made here lives as long as its owner
// keeps it and shares nothing with other hosts.
#include <memory>

#include "platform/ScriptHost.h"

namespace quillon::platform {

class ScriptHostFactory {
 public:
  virtual ~ScriptHostFactory() = default;
  virtual std::unique_ptr<ScriptHost> CreateHost() = 0;
};

}  // namespace quillon::platform
