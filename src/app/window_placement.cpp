#include "app/window_placement.h"

#include <climits>
#include <exception>

namespace kiremo::app {

namespace {

constexpr std::string_view kSection = "pencere";
constexpr std::string_view kLeft = "sol";
constexpr std::string_view kTop = "ust";
constexpr std::string_view kWidth = "genislik";
constexpr std::string_view kHeight = "yukseklik";
constexpr std::string_view kMaximised = "buyutulmus";

// No desktop is wider or taller; a larger number is a damaged file.
constexpr int kLargest = 100000;
constexpr int kAbsent = INT_MIN;

}  // namespace

std::optional<WindowPlacement> ReadWindowPlacement(const IniFile& settings) {
  try {
    WindowPlacement placement;
    placement.left = settings.ReadInteger(kSection, kLeft, kAbsent);
    placement.top = settings.ReadInteger(kSection, kTop, kAbsent);
    placement.width = settings.ReadInteger(kSection, kWidth, kAbsent);
    placement.height = settings.ReadInteger(kSection, kHeight, kAbsent);
    const int maximised = settings.ReadInteger(kSection, kMaximised, kAbsent);
    for (const int position : {placement.left, placement.top}) {
      if (position < -kLargest || position > kLargest) return std::nullopt;
    }
    for (const int length : {placement.width, placement.height}) {
      if (length <= 0 || length > kLargest) return std::nullopt;
    }
    if (maximised != 0 && maximised != 1) return std::nullopt;
    placement.maximised = maximised == 1;
    return placement;
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

void WriteWindowPlacement(IniFile& settings, const WindowPlacement& placement) {
  settings.WriteInteger(kSection, kLeft, placement.left);
  settings.WriteInteger(kSection, kTop, placement.top);
  settings.WriteInteger(kSection, kWidth, placement.width);
  settings.WriteInteger(kSection, kHeight, placement.height);
  settings.WriteBool(kSection, kMaximised, placement.maximised);
}

}  // namespace kiremo::app
