#include "platform/ScriptArray.h"

namespace quillon::platform {

ScriptArray::~ScriptArray() {
  std::vector<ScriptValue> pending = std::move(elements);
  ScriptValue::DestroyIteratively(pending);
}

}  // namespace quillon::platform
