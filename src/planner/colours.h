#pragma once

#include <cstdint>
#include <optional>

namespace kiremo::planner {

// Colours as 0xRRGGBB.
inline constexpr std::uint32_t kWhite = 0xFFFFFF;

// The background of a cell state or a row's swatch (row k's colour is the
// colour of state k); nothing for values the colour table lacks (11..14,
// above 25, below 0).
std::optional<std::uint32_t> CellColour(int state);

}  // namespace kiremo::planner
