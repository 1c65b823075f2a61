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
// others one. Nothing when a timetable exists after all, or when the checks
// take too long to tell.
std::optional<Explanation> ExplainClash(const std::vector<TTreeDers>& candidates);

}  // namespace kiremo::generator
