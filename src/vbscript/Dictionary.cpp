#include "vbscript/Dictionary.h"

#include <cstdio>

#include "platform/ScriptArray.h"
#include "text/NumberText.h"
#include "vbscript/Text.h"

namespace quillon::vbscript {

using platform::ScriptCall;
using platform::ScriptStatus;
using platform::ScriptType;
using platform::ScriptValue;

namespace {

ScriptValue ArrayOf(std::vector<ScriptValue> values) {
  auto array = std::make_shared<platform::ScriptArray>();
  array->bounds.push_back({0, static_cast<int32_t>(values.size())});
  array->elements = std::move(values);
  return ScriptValue::Array(std::move(array));
}

}  // namespace

bool Dictionary::KeyOf(const ScriptValue& key, std::string& out, int& error) const {
  switch (key.Type()) {
    case ScriptType::kString:
      out = "s" + (text_compare_ ? text::Lower(key.StringValue()) : key.StringValue());
      return true;
    case ScriptType::kEmpty:
      out = "e";
      return true;
    case ScriptType::kObject: {
      char buffer[32];
      std::snprintf(buffer, sizeof buffer, "o%p", static_cast<void*>(key.ObjectValue().get()));
      out = buffer;
      return true;
    }
    case ScriptType::kNull:
    case ScriptType::kArray:
    case ScriptType::kError:
      error = 13;
      return false;
    default: {
      double number = 0;
      error = key.ToDouble(number);
      if (error != 0) return false;
      out = "n" + quillon::text::FormatDouble(number, 17);
      return true;
    }
  }
}

void Dictionary::Reindex() {
  index_.clear();
  for (size_t i = 0; i < entries_.size(); ++i) {
    std::string key;
    int error = 0;
    if (KeyOf(entries_[i].key, key, error)) index_[key] = i;
  }
}

bool Dictionary::HasMember(std::string_view name) const {
  static constexpr std::string_view kMembers[] = {"add",         "exists", "item",      "items",
                                                  "keys",        "remove", "removeall", "count",
                                                  "comparemode", "key"};
  std::string lower = text::Lower(name);
  for (auto member : kMembers) {
    if (lower == member) return true;
  }
  return false;
}

ScriptStatus Dictionary::Invoke(std::string_view name, ScriptCall kind, std::span<ScriptValue> args,
                                ScriptValue& result) {
  std::string member = text::Lower(name);
  bool put = kind == ScriptCall::kPropertyLet || kind == ScriptCall::kPropertySet;
  std::string key;
  int error = 0;
  auto need = [&](size_t count) { return args.size() == count; };
  if (member.empty() || member == "item") {
    if (!need(put ? 2 : 1)) return ScriptStatus::Fail(450);
    if (!KeyOf(args[0], key, error)) return ScriptStatus::Fail(error);
    auto it = index_.find(key);
    if (it == index_.end()) {
      entries_.push_back({args[0], ScriptValue()});
      it = index_.emplace(key, entries_.size() - 1).first;
    }
    if (put) {
      entries_[it->second].item = args[1];
    } else {
      result = entries_[it->second].item;
    }
    return ScriptStatus::Ok();
  }
  if (member == "add" && !put) {
    if (!need(2)) return ScriptStatus::Fail(450);
    if (!KeyOf(args[0], key, error)) return ScriptStatus::Fail(error);
    if (index_.contains(key)) return ScriptStatus::Fail(457);
    entries_.push_back({args[0], args[1]});
    index_.emplace(key, entries_.size() - 1);
    return ScriptStatus::Ok();
  }
  if (member == "exists" && !put) {
    if (!need(1)) return ScriptStatus::Fail(450);
    if (!KeyOf(args[0], key, error)) return ScriptStatus::Fail(error);
    result = ScriptValue::Boolean(index_.contains(key));
    return ScriptStatus::Ok();
  }
  if ((member == "items" || member == "keys") && !put) {
    if (!need(0)) return ScriptStatus::Fail(450);
    std::vector<ScriptValue> values;
    values.reserve(entries_.size());
    for (const auto& entry : entries_) values.push_back(member == "keys" ? entry.key : entry.item);
    result = ArrayOf(std::move(values));
    return ScriptStatus::Ok();
  }
  if (member == "remove" && !put) {
    if (!need(1)) return ScriptStatus::Fail(450);
    if (!KeyOf(args[0], key, error)) return ScriptStatus::Fail(error);
    auto it = index_.find(key);
    if (it == index_.end()) return ScriptStatus::Fail(32811);
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(it->second));
    Reindex();
    return ScriptStatus::Ok();
  }
  if (member == "removeall" && !put) {
    entries_.clear();
    index_.clear();
    return ScriptStatus::Ok();
  }
  if (member == "count" && !put) {
    result = ScriptValue::Long(static_cast<int32_t>(entries_.size()));
    return ScriptStatus::Ok();
  }
  if (member == "comparemode") {
    if (!put) {
      result = ScriptValue::Long(text_compare_ ? 1 : 0);
      return ScriptStatus::Ok();
    }
    if (!entries_.empty()) return ScriptStatus::Fail(5);
    int32_t mode = 0;
    if (int conversion = args.back().ToLong(mode)) return ScriptStatus::Fail(conversion);
    text_compare_ = mode == 1;
    return ScriptStatus::Ok();
  }
  if (member == "key" && put) {
    if (!need(2)) return ScriptStatus::Fail(450);
    if (!KeyOf(args[0], key, error)) return ScriptStatus::Fail(error);
    std::string new_key;
    if (!KeyOf(args[1], new_key, error)) return ScriptStatus::Fail(error);
    auto it = index_.find(key);
    if (it == index_.end()) return ScriptStatus::Fail(32811);
    if (index_.contains(new_key)) return ScriptStatus::Fail(457);
    entries_[it->second].key = args[1];
    Reindex();
    return ScriptStatus::Ok();
  }
  return ScriptStatus::Fail(438);
}

Dictionary::~Dictionary() {
  std::vector<ScriptValue> pending;
  TakeContents(pending);
  ScriptValue::DestroyIteratively(pending);
}

void Dictionary::TakeContents(std::vector<ScriptValue>& out) {
  for (auto& entry : entries_) {
    out.push_back(std::move(entry.key));
    out.push_back(std::move(entry.item));
  }
  entries_.clear();
  index_.clear();
}

ScriptStatus Dictionary::Enumerate(std::vector<ScriptValue>& items) {
  items.clear();
  for (const auto& entry : entries_) items.push_back(entry.key);
  return ScriptStatus::Ok();
}

}  // namespace quillon::vbscript
