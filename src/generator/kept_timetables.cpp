#include "generator/kept_timetables.h"

#include <algorithm>

namespace kiremo::generator {

namespace {

struct Better {
  template <typename C>
  bool operator()(const C& a, const C& b) const {
    return a.rank != b.rank ? a.rank < b.rank : a.found < b.found;
  }
};

}  // namespace

KeptTimetables::KeptTimetables(std::vector<std::vector<int>> levels, int limit, SortKeys keys,
                               const MetricsTable& metrics)
    : limit_(limit), keys_(std::move(keys)), metrics_(metrics), walks_(NeedsWalks(keys_)) {
  if (keys_.empty()) {
    first_ = Alternatives(std::move(levels));
  } else {
    levels_of_pool_ = levels;
    pool_ = Alternatives(levels_of_pool_);
    first_ = Alternatives(std::move(levels));
  }
  positions_.resize(static_cast<std::size_t>(first_.Levels()));
}

void KeptTimetables::Offer(const int* positions, const int* path) {
  if (!keys_.empty()) {
    OfferRanked(positions, path);
  } else if (total_ < limit_) {
    first_.Add(positions);
  }
  ++total_;
}

void KeptTimetables::OfferRanked(const int* positions, const int* path) {
  const std::uint64_t rank = Rank(metrics_.Of(path, first_.Levels(), walks_), keys_);
  if (cut_ && rank >= worst_rank_) return;
  contenders_.push_back({rank, total_, pool_.Count()});
  pool_.Add(positions);
  if (contenders_.size() >= 2 * static_cast<std::size_t>(std::max(limit_, 1))) KeepBest();
}

// Keeps the best `limit_` contenders, in the order found, in a new pool.
void KeptTimetables::KeepBest() {
  if (contenders_.size() > static_cast<std::size_t>(limit_)) {
    std::nth_element(contenders_.begin(), contenders_.begin() + limit_, contenders_.end(), Better());
    contenders_.resize(static_cast<std::size_t>(limit_));
    cut_ = true;
    worst_rank_ = 0;
    for (const Contender& c : contenders_) worst_rank_ = std::max(worst_rank_, c.rank);
  }
  std::sort(contenders_.begin(), contenders_.end(),
            [](const Contender& a, const Contender& b) { return a.found < b.found; });
  Alternatives pool(levels_of_pool_);
  for (Contender& c : contenders_) {
    for (int level = 0; level < pool_.Levels(); ++level) positions_[level] = pool_.Position(c.at, level);
    c.at = pool.Count();
    pool.Add(positions_.data());
  }
  pool_ = std::move(pool);
}

Alternatives KeptTimetables::Take() {
  if (keys_.empty()) return std::move(first_);
  KeepBest();
  return std::move(pool_);
}

}  // namespace kiremo::generator
