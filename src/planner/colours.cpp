#include "planner/colours.h"

#include <array>

#include "planner/grid.h"

namespace kiremo::planner {

namespace {

// Row k's colour is entry k; entry 0 is the empty cell and the empty row's swatch.
constexpr std::array<std::uint32_t, kRows + 1> kRowColours = {
    0xFFFFFF, 0xD9E5B4, 0xB4E5C6, 0xE5D5B4, 0xB4DFE5, 0xB4B8E5, 0xE5B4B4, 0xE5B4D0, 0x8C9C8A, 0x837DFF, 0xCFCE74,
};
constexpr std::uint32_t kPreviewColour = 0xE3D07A;
constexpr std::uint32_t kClashColour = 0xFF0000;

}  // namespace

std::optional<std::uint32_t> CellColour(int state) {
  if (state >= kEmpty && state <= kRows) return kRowColours[state];
  if (state == kPreview) return kPreviewColour;
  if (IsClash(state)) return kClashColour;
  return std::nullopt;
}

}  // namespace kiremo::planner
