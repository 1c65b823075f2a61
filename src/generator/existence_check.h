#pragma once

#include <cstdint>
#include <vector>

#include "generator/clash_masks.h"

namespace kiremo::generator {

enum class Existence {
  Found,    // some clash-free timetable exists
  None,     // none exists
  Unknown,  // the budget ran out first
};

// Whether any clash-free timetable takes one candidate from each of the
// `chosen` levels (ascending), under the search's clash test: a candidate that
// clashes with itself fits only on the last of them. Order does not matter
// here, so sections with equal masks count once, a section that fits no
// section of some other level is dropped first, and the search always goes on
// with the level that has the fewest sections left. Gives up after `budget`
// tried sections.
Existence AnyTimetable(const ClashMasks& masks, const std::vector<std::vector<int>>& levels,
                       const std::vector<int>& chosen, std::int64_t budget);

}  // namespace kiremo::generator
