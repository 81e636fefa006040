#include "ui/cRegSearch.h"

#include <cstdio>

#include "runtime/Runtime.h"
#include "services/ErrorReports.h"
#include "text/Strings.h"

namespace quillon::ui {

namespace {

std::string CutAtZero(std::string_view text) {
  return std::string(text.substr(0, text.find('\0')));
}

std::string Join(const std::string& path, const std::string& name) {
  return path.empty() ? name : path + "\\" + name;
}

}  // namespace

std::string cRegSearch::RootName(uint32_t root) {
  switch (root) {
    case kClassesRoot:
      return "HKEY_CLASSES_ROOT";
    case kCurrentUser:
      // The current user's root has always been reported in this form; listeners compare with it.
      return "hkey_current_user_";
    case kLocalMachine:
      return "HKEY_LOCAL_MACHINE";
    case kUsers:
      return "HKEY_USERS";
    case kPerformanceData:
      return "HKEY_PERFORMANCE_DATA";
    case kCurrentConfig:
      return "HKEY_CURRENT_CONFIG";
    case kDynData:
      return "HKEY_DYN_DATA";
    default:
      return {};
  }
}

std::optional<platform::RegistryRoot> cRegSearch::RootOf(uint32_t root) const {
  switch (root) {
    case kClassesRoot:
      return platform::RegistryRoot::kClassesRoot;
    case kCurrentUser:
      return platform::RegistryRoot::kCurrentUser;
    case kLocalMachine:
      return platform::RegistryRoot::kLocalMachine;
    case kUsers:
      return platform::RegistryRoot::kUsers;
    case kCurrentConfig:
      return platform::RegistryRoot::kCurrentConfig;
    default:
      // Performance data and the old dynamic data root hold no keys here: they cannot be opened.
      return std::nullopt;
  }
}

std::string cRegSearch::GetRegData(const platform::RegistryValue& value) {
  switch (value.type) {
    case platform::RegistryType::kString:
    case platform::RegistryType::kMultiString:
      // Only the first string of a multi-string.
      return CutAtZero(value.data);
    case platform::RegistryType::kBinary: {
      std::string text;
      char piece[4];
      for (unsigned char byte : value.data) {
        std::snprintf(piece, sizeof piece, "%02X", byte);
        if (!text.empty()) text += ' ';
        text += piece;
      }
      return text;
    }
    case platform::RegistryType::kDword: {
      char text[40];
      uint32_t number = value.AsDword();
      std::snprintf(text, sizeof text, "0x%08X(%u)", number, number);
      return text;
    }
    default:
      return "Temporary unsupported";
  }
}

bool cRegSearch::Matches(std::string_view text, std::string_view search, int32_t flags) {
  if (flags & kWholeText) return text::AsciiLower(text) == text::AsciiLower(search);
  return text::AsciiLower(text).find(text::AsciiLower(search)) != std::string::npos;
}

bool cRegSearch::CanOpen(uint32_t root, const std::string& key_path) {
  std::optional<platform::RegistryRoot> opened = RootOf(root);
  if (!opened) return false;
  return key_path.empty() || runtime_.Registry().KeyExists(*opened, key_path);
}

void cRegSearch::DoSearch() {
  // A search started from inside a running one's events would reset the stop mark the outer one
  // still needs; there is one search at a time.
  if (searching_) return;
  searching_ = true;
  if (RootKey != 0) {
    if (SearchFlags & (kValueNames | kValueData)) EnumRegValues(RootKey, SubKey);
    EnumRegKeys(RootKey, SubKey);
  } else {
    for (uint32_t root = kClassesRoot; root <= kDynData && stop_ == 0; ++root) {
      EnumRegKeys(root, SubKey);
    }
  }
  int32_t reason = stop_;
  stop_ = 0;
  searching_ = false;
  if (on_search_finished) {
    auto finished = on_search_finished;
    finished(reason);
  }
}

void cRegSearch::EnumRegKeys(uint32_t root, const std::string& key_path) {
  if (stop_ != 0) return;
  try {
    if (!CanOpen(root, key_path)) return;
    std::vector<std::string> names = runtime_.Registry().SubKeys(*RootOf(root), key_path);
    std::string root_name = RootName(root);
    for (const std::string& raw : names) {
      runtime_.DoEvents();
      // A stopped search reports nothing more, also not the rest of the keys at this level.
      if (stop_ != 0) return;
      std::string name = CutAtZero(raw);
      std::string path = Join(key_path, name);
      if (on_search_key_changed) {
        auto changed = on_search_key_changed;
        changed(root_name + "\\" + path);
      }
      if (Matches(name, SearchString, SearchFlags) && on_search_found) {
        auto found = on_search_found;
        found(root_name, path, "*", kFoundKey);
      }
      if (SearchFlags & (kValueNames | kValueData)) EnumRegValues(root, path);
      EnumRegKeys(root, path);
    }
  } catch (const std::exception& e) {
    reporter_.ReportError("EnumRegKeys", nullptr, e);
  }
}

void cRegSearch::EnumRegValues(uint32_t root, const std::string& key_path) {
  if (stop_ != 0) return;
  try {
    if (!CanOpen(root, key_path)) return;
    std::vector<platform::NamedRegistryValue> values =
        runtime_.Registry().Values(*RootOf(root), key_path);
    std::string root_name = RootName(root);
    // Every value is looked at whatever its size: a long value ends neither its key's values nor
    // the search.
    for (const platform::NamedRegistryValue& value : values) {
      if (stop_ != 0) return;
      std::string name = CutAtZero(value.name);
      std::string text = GetRegData(value.value);
      std::string where = key_path + "\\" + name;
      if ((SearchFlags & kValueNames) && Matches(name, SearchString, SearchFlags) &&
          on_search_found) {
        auto found = on_search_found;
        found(root_name, where, text, kFoundValueName);
      }
      if (stop_ != 0) return;
      if (SearchFlags & kValueData) {
        std::string data = CutAtZero(text);
        if (Matches(data, SearchString, SearchFlags) && on_search_found) {
          auto found = on_search_found;
          found(root_name, where, data, kFoundValueData);
        }
      }
    }
  } catch (const std::exception& e) {
    reporter_.ReportError("EnumRegValues", nullptr, e);
  }
}

}  // namespace quillon::ui
