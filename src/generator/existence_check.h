#pragma once

#include <cstdint>
#include <vector>

#include "generator/clash_masks.h"
#include "generator/tree_ders.h"

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

// Steps of each kind that the check before a search and each check behind
// an explanation may take: a few tenths of a second at most.
inline constexpr std::int64_t kExistenceBudget = 2'000'000;

// The check before a search and behind the explanation of a clash: first
// AnyTimetable, and when that cannot tell, counting the timetables of the
// chosen levels (TimetableCounter), each within `budget` steps.
Existence TimetablesExist(const std::vector<TTreeDers>& candidates, const ClashMasks& masks,
                          const std::vector<std::vector<int>>& levels, const std::vector<int>& chosen,
                          std::int64_t budget = kExistenceBudget);

}  // namespace kiremo::generator
