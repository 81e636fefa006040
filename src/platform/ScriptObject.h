#pragma once
// An object that a host gives to scripts (and, the other way, a script object handed to the
// host). Scripts reach its members by name; names compare without regard to case.
//
// Contract:
// - Called on the script host's thread only, from inside a running script (or by the host).
// - A member call may run further script code on the same host (re-entrancy is allowed).
// - Failures come back as a ScriptStatus carrying a script error number and description;
//   nothing throws. An unknown member is 438 "Object doesn't support this property or method".
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ScriptValue.h"

namespace quillon::platform {

enum class ScriptCall {
  kMethod,       // obj.Name a, b  or  x = obj.Name(a, b)
  kPropertyGet,  // x = obj.Name  or  x = obj.Name(i)
  kPropertyLet,  // obj.Name(i) = value: the value is the last argument
  kPropertySet,  // Set obj.Name(i) = object: the object is the last argument
};

struct ScriptStatus {
  int32_t number = 0;       // 0: success
  std::string description;  // empty: the standard text of `number`
  std::string source;       // empty: the script engine's runtime source

  bool ok() const { return number == 0; }
  static ScriptStatus Ok() { return {}; }
  static ScriptStatus Fail(int32_t number, std::string description = {}) {
    return {number, std::move(description), {}};
  }
};

class ScriptObject {
 public:
  virtual ~ScriptObject() = default;

  // What TypeName reports for the object ("Dictionary", "GTalk").
  virtual std::string TypeName() const = 0;

  // Whether the object has a member of this name; scripts see the members of an object added
  // with global members as bare names only where this says yes.
  virtual bool HasMember(std::string_view name) const = 0;

  // Calls a member. The empty name is the default member (d("key"), or the object's value where
  // a plain value is needed). Scripts write obj.Count and obj.Count() alike, so a member that
  // returns a value should answer kMethod and kPropertyGet the same way. `args` are the script's
  // arguments in order; an argument that the script passed as a variable is written back after the
  // call, so the object may change any element to return a value by reference. The member's value
  // goes to `result` (left Empty by a member that returns nothing).
  virtual ScriptStatus Invoke(std::string_view name, ScriptCall kind, std::span<ScriptValue> args,
                              ScriptValue& result) = 0;

  // The items a For Each loop visits. Objects that are not collections keep this default.
  virtual ScriptStatus Enumerate(std::vector<ScriptValue>& items) {
    return ScriptStatus::Fail(451, "Object not a collection");
  }

  // Called when the last reference to a collection is going: moves the values it holds to
  // `out`, so that collections nested deeply are freed one level at a time. Objects that hold
  // no script values, or must keep them until they end, keep this default.
  virtual void TakeContents(std::vector<ScriptValue>& out) {}
};

}  // namespace quillon::platform
