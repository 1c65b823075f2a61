#include "generator/kept_timetables.h"

#include <algorithm>

namespace kiremo::generator {

KeptTimetables::KeptTimetables(std::vector<std::vector<int>> levels, int limit, bool ranked)
    : levels_(std::move(levels)), limit_(limit), ranked_(ranked), kept_(levels_) {}

void KeptTimetables::OfferRanked(const int* positions, std::uint64_t rank) {
  if (cut_ && rank >= worst_rank_) return;
  ranks_.push_back(rank);
  kept_.Add(positions);
  if (ranks_.size() >= 2 * static_cast<std::size_t>(std::max(limit_, 1))) KeepBest();
}

// Keeps the best `limit_` of more contenders, in the order found: all ranked
// better than the limit-th best, then as many as still fit of those ranked
// equal to it, first found first.
void KeptTimetables::KeepBest() {
  cut_ = true;
  if (limit_ <= 0) {
    worst_rank_ = 0;
    ranks_.clear();
    kept_ = Alternatives(levels_);
    return;
  }
  std::vector<std::uint64_t> sorted = ranks_;
  std::nth_element(sorted.begin(), sorted.begin() + (limit_ - 1), sorted.end());
  const std::uint64_t cut_rank = sorted[static_cast<std::size_t>(limit_ - 1)];
  const auto better =
      static_cast<std::size_t>(std::count_if(ranks_.begin(), ranks_.end(), [&](auto r) { return r < cut_rank; }));
  std::size_t equal_room = static_cast<std::size_t>(limit_) - better;
  worst_rank_ = cut_rank;
  Alternatives kept(levels_);
  std::vector<std::uint64_t> ranks;
  for (std::size_t k = 0; k < ranks_.size(); ++k) {
    const std::uint64_t rank = ranks_[k];
    if (rank > cut_rank || (rank == cut_rank && equal_room == 0)) continue;
    if (rank == cut_rank) --equal_room;
    kept.AddFrom(kept_, static_cast<int>(k));
    ranks.push_back(rank);
  }
  kept_ = std::move(kept);
  ranks_ = std::move(ranks);
}

Alternatives KeptTimetables::Take() {
  if (ranked_ && ranks_.size() > static_cast<std::size_t>(std::max(limit_, 0))) KeepBest();
  return std::move(kept_);
}

std::vector<std::uint64_t> KeptTimetables::TakeRanks() { return std::move(ranks_); }

}  // namespace kiremo::generator
