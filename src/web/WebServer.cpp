#include "web/WebServer.h"

#include <arpa/inet.h>
#include <httplib.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "sandbox/PersonInbox.h"
#include "sandbox/ScenarioReader.h"
#include "web/Markup.h"
#include "web/PageAssets.h"

namespace quillon::web {

namespace {

// The longest statement a page may send.
constexpr size_t kLongestStatement = 64 * 1024;
// How long an action's reply may take before the page is told it is still running.
constexpr auto kReplyLimit = std::chrono::seconds(30);
// A live channel with nothing to say sends a comment this often, so a closed tab is noticed.
constexpr auto kKeepAlive = std::chrono::seconds(15);

void Refuse(httplib::Response& response, int status, const std::string& why) {
  response.status = status;
  response.set_content(why + "\n", "text/plain; charset=utf-8");
}

std::string ContentTypeOf(const std::string& path) {
  std::string extension = std::filesystem::path(path).extension().string();
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (extension == ".gif") return "image/gif";
  if (extension == ".png") return "image/png";
  if (extension == ".jpg" || extension == ".jpeg") return "image/jpeg";
  if (extension == ".bmp") return "image/bmp";
  if (extension == ".ico") return "image/x-icon";
  return "";
}

// Whether another program listens on 127.0.0.1:`port`. The server library binds with the socket
// option that lets several listeners share a port, which would hide a sandbox already serving
// there; a plain bind without it tells.
bool PortTaken(int port) {
  int probe = socket(AF_INET, SOCK_STREAM, 0);
  if (probe < 0) return false;
  int yes = 1;
  setsockopt(probe, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  bool taken = bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0;
  close(probe);
  return taken;
}

}  // namespace

WebServer::WebServer(Publication& publication, std::shared_ptr<sandbox::PersonInbox> inbox,
                     std::string site)
    : publication_(publication), inbox_(std::move(inbox)), site_(std::move(site)) {}

WebServer::~WebServer() { Stop(); }

bool WebServer::Bind(int port, std::string& error) {
  server_ = std::make_unique<httplib::Server>();
  // Every open tab holds one thread for its live channel.
  server_->new_task_queue = [] { return new httplib::ThreadPool(32); };
  if (port == 0) {
    port_ = server_->bind_to_any_port("127.0.0.1");
  } else {
    port_ = !PortTaken(port) && server_->bind_to_port("127.0.0.1", port) ? port : -1;
  }
  if (port_ <= 0) {
    error = "port " + std::to_string(port) + " on 127.0.0.1 is taken or cannot be used";
    server_.reset();
    return false;
  }
  guard_ = std::make_unique<RequestGuard>(port_, RequestGuard::MakeToken());
  Routes();
  return true;
}

void WebServer::Start() {
  thread_ = std::thread([this] { server_->listen_after_bind(); });
}

void WebServer::Stop() {
  publication_.Close();
  if (server_) server_->stop();
  if (thread_.joinable()) thread_.join();
}

void WebServer::Routes() {
  using httplib::Request;
  using httplib::Response;
  using HandlerResponse = httplib::Server::HandlerResponse;

  server_->set_pre_routing_handler([this](const Request& request, Response& response) {
    response.set_header("X-Content-Type-Options", "nosniff");
    response.set_header("Referrer-Policy", "no-referrer");
    response.set_header("Cache-Control", "no-store");
    if (!guard_->HostAllowed(request.get_header_value("Host"))) {
      Refuse(response, 403,
             "this server answers only to 127.0.0.1:" + std::to_string(port_) +
                 " and localhost:" + std::to_string(port_));
      return HandlerResponse::Handled;
    }
    return HandlerResponse::Unhandled;
  });
  server_->set_error_handler([](const Request&, Response& response) {
    if (response.body.empty()) {
      response.set_content(std::to_string(response.status) + ": no such page\n",
                           "text/plain; charset=utf-8");
    }
  });

  // The user named in the path, when it is one the sandbox has.
  auto user_of = [this](const Request& request, Response& response) -> std::optional<std::string> {
    std::string user = request.matches[1];
    if (!RequestGuard::UserNameAllowed(user) || !publication_.HasUser(user)) {
      Refuse(response, 404, "no user \"" + user + "\" in this sandbox");
      return std::nullopt;
    }
    return user;
  };

  server_->Get("/", [this](const Request&, Response& response) {
    response.set_header("Content-Security-Policy", PageAssets::kPagePolicy);
    response.set_content(PageAssets::UsersPage(publication_.Users()), "text/html; charset=utf-8");
  });
  server_->Get("/assets/desktop.js", [](const Request&, Response& response) {
    response.set_content(PageAssets::kScript, "text/javascript; charset=utf-8");
  });
  server_->Get("/assets/desktop.css", [](const Request&, Response& response) {
    response.set_content(PageAssets::kStyle, "text/css; charset=utf-8");
  });
  server_->Get(R"(/user/([^/]+))", [this, user_of](const Request& request, Response& response) {
    auto user = user_of(request, response);
    if (!user) return;
    response.set_header("Content-Security-Policy", PageAssets::kPagePolicy);
    response.set_content(PageAssets::DesktopPage(*user, guard_->Token()),
                         "text/html; charset=utf-8");
  });

  server_->Get(
      R"(/user/([^/]+)/events)", [this, user_of](const Request& request, Response& response) {
        auto user = user_of(request, response);
        if (!user) return;
        std::string fetch_site = request.get_header_value("Sec-Fetch-Site");
        if (!guard_->TokenMatches(request.get_param_value("token")) ||
            !guard_->OriginAllowed(request.get_header_value("Origin"), false) ||
            (!fetch_site.empty() && fetch_site != "same-origin")) {
          Refuse(response, 403, "the live channel is only for this server's own page");
          return;
        }
        uint64_t since = 0;
        std::string since_text = request.get_param_value("since");
        if (!since_text.empty()) {
          char* end = nullptr;
          since = std::strtoull(since_text.c_str(), &end, 10);
          if (*end != '\0') {
            Refuse(response, 400, "since must be a version number");
            return;
          }
        }
        // The first page to watch a desktop has the loop build it afresh; meanwhile it gets what
        // was published last.
        if (publication_.Watch(*user, 1)) inbox_->Wake();
        response.set_chunked_content_provider(
            "text/event-stream",
            [this, user = *user, since](size_t, httplib::DataSink& sink) mutable {
              auto changes = publication_.WaitForChanges(user, since, kKeepAlive);
              if (publication_.Closed()) {
                sink.done();
                return false;
              }
              std::string event;
              if (!changes) {
                event = ": still here\n\n";
              } else {
                since = changes->version;
                event = "data: {\"version\":" + std::to_string(changes->version) + ",\"order\":[";
                for (size_t i = 0; i < changes->order.size(); ++i) {
                  event += (i ? "," : "") + Markup::Json(changes->order[i]);
                }
                event += "],\"parts\":{";
                for (size_t i = 0; i < changes->changed.size(); ++i) {
                  event += (i ? "," : "") + Markup::Json(changes->changed[i].id) + ":" +
                           Markup::Json(changes->changed[i].html);
                }
                event += "}}\n\n";
              }
              return sink.write(event.data(), event.size());
            },
            [this, user = *user](bool) { publication_.Watch(user, -1); });
      });

  server_->Post(R"(/user/([^/]+)/act)", [this, user_of](const Request& request,
                                                        Response& response) {
    if (!guard_->OriginAllowed(request.get_header_value("Origin"), true) ||
        !guard_->TokenMatches(request.get_header_value("X-Quillon-Token"))) {
      Refuse(response, 403, "actions are taken only from this server's own page");
      return;
    }
    auto user = user_of(request, response);
    if (!user) return;
    if (request.body.empty() || request.body.size() > kLongestStatement) {
      Refuse(response, 400, "the body must be one statement, at most 64 KiB");
      return;
    }
    std::vector<sandbox::Statement> read;
    std::string error;
    if (!sandbox::ScenarioReader::ReadAll(request.body, read, error) || read.size() != 1) {
      Refuse(response, 400, "cannot read that: " + (error.empty() ? "not one statement" : error));
      return;
    }
    auto reply = std::make_shared<sandbox::PendingReply>();
    inbox_->Put(sandbox::PersonInbox::Said{request.body, *user, reply});
    auto result = reply->Wait(std::chrono::duration_cast<std::chrono::milliseconds>(kReplyLimit));
    std::string json;
    if (!result) {
      json = "{\"ok\":true,\"running\":true,\"version\":" +
             std::to_string(publication_.Version(*user)) + ",\"text\":\"it is still running\"}";
    } else {
      json = "{\"ok\":" + std::string(result->ok ? "true" : "false") +
             ",\"running\":" + (result->running ? "true" : "false") +
             ",\"version\":" + std::to_string(result->version) +
             ",\"text\":" + Markup::Json(result->text) + "}";
    }
    response.set_content(json, "application/json");
  });

  server_->Get(R"(/user/([^/]+)/history/(\d+))",
               [this, user_of](const Request& request, Response& response) {
                 auto user = user_of(request, response);
                 if (!user) return;
                 auto document = publication_.Document(*user, request.matches[2]);
                 if (!document) {
                   Refuse(response, 404, "no chat document in that window");
                   return;
                 }
                 // The conversation is another program's markup with the contact's words in it: it
                 // runs no script, loads pictures only from the program folder and the stand-in
                 // site, and only this server's page may frame it.
                 const std::string port = std::to_string(port_);
                 const std::string files = "/user/" + *user + "/files/";
                 response.set_header("Content-Security-Policy",
                                     "default-src 'none'; img-src http://127.0.0.1:" + port +
                                         files + " http://localhost:" + port + files + " " + site_ +
                                         "/; style-src 'unsafe-inline'; frame-ancestors 'self'; "
                                         "base-uri 'none'; form-action 'none'");
                 response.set_content(*document, "text/html; charset=utf-8");
               });

  server_->Get(R"(/user/([^/]+)/files/(.+))",
               [this, user_of](const Request& request, Response& response) {
                 auto user = user_of(request, response);
                 if (!user) return;
                 auto relative = RequestGuard::SafeRelativePath(request.matches[2].str());
                 auto home = publication_.Home(*user);
                 if (!relative || !home) {
                   Refuse(response, 400, "a file path inside the user's folder");
                   return;
                 }
                 std::filesystem::path path = std::filesystem::path(*home) / *relative;
                 std::error_code failed;
                 // A link inside the folder must not lead out of it.
                 std::filesystem::path real = std::filesystem::canonical(path, failed);
                 std::filesystem::path root = std::filesystem::canonical(*home, failed);
                 if (failed || !std::filesystem::is_regular_file(real, failed) ||
                     real.string().rfind(root.string() + "/", 0) != 0) {
                   Refuse(response, 404, "no such file in the user's folder");
                   return;
                 }
                 std::ifstream in(real, std::ios::binary);
                 std::stringstream content;
                 content << in.rdbuf();
                 std::string type = ContentTypeOf(real.string());
                 // Only pictures are shown; anything else is handed over as bytes, never as a page
                 // of this server that could run script.
                 if (type.empty()) {
                   type = "application/octet-stream";
                   response.set_header("Content-Disposition", "attachment");
                 }
                 response.set_header("Content-Security-Policy", "default-src 'none'; sandbox");
                 response.set_content(content.str(), type);
               });
}

}  // namespace quillon::web
