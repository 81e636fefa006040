#include "vbscript/RegExp.h"

#include <memory>
#include <vector>

#include "vbscript/Match.h"
#include "vbscript/ReadOnlyCollection.h"
#include "vbscript/Text.h"

namespace quillon::vbscript {

using platform::ScriptCall;
using platform::ScriptStatus;
using platform::ScriptValue;

namespace {

// Replacement and match texts are held to the same size as every other string of a script.
constexpr size_t kMaxResultBytes = 1 << 24;

ScriptStatus PatternError(int32_t number) {
  return ScriptStatus::Fail(number, std::string(RegExpPattern::ErrorText(number)));
}

size_t CharLength(std::string_view subject, size_t at) {
  if (at >= subject.size()) return 1;
  unsigned char lead = static_cast<unsigned char>(subject[at]);
  size_t length = lead < 0x80         ? 1
                  : (lead >> 5) == 6  ? 2
                  : (lead >> 4) == 14 ? 3
                  : (lead >> 3) == 30 ? 4
                                      : 1;
  return at + length <= subject.size() ? length : 1;
}

std::string_view Group(std::string_view subject, const RegExpMatch& match, size_t group) {
  const auto& [start, end] = match.groups[group - 1];
  if (start == RegExpMatch::kUnset) return {};
  return subject.substr(start, end - start);
}

// The replacement text of one match: $& the match, $` the text before it, $' the text after it,
// $$ a dollar sign, $1 to $99 a group (two digits when there are that many groups); any other
// dollar sign stands for itself.
void Expand(std::string_view replacement, std::string_view subject, const RegExpMatch& match,
            std::string& out) {
  size_t groups = match.groups.size();
  for (size_t i = 0; i < replacement.size(); ++i) {
    char c = replacement[i];
    if (c != '$' || i + 1 >= replacement.size()) {
      out += c;
      continue;
    }
    char next = replacement[i + 1];
    if (next == '$') {
      out += '$';
      ++i;
    } else if (next == '&') {
      out.append(subject.substr(match.start, match.end - match.start));
      ++i;
    } else if (next == '`') {
      out.append(subject.substr(0, match.start));
      ++i;
    } else if (next == '\'') {
      out.append(subject.substr(match.end));
      ++i;
    } else if (next >= '0' && next <= '9') {
      size_t one = static_cast<size_t>(next - '0');
      bool has_second =
          i + 2 < replacement.size() && replacement[i + 2] >= '0' && replacement[i + 2] <= '9';
      size_t two = has_second ? one * 10 + static_cast<size_t>(replacement[i + 2] - '0') : 0;
      if (has_second && two >= 1 && two <= groups) {
        out.append(Group(subject, match, two));
        i += 2;
      } else if (one >= 1 && one <= groups) {
        out.append(Group(subject, match, one));
        ++i;
      } else {
        out += c;
      }
    } else {
      out += c;
    }
  }
}

}  // namespace

bool RegExp::HasMember(std::string_view name) const {
  std::string lower = text::Lower(name);
  return lower == "pattern" || lower == "ignorecase" || lower == "global" || lower == "multiline" ||
         lower == "test" || lower == "replace" || lower == "execute";
}

ScriptStatus RegExp::Invoke(std::string_view name, ScriptCall kind, std::span<ScriptValue> args,
                            ScriptValue& result) {
  std::string member = text::Lower(name);
  bool put = kind == ScriptCall::kPropertyLet || kind == ScriptCall::kPropertySet;
  if (member == "pattern" || member == "ignorecase" || member == "global" ||
      member == "multiline") {
    if (args.size() != (put ? 1u : 0u)) return ScriptStatus::Fail(450);
    if (member == "pattern") {
      if (put) {
        std::string text;
        if (int error = args[0].ToText(text)) return ScriptStatus::Fail(error);
        pattern = std::move(text);
      } else {
        result = ScriptValue::String(pattern);
      }
      return ScriptStatus::Ok();
    }
    bool& flag = member == "ignorecase" ? ignore_case : member == "global" ? global : multiline;
    if (put) {
      bool value = false;
      if (int error = args[0].ToBoolean(value)) return ScriptStatus::Fail(error);
      flag = value;
    } else {
      result = ScriptValue::Boolean(flag);
    }
    return ScriptStatus::Ok();
  }
  if (put) return ScriptStatus::Fail(438);
  if (member == "test" || member == "execute") {
    if (args.size() != 1) return ScriptStatus::Fail(450);
    std::string subject;
    if (int error = args[0].ToText(subject)) return ScriptStatus::Fail(error);
    if (member == "execute") return Execute(subject, result);
    bool found = false;
    ScriptStatus status = Test(subject, found);
    if (status.ok()) result = ScriptValue::Boolean(found);
    return status;
  }
  if (member == "replace") {
    if (args.size() != 2) return ScriptStatus::Fail(450);
    std::string subject, replacement, out;
    if (int error = args[0].ToText(subject)) return ScriptStatus::Fail(error);
    if (int error = args[1].ToText(replacement)) return ScriptStatus::Fail(error);
    ScriptStatus status = Replace(subject, replacement, out);
    if (status.ok()) result = ScriptValue::String(std::move(out));
    return status;
  }
  return ScriptStatus::Fail(438);
}

ScriptStatus RegExp::Prepare() {
  RegExpFlags flags{ignore_case, multiline};
  if (is_compiled_ && compiled_pattern_ == pattern && compiled_flags_.ignore_case == ignore_case &&
      compiled_flags_.multiline == multiline) {
    return ScriptStatus::Ok();
  }
  is_compiled_ = false;
  if (int32_t error = compiled_.Compile(pattern, flags)) return PatternError(error);
  is_compiled_ = true;
  compiled_pattern_ = pattern;
  compiled_flags_ = flags;
  return ScriptStatus::Ok();
}

template <typename Visit>
ScriptStatus RegExp::EachMatch(std::string_view subject, Visit visit) {
  ScriptStatus status = Prepare();
  if (!status.ok()) return status;
  RegExpMatch match;
  size_t from = 0;
  while (from <= subject.size()) {
    int32_t found = compiled_.Search(subject, from, match);
    if (found < 0) break;
    if (found > 0) return PatternError(found);
    if (!visit(match)) return ScriptStatus::Fail(7);
    if (!global) break;
    from = match.end > match.start ? match.end : match.end + CharLength(subject, match.end);
  }
  return ScriptStatus::Ok();
}

ScriptStatus RegExp::Test(std::string_view subject, bool& found) {
  found = false;
  bool saved = global;
  global = false;
  ScriptStatus status = EachMatch(subject, [&](const RegExpMatch&) { return found = true; });
  global = saved;
  return status;
}

ScriptStatus RegExp::Replace(std::string_view subject, std::string_view replacement,
                             std::string& out) {
  out.clear();
  size_t copied = 0;
  ScriptStatus status = EachMatch(subject, [&](const RegExpMatch& match) {
    out.append(subject.substr(copied, match.start - copied));
    Expand(replacement, subject, match, out);
    copied = match.end;
    return out.size() <= kMaxResultBytes;
  });
  if (!status.ok()) return status;
  out.append(subject.substr(copied));
  if (out.size() > kMaxResultBytes) return ScriptStatus::Fail(7);
  return status;
}

ScriptStatus RegExp::Execute(std::string_view subject, ScriptValue& matches) {
  std::vector<ScriptValue> found;
  // Character positions are counted on from the previous match, not from the start each time.
  size_t counted_bytes = 0;
  size_t counted_chars = 0;
  ScriptStatus status = EachMatch(subject, [&](const RegExpMatch& match) {
    counted_chars += text::CharCount(subject.substr(counted_bytes, match.start - counted_bytes));
    counted_bytes = match.start;
    std::string_view value = subject.substr(match.start, match.end - match.start);
    std::vector<ScriptValue> groups;
    groups.reserve(match.groups.size());
    for (size_t g = 1; g <= match.groups.size(); ++g) {
      if (match.groups[g - 1].first == RegExpMatch::kUnset) {
        groups.emplace_back();
      } else {
        groups.push_back(ScriptValue::String(std::string(Group(subject, match, g))));
      }
    }
    found.push_back(ScriptValue::Object(std::make_shared<Match>(
        std::string(value), static_cast<int32_t>(counted_chars),
        static_cast<int32_t>(text::CharCount(value)),
        std::make_shared<ReadOnlyCollection>("ISubMatches", std::move(groups)))));
    return true;
  });
  if (!status.ok()) return status;
  matches = ScriptValue::Object(
      std::make_shared<ReadOnlyCollection>("IMatchCollection2", std::move(found)));
  return status;
}

}  // namespace quillon::vbscript
