#include "sandbox/UserWorld.h"

#include <stdexcept>

#include "runtime/EventLoop.h"

namespace quillon::sandbox {

UserWorld::UserWorld(std::string name, runtime::EventLoop& loop, const std::filesystem::path& home,
                     const std::filesystem::path& data, standin::ChatRelay& relay)
    : name_(std::move(name)),
      loop_(loop),
      home_(home),
      program_folder_(home / "Quillon"),
      desktop_(loop.Clock()),
      shell_(desktop_),
      hotkeys_(desktop_),
      accessibility_(desktop_),
      gtalk_(desktop_, shell_, name_) {
  std::filesystem::create_directories(program_folder_);
  std::error_code ignored;
  if (std::filesystem::is_directory(data)) {
    std::filesystem::copy(data, program_folder_, std::filesystem::copy_options::recursive, ignored);
  }
  auto opened = os::SqliteRegistry::Open(home_ / "registry.sqlite3");
  if (!opened.registry) {
    throw std::runtime_error("cannot open the settings store: " + opened.problem.value_or("?"));
  }
  registry_ = std::move(opened.registry);
  store_problem_ = opened.problem;
  gtalk_.SetRelay(&relay);
  loop_.AddSource(&desktop_);
  dialogs_.SetModalRunner([this](const std::function<bool()>& done) {
    loop_.RunModal(runtime::ModalKind::kPopupMenu, done);
  });
}

UserWorld::~UserWorld() {
  gtalk_.Quit();
  loop_.RemoveSource(&desktop_);
}

platform::Hwnd UserWorld::OtherProgramWindow() {
  if (!desktop_.IsWindow(other_window_)) {
    platform::WindowCreation creation;
    creation.class_name = "Notepad";
    creation.title = "Untitled - Notepad";
    creation.bounds = {40, 40, 600, 500};
    creation.visible = true;
    other_window_ = desktop_.CreateWindow(creation);
  }
  return other_window_;
}

standin::ChatSession* UserWorld::FrontChat() {
  platform::Hwnd front = desktop_.GetForegroundWindow();
  for (const std::string& name : gtalk_.ChatNames()) {
    standin::ChatSession* chat = gtalk_.Chat(name);
    if (chat && chat->View() == front) return chat;
  }
  return gtalk_.LastActivated();
}

std::optional<platform::IconHandle> UserWorld::QuillonIcon(std::string_view) {
  return std::nullopt;  // Quillon has not been started on this desktop
}

void UserWorld::DumpProgram(std::ostream& out) { out << "Quillon is not running\n"; }

std::filesystem::path UserWorld::ResolvePath(const std::string& path) const {
  std::filesystem::path p(path);
  return p.is_absolute() ? p : program_folder_ / p;
}

}  // namespace quillon::sandbox
