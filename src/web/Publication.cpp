#include "web/Publication.h"

namespace quillon::web {

uint64_t Publication::Update(const std::string& user, Desktop desktop) {
  bool any = false;
  uint64_t version = 0;
  {
    std::lock_guard lock(mutex_);
    UserState& state = users_[user];
    // Versions grow across all users, so a page that changes user never sees one go backwards.
    const uint64_t next = next_version_;
    std::vector<std::string> order;
    std::map<std::string, Stamped> parts;
    for (Publication::Part& part : desktop.parts) {
      order.push_back(part.id);
      auto old = state.parts.find(part.id);
      if (old != state.parts.end() && old->second.html == part.html) {
        parts[part.id] = std::move(old->second);
      } else {
        parts[part.id] = Stamped{std::move(part.html), next};
        any = true;
      }
    }
    if (order != state.order) any = true;
    if (desktop.documents != state.documents) any = true;
    if (state.version == 0) any = true;
    state.parts = std::move(parts);
    state.order = std::move(order);
    state.documents = std::move(desktop.documents);
    state.home = std::move(desktop.home);
    if (any) {
      state.version = next;
      ++next_version_;
    }
    version = state.version;
  }
  if (any) changed_.notify_all();
  return version;
}

void Publication::Close() {
  {
    std::lock_guard lock(mutex_);
    closed_ = true;
  }
  changed_.notify_all();
}

bool Publication::Closed() const {
  std::lock_guard lock(mutex_);
  return closed_;
}

bool Publication::Watch(const std::string& user, int pages) {
  std::lock_guard lock(mutex_);
  int& count = watchers_[user];
  count += pages;
  return pages > 0 && count == pages;
}

bool Publication::Watched(const std::string& user) const {
  std::lock_guard lock(mutex_);
  auto it = watchers_.find(user);
  return it != watchers_.end() && it->second > 0;
}

std::vector<std::string> Publication::Users() const {
  std::lock_guard lock(mutex_);
  std::vector<std::string> names;
  for (const auto& [name, state] : users_) names.push_back(name);
  return names;
}

bool Publication::HasUser(const std::string& user) const {
  std::lock_guard lock(mutex_);
  return users_.count(user) != 0;
}

uint64_t Publication::Version(const std::string& user) const {
  std::lock_guard lock(mutex_);
  auto it = users_.find(user);
  return it == users_.end() ? 0 : it->second.version;
}

std::optional<std::string> Publication::Document(const std::string& user,
                                                 const std::string& hwnd) const {
  std::lock_guard lock(mutex_);
  auto it = users_.find(user);
  if (it == users_.end()) return std::nullopt;
  auto document = it->second.documents.find(hwnd);
  if (document == it->second.documents.end()) return std::nullopt;
  return document->second;
}

std::optional<std::string> Publication::Home(const std::string& user) const {
  std::lock_guard lock(mutex_);
  auto it = users_.find(user);
  if (it == users_.end()) return std::nullopt;
  return it->second.home;
}

std::optional<Publication::Changes> Publication::WaitForChanges(const std::string& user,
                                                                uint64_t since,
                                                                std::chrono::milliseconds limit) {
  std::unique_lock lock(mutex_);
  auto newer = [&] {
    auto it = users_.find(user);
    return closed_ || (it != users_.end() && it->second.version > since);
  };
  if (!changed_.wait_for(lock, limit, newer) || closed_) return std::nullopt;
  const UserState& state = users_.at(user);
  Changes changes;
  changes.version = state.version;
  changes.order = state.order;
  for (const std::string& id : state.order) {
    const Stamped& part = state.parts.at(id);
    if (part.version > since) changes.changed.push_back(Part{id, part.html});
  }
  return changes;
}

}  // namespace quillon::web
