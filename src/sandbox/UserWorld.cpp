#include "sandbox/UserWorld.h"

#include <stdexcept>

#include "app/Quillon.h"
#include "app/frmMain.h"
#include "os/PosixProcess.h"
#include "runtime/Control.h"
#include "runtime/EventLoop.h"
#include "runtime/Form.h"

namespace quillon::sandbox {

UserWorld::UserWorld(std::string name, runtime::EventLoop& loop, const std::filesystem::path& home,
                     const std::filesystem::path& data, standin::ChatRelay& relay,
                     platform::Network& network)
    : name_(std::move(name)),
      loop_(loop),
      home_(home),
      program_folder_(home / "Quillon"),
      desktop_(loop.Clock()),
      shell_(desktop_),
      hotkeys_(desktop_),
      accessibility_(desktop_),
      gtalk_(desktop_, shell_, name_),
      scripts_(loop.Clock()),
      network_(network) {
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
  platform_ = std::make_unique<platform::Platform>(
      platform::Platform{desktop_, shell_, hotkeys_, *registry_, accessibility_, network_, dialogs_,
                         loop.Clock(), instances_, &scripts_, &files_});
  gtalk_.SetRelay(&relay);
  loop_.AddSource(&desktop_);
  dialogs_.SetModalRunner([this](const std::function<bool()>& done) {
    loop_.RunModal(runtime::ModalKind::kPopupMenu, done);
  });
}

UserWorld::~UserWorld() {
  quillons_.clear();
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

app::Quillon& UserWorld::StartQuillon(const std::vector<std::string>& arguments,
                                      const std::string& executable_folder) {
  runtime::ProgramInfo info;
  info.folder = program_folder_.string();
  info.site = site_;
  info.executable_folder = executable_folder;
  for (const auto& argument : arguments) {
    info.command_line += (info.command_line.empty() ? "" : " ") + argument;
  }
  quillons_.push_back(std::make_unique<app::Quillon>(*platform_, loop_, std::move(info)));
  app::Quillon& quillon = *quillons_.back();
  quillon.Main();
  return quillon;
}

app::Quillon* UserWorld::CurrentQuillon() {
  for (auto& quillon : quillons_) {
    if (quillon->CurrentState() != app::Quillon::State::kEnded) return quillon.get();
  }
  return quillons_.empty() ? nullptr : quillons_.back().get();
}

void UserWorld::CollectEnded() {
  // The last copy stays, ended, so that checks can still see that it ended.
  std::erase_if(quillons_, [this](const std::unique_ptr<app::Quillon>& quillon) {
    return quillon->CurrentState() == app::Quillon::State::kEnded && quillon != quillons_.back();
  });
}

void UserWorld::StartProcessesForReal() { shell_.SetStarter(&os::PosixProcess::Start); }

std::optional<platform::IconHandle> UserWorld::QuillonIcon(std::string_view kind) {
  app::Quillon* quillon = CurrentQuillon();
  if (!quillon || !quillon->MainForm()) return std::nullopt;
  return quillon->MainForm()->IconHandle(kind);
}

void UserWorld::DumpProgram(std::ostream& out) {
  app::Quillon* quillon = CurrentQuillon();
  if (!quillon) {
    out << "Quillon has not been started\n";
    return;
  }
  const char* states[] = {"not started", "waiting", "running", "ended"};
  out << "Quillon: " << states[static_cast<int>(quillon->CurrentState())] << "\n";
  for (runtime::Form* form : quillon->Rt().Forms()) {
    out << "  form " << form->Name() << (form->Key().empty() ? "" : "(\"" + form->Key() + "\")")
        << (form->Visible() ? " visible" : " hidden") << " \"" << form->Caption() << "\"\n";
    for (runtime::Control* control : form->Controls()) {
      out << "    " << control->Kind() << " " << control->Key();
      for (const char* property : {"caption", "text", "checked", "value", "items"}) {
        if (auto value = control->Property(property)) {
          if (std::string(property) == "caption" && value->empty()) continue;
          out << " " << property << "=\"" << *value << "\"";
        }
      }
      out << (control->Enabled() ? "" : " disabled") << (control->Visible() ? "" : " hidden")
          << "\n";
    }
  }
}

std::filesystem::path UserWorld::ResolvePath(const std::string& path) const {
  std::filesystem::path p(path);
  return p.is_absolute() ? p : program_folder_ / p;
}

}  // namespace quillon::sandbox
