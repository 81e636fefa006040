#pragma once
// The stored settings of one desktop friend: its record in the section Friends and its appearance
// and place under FriendsData\<name>. Every value is a string; reading a missing one stores its
// default, as every setting of the program does.
#include <optional>
#include <string>
#include <string_view>

#include "platform/Window.h"

namespace quillon::services {
class SettingsStore;
}

namespace quillon::friends {

class FriendSettings {
 public:
  // Friends\<name>: "1" a desktop friend, "0" removed, "2" renamed to another name.
  static constexpr const char* kFriend = "1";
  static constexpr const char* kRemoved = "0";
  static constexpr const char* kRenamed = "2";

  // Defaults of the FriendsData values.
  static constexpr int kDefaultWidth = 2130;                 // twips
  static constexpr const char* kDefaultColor1 = "15250322";  // RGB(146, 179, 232)
  static constexpr const char* kDefaultColor2 = "16777215";  // white
  static constexpr int kOpaque = 256;

  FriendSettings(services::SettingsStore& settings, std::string name)
      : settings_(settings), name_(std::move(name)) {}

  const std::string& Name() const { return name_; }
  std::string Section() const { return "FriendsData\\" + name_; }

  std::string Read(std::string_view value, std::string_view default_value);
  void Write(std::string_view value, std::string_view text);
  void Write(std::string_view value, long long number) { Write(value, std::to_string(number)); }
  // A flag stored as "True" / "False".
  void WriteFlag(std::string_view value, bool on) { Write(value, on ? "True" : "False"); }

  // A size, place or level: the number truncated toward zero into 16 bits. Text that is no
  // number reads as the default, and a number beyond 16 bits as the nearest 16-bit one, so that a
  // damaged value never keeps a friend's window from appearing.
  int Short(std::string_view value, int default_value);
  // A flag: "True" / "False" (any letter case) or a number, non-zero being true. Text that is
  // neither reads as the default.
  bool Flag(std::string_view value, bool default_value);
  // A colour: nullopt when the stored text is no number.
  std::optional<long long> Color(std::string_view value, std::string_view default_value);

  // The record under Friends.
  std::string Record();
  void SetRecord(std::string_view record);

  // Number parsing as the stored texts need it: blanks around, a sign, digits, a fraction and an
  // exponent; nullopt for anything else (and for an empty text).
  static std::optional<double> ParseNumber(std::string_view text);
  static std::optional<bool> ParseFlag(std::string_view text);

 private:
  services::SettingsStore& settings_;
  std::string name_;
};

}  // namespace quillon::friends
