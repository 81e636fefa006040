// Feeds any bytes to the RegExp object as a pattern, a text and a replacement: no pattern may
// crash it or hang it. The first byte chooses the flags; the rest is split at the first two
// newlines into pattern, text and replacement. A search that backtracks without end must end
// with an error, and every match must lie inside the text.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/ScriptValue.h"
#include "vbscript/RegExp.h"

namespace {

using quillon::platform::ScriptCall;
using quillon::platform::ScriptValue;

void Check(bool holds) {
  if (!holds) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0 || size > 4096) return 0;
  uint8_t flags = data[0];
  std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
  size_t first = rest.find('\n');
  std::string_view pattern = rest.substr(0, first);
  std::string_view subject;
  std::string_view replacement;
  if (first != std::string_view::npos) {
    std::string_view after = rest.substr(first + 1);
    size_t second = after.find('\n');
    subject = after.substr(0, second);
    if (second != std::string_view::npos) replacement = after.substr(second + 1);
  }

  quillon::vbscript::RegExp re;
  re.SetMatchLimit(20000);
  re.pattern = std::string(pattern);
  re.ignore_case = flags & 1;
  re.global = flags & 2;
  re.multiline = flags & 4;

  bool found = false;
  auto tested = re.Test(subject, found);
  ScriptValue matches;
  auto executed = re.Execute(subject, matches);
  Check(tested.ok() == executed.ok());
  if (executed.ok()) {
    ScriptValue count;
    std::span<ScriptValue> none;
    matches.ObjectValue()->Invoke("Count", ScriptCall::kPropertyGet, none, count);
    Check(found == (count.Number() > 0));
    std::vector<ScriptValue> items;
    matches.ObjectValue()->Enumerate(items);
    for (auto& item : items) {
      ScriptValue first_index, length;
      item.ObjectValue()->Invoke("FirstIndex", ScriptCall::kPropertyGet, none, first_index);
      item.ObjectValue()->Invoke("Length", ScriptCall::kPropertyGet, none, length);
      Check(first_index.Number() >= 0 && length.Number() >= 0);
      Check(first_index.Number() + length.Number() <= static_cast<double>(subject.size()));
    }
  } else {
    Check(executed.number == 28 || (executed.number >= 5017 && executed.number <= 5021) ||
          executed.number == 7);
  }
  std::string replaced;
  auto status = re.Replace(subject, replacement, replaced);
  Check(status.ok() == executed.ok() || status.number == 28 || status.number == 7);
  return 0;
}
