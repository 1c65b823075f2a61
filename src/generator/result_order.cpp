#include "generator/result_order.h"

#include <array>
#include <cstdint>
#include <numeric>

namespace kiremo::generator {

void PathOf(const Alternatives& kept, int k, std::vector<int>& path) {
  path.resize(static_cast<std::size_t>(kept.Levels()));
  for (int level = 0; level < kept.Levels(); ++level) path[level] = kept.Candidate(k, level);
}

std::vector<int> OrderBy(const Alternatives& kept, const MetricsTable& metrics, const SortKeys& keys) {
  const int n = kept.Count();
  std::vector<int> order(static_cast<std::size_t>(n));
  std::iota(order.begin(), order.end(), 0);
  if (keys.empty() || n == 0) return order;

  std::vector<std::vector<std::uint16_t>> values(keys.size(), std::vector<std::uint16_t>(order.size()));
  const bool walks = NeedsWalks(keys);
  std::vector<int> path;
  for (int k = 0; k < n; ++k) {
    PathOf(kept, k, path);
    const Metrics m = metrics.Of(path.data(), kept.Levels(), walks);
    for (std::size_t key = 0; key < keys.size(); ++key)
      values[key][k] = static_cast<std::uint16_t>(KeyValue(m, keys[key]));
  }
  // Least significant key first; each counting pass is stable, so ties end
  // in the order found.
  std::vector<int> next(order.size());
  std::vector<int> start(kMaxKeyValue + 2);
  for (std::size_t key = keys.size(); key-- > 0;) {
    const std::vector<std::uint16_t>& value = values[key];
    std::fill(start.begin(), start.end(), 0);
    for (const int k : order) ++start[value[k] + 1];
    std::partial_sum(start.begin(), start.end(), start.begin());
    for (const int k : order) next[start[value[k]]++] = k;
    order.swap(next);
  }
  return order;
}

}  // namespace kiremo::generator
