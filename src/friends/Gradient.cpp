#include "friends/Gradient.h"

#include <algorithm>
#include <cmath>

namespace quillon::friends {

std::vector<platform::ColorRef> Gradient::Lines(platform::ColorRef start, platform::ColorRef end,
                                                int n) {
  std::vector<platform::ColorRef> lines;
  if (n <= 0) return lines;
  int r1 = Red(start), g1 = Green(start), b1 = Blue(start);
  double red_step = static_cast<double>(Red(end) - r1) / n;
  double green_step = static_cast<double>(Green(end) - g1) / n;
  float blue_step = static_cast<float>(Blue(end) - b1) / static_cast<float>(n);
  // std::nearbyint rounds half to even under the default rounding mode.
  auto component = [](double value) {
    return static_cast<uint8_t>(std::clamp(std::nearbyint(value), 0.0, 255.0));
  };
  lines.reserve(static_cast<size_t>(n) + 1);
  for (int i = 0; i <= n; ++i) {
    double red = r1 + i * red_step;
    double green = g1 + i * green_step;
    float blue = static_cast<float>(b1) + static_cast<float>(i) * blue_step;
    lines.push_back(platform::Rgb(component(red), component(green),
                                  component(static_cast<double>(std::nearbyint(blue)))));
  }
  return lines;
}

}  // namespace quillon::friends
