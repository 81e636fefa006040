#include "web/WebPublisher.h"

#include <algorithm>
#include <chrono>

#include "sandbox/Sandbox.h"
#include "web/DesktopModel.h"
#include "web/Markup.h"

namespace quillon::web {

void WebPublisher::Publish() {
  auto start = std::chrono::steady_clock::now();
  for (sandbox::UserWorld* world : sandbox_.Users()) {
    // A desktop no page watches is built once, so that its page can be found, and again when a
    // page comes to watch it.
    if (!publication_.Watched(world->Name()) && publication_.HasUser(world->Name())) continue;
    Publication::Desktop desktop = DesktopModel::Build(*world, world->Name());
    desktop.parts.push_back({"log", LogHtml(world->Name())});
    ++builds_;
    publication_.Update(world->Name(), std::move(desktop));
  }
  publish_ms_ +=
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

void WebPublisher::Started(const std::string& user, const std::string& statement) {
  std::deque<Entry>& log = logs_[user];
  log.push_back(Entry{next_entry_++, statement, true, true, {}});
  while (log.size() > kLogLength) log.pop_front();
  log_html_.erase(user);
}

void WebPublisher::Ran(const std::string& user, const std::string& statement, bool ok,
                       const std::string& text) {
  std::deque<Entry>& log = logs_[user];
  // The statement keeps the place it took when it began; the latest such one, since statements
  // that wait end innermost first.
  auto started = std::find_if(log.rbegin(), log.rend(), [&](const Entry& entry) {
    return entry.running && entry.statement == statement;
  });
  if (started != log.rend()) {
    started->running = false;
    started->ok = ok;
    started->text = text;
  } else {
    log.push_back(Entry{next_entry_++, statement, ok, false, text});
    while (log.size() > kLogLength) log.pop_front();
  }
  log_html_.erase(user);
}

std::string WebPublisher::LogHtml(const std::string& user) const {
  if (auto made = log_html_.find(user); made != log_html_.end()) return made->second;
  std::string html = "<div class=\"log\" data-role=\"log\">";
  auto it = logs_.find(user);
  if (it != logs_.end()) {
    for (const Entry& entry : it->second) {
      const std::string state = entry.running ? "running" : entry.ok ? "ok" : "failed";
      const std::string ended =
          entry.running ? "" : std::string(" data-ok=\"") + (entry.ok ? "yes" : "no") + "\"";
      html +=
          "<div class=\"log-entry " + state + "\" data-entry=\"" + std::to_string(entry.number) +
          "\"" + ended + "><code>" + Markup::Escape(entry.statement) + "</code>" +
          (entry.text.empty() ? "" : "<pre>" + Markup::Escape(entry.text) + "</pre>") + "</div>";
    }
  }
  html += "</div>";
  log_html_[user] = html;
  return html;
}

}  // namespace quillon::web
