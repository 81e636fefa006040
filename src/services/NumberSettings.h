#pragma once
// The settings of the section General that hold numbers, each with its default and the range it
// may take. A stored text that is not a number in that range (another program wrote it, or it
// was damaged) is read as the default, so that no window or timer fails on it.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quillon::services {

struct NumberSetting {
  std::string_view name;
  int32_t default_value;
  int32_t lowest;
  int32_t highest;
};

class NumberSettings {
 public:
  // Alpha levels of Google Talk's windows; 256 is opaque, and the sliders stop at 10.
  static constexpr NumberSetting kTransparentMain{"TransparentMain", 256, 10, 256};
  static constexpr NumberSetting kTransparentChat{"TransparentChat", 256, 10, 256};
  // The chat input's zoom in percent, as far as its slider goes.
  static constexpr NumberSetting kZoom{"Zoom", 100, 50, 200};
  // Timer intervals in milliseconds: a window timer takes at most 65535.
  static constexpr NumberSetting kStatusInterval{"StatusInterval", 30000, 1, 65535};
  static constexpr NumberSetting kRssInterval{"RSSInterval", 30000, 1, 65535};
  // How long a feed request may block the program's one thread. The setting was once read by a
  // component that counted seconds, so its default of 10000 would have meant hours; it is
  // milliseconds here, and no more than a minute is taken.
  static constexpr NumberSetting kRequestTimeout{"RequestTimeout", 10000, 1, 60000};
  // Milliseconds between two rounds of custom pictures in the chat view.
  static constexpr NumberSetting kImageInterval{"ImageInterval", 3000, 0, 0x7FFFFFFF};
  // How much memory, in MiB, one plugin script engine may take before its script is stopped
  // with "Out of memory"; the rest of the machine is what the upper end protects.
  static constexpr NumberSetting kScriptMemoryMb{"ScriptMemoryMB", 256, 1, 4096};

  static constexpr std::array<NumberSetting, 8> kAll = {
      kTransparentMain, kTransparentChat, kZoom,          kStatusInterval,
      kRssInterval,     kRequestTimeout,  kImageInterval, kScriptMemoryMb};

  // The row of the table with that name, if any.
  static const NumberSetting* Find(std::string_view name);

  // The number a stored text stands for (blanks around, a sign, a fraction rounded to the nearest
  // whole number, a half to the even one); nullopt when it is no number or out of the range.
  static std::optional<int32_t> Parse(const NumberSetting& setting, std::string_view text);

  // What is wrong with a stored text, in words ("The stored value of Zoom is not a number.");
  // empty when the text is a number in range.
  static std::string Problem(const NumberSetting& setting, std::string_view text);
};

}  // namespace quillon::services
