#pragma once

#include <vector>

#include "generator/alternatives.h"
#include "generator/sort_keys.h"
#include "generator/timetable_metrics.h"

namespace kiremo::generator {

// The kept timetables 0..Count()-1 in the keys' order, best first; ties keep
// the order in which they were found (a stable sort).
std::vector<int> OrderBy(const Alternatives& kept, const MetricsTable& metrics, const SortKeys& keys);

// Timetable k of `kept` as its candidates, one per level.
void PathOf(const Alternatives& kept, int k, std::vector<int>& path);

}  // namespace kiremo::generator
