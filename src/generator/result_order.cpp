#include "generator/result_order.h"

#include <numeric>

namespace kiremo::generator {

void PathOf(const Alternatives& kept, int k, std::vector<int>& path) {
  path.resize(static_cast<std::size_t>(kept.Levels()));
  kept.CandidatesOf(k, path.data());
}

std::vector<int> OrderByRank(const std::vector<std::uint64_t>& ranks) {
  std::vector<int> order(ranks.size());
  std::iota(order.begin(), order.end(), 0);
  std::uint64_t differing = 0;  // the bits in which some ranks differ
  for (const std::uint64_t rank : ranks) differing |= rank ^ ranks.front();
  // Sixteen bits at a time from the lowest; each counting pass is stable, and
  // a pass over bits in which all ranks agree would change nothing.
  std::vector<int> next(order.size());
  std::vector<std::size_t> start((1 << 16) + 1);
  for (int shift = 0; shift < 64; shift += 16) {
    if (((differing >> shift) & 0xFFFF) == 0) continue;
    auto digit = [&](int k) { return static_cast<std::size_t>((ranks[k] >> shift) & 0xFFFF); };
    std::fill(start.begin(), start.end(), 0);
    for (const int k : order) ++start[digit(k) + 1];
    std::partial_sum(start.begin(), start.end(), start.begin());
    for (const int k : order) next[start[digit(k)]++] = k;
    order.swap(next);
  }
  return order;
}

std::vector<int> OrderBy(const Alternatives& kept, const MetricsTable& metrics, const SortKeys& keys) {
  std::vector<std::uint64_t> ranks(static_cast<std::size_t>(kept.Count()));
  if (!keys.empty()) {
    const bool walks = NeedsWalks(keys);
    const bool preferences = NeedsPreferences(keys);
    std::vector<int> path(static_cast<std::size_t>(kept.Levels()));
    for (int k = 0; k < kept.Count(); ++k) {
      kept.CandidatesOf(k, path.data());
      Metrics of = metrics.Of(path.data(), kept.Levels(), walks);
      if (preferences) {
        AddPreferences(of, metrics, path.data(), kept.Levels(), metrics.HoursOf(path.data(), kept.Levels()), keys);
      }
      ranks[k] = Rank(of, keys);
    }
  }
  return OrderByRank(ranks);
}

}  // namespace kiremo::generator
