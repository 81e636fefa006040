#pragma once
// Slash commands typed into a chat: each character posted to the current chat input comes here
// before the input sees it. A line that begins with "/" is completed as it is typed; Enter carries
// out a known command (or an "s:" search or an "o:" open) instead of sending the line. Ordinary
// typing goes through the letter filter.
#include <span>
#include <string>
#include <string_view>

#include "gtalk/SlashCommand.h"
#include "platform/Window.h"
#include "services/ChatState.h"
#include "services/CommandTargets.h"
#include "services/SettingsStore.h"

namespace quillon::runtime {
class Form;
class Runtime;
}  // namespace quillon::runtime

namespace quillon::gtalk {

class GTalkWindows;
class TextEffects;

class CommandParser {
 public:
  static constexpr const char* kSearchSite = "https://www.google.com";

  // `form` is the main form, whose tag asks the chat-view pass to clear the history.
  CommandParser(runtime::Runtime& rt, services::SettingsStore& settings, services::ChatState& chat,
                GTalkWindows& gtalk, runtime::Form& form, TextEffects& effects,
                services::CommandTargets& targets)
      : rt_(rt),
        settings_(settings),
        chat_(chat),
        gtalk_(gtalk),
        form_(form),
        effects_(effects),
        targets_(targets) {}

  // The hook's report of a posted message; may change or discard it (both set to 0).
  void PostedMessage(uint32_t& message, platform::WParam& wparam, platform::LParam& lparam);

  // The commands in the order Enter tries them; the "s:" and "o:" prefixes come after all of them.
  static std::span<const SlashCommand> Commands();
  // The listed names in their order, each after a comma and with a comma after the last
  // (",about,...,update,"): what completion searches and "/help" shows.
  static const std::string& ListedCommands();
  // The names after which a blank starts an argument, in the same form (",customstatus,status,").
  static const std::string& ArgumentCommands();

  bool CommandMode() const { return command_mode_; }
  bool ArgumentMode() const { return argument_mode_; }
  const std::string& CommandList() const { return command_list_; }

  // A search word as it goes into an address: UTF-8, every byte but letters, digits and "-._~"
  // percent-encoded.
  static std::string PercentEncode(std::string_view text);

 private:
  void Complete(uint32_t& message, platform::WParam& wparam);
  void Enter(const std::string& line, uint32_t& message, platform::WParam& wparam);
  // Carries out a command line; false when it is no command (the line is then sent).
  bool RunCommand(const std::string& command, const std::string& argument);
  void SetAwayTag(std::string tag);

  static const SlashCommand kCommands[];

  runtime::Runtime& rt_;
  services::SettingsStore& settings_;
  services::ChatState& chat_;
  GTalkWindows& gtalk_;
  runtime::Form& form_;
  TextEffects& effects_;
  services::CommandTargets& targets_;
  std::string command_list_;
  std::string arg_command_list_;
  bool command_mode_ = false;
  bool argument_mode_ = false;
};

}  // namespace quillon::gtalk
