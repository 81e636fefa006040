#pragma once
// Everything outside the program, in one bundle handed to it at start. The program keeps
// references only; the owner (the sandbox, or a real backend's main) keeps the services alive
// for as long as the program runs.
namespace quillon::platform {

class WindowSystem;
class Shell;
class Hotkeys;
class Registry;
class Accessibility;
class Network;
class ScriptHostFactory;
class Dialogs;
class Clock;
class Instances;
class Files;

struct Platform {
  WindowSystem& windows;
  Shell& shell;
  Hotkeys& hotkeys;
  Registry& registry;
  Accessibility& accessibility;
  Network& network;
  Dialogs& dialogs;
  Clock& clock;
  Instances& instances;
  // Script hosts are made per window that needs one; may be null where scripts are not offered.
  ScriptHostFactory* scripts = nullptr;
  // The disk. Programs that never touch a file may run without one; Runtime::Files() then throws.
  Files* files = nullptr;
};

}  // namespace quillon::platform
