#include "sim/SimAccessibility.h"

#include "sim/SimDesktop.h"
#include "sim/SimHtmlDocument.h"

namespace quillon::sim {
namespace {

// Marks a value as a document reference, so that an unrelated number is not taken for one.
constexpr platform::LResult kReferenceTag = platform::LResult{0x5D0C} << 32;

}  // namespace

platform::LResult SimAccessibility::ReferenceFor(platform::Hwnd browser_window) {
  return kReferenceTag | browser_window;
}

std::shared_ptr<platform::HtmlDocument> SimAccessibility::DocumentFromLresult(
    platform::LResult reference) {
  if ((reference & ~platform::LResult{0xFFFFFFFF}) != kReferenceTag) return nullptr;
  auto window = static_cast<platform::Hwnd>(reference & 0xFFFFFFFF);
  return desktop_.DocumentOf(window);
}

}  // namespace quillon::sim
