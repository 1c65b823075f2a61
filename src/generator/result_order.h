#pragma once

#include <cstdint>
#include <vector>

#include "generator/alternatives.h"
#include "generator/sort_keys.h"
#include "generator/timetable_metrics.h"

namespace kiremo::generator {

// The timetables 0..n-1 with these ranks, smallest rank first; equal ranks
// keep their order (a stable sort).
std::vector<int> OrderByRank(const std::vector<std::uint64_t>& ranks);

// The kept timetables 0..Count()-1 in the keys' order, best first; ties keep
// the order in which they were found.
std::vector<int> OrderBy(const Alternatives& kept, const MetricsTable& metrics, const SortKeys& keys);

// Timetable k of `kept` as its candidates, one per level.
void PathOf(const Alternatives& kept, int k, std::vector<int>& path);

}  // namespace kiremo::generator
