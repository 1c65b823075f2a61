#pragma once

#include <optional>
#include <vector>

#include "generator/explanation.h"
#include "generator/tree_ders.h"

namespace kiremo::generator {

// Why the candidates give no clash-free timetable: the smallest group of
// course rows that cannot be combined, found by leaving out one row after
// another and keeping it out whenever the rest still cannot be combined. So
// the group has no timetable, and leaving out any one of its rows gives the
// others one. Nothing when a timetable exists after all.
//
// `proven`: the search found that none exists; a check that runs out of its
// budget then keeps its row in the group. Otherwise the search was stopped
// before it found one: unless the checks settle it, the group is the rows
// that could not be placed together within their budget, and the text says
// so.
std::optional<Explanation> ExplainClash(const std::vector<TTreeDers>& candidates, bool proven = true);

}  // namespace kiremo::generator
