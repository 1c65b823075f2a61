#include "generator/ranked_keep.h"

#include <algorithm>

namespace kiremo::generator {

void SharedBar::Lower(Standing bar) {
  const std::lock_guard lock(mutex_);
  if (!bar_ || bar < *bar_) bar_ = bar;
}

std::optional<Standing> SharedBar::Get() const {
  const std::lock_guard lock(mutex_);
  return bar_;
}

RankedKeep::RankedKeep(const std::vector<std::vector<int>>& levels, int limit)
    : levels_(levels), limit_(std::max(limit, 0)), kept_(levels) {}

void RankedKeep::Add(const int* positions, Standing standing) {
  kept_.Add(positions);
  standings_.push_back(standing);
  if (kept_.Count() >= limit_ + std::max(1, limit_ / 2)) KeepBest();
}

namespace {

// The `limit`-th best of the standings, and how many of those standing
// exactly there may still be kept (the first found of them); nothing when
// there are no more than `limit`.
struct Cut {
  Standing standing;
  std::size_t equal_room = 0;
};

std::optional<Cut> CutOf(const std::vector<Standing>& standings, int limit) {
  if (standings.size() <= static_cast<std::size_t>(limit) || limit <= 0) return std::nullopt;
  std::vector<Standing> sorted = standings;
  std::nth_element(sorted.begin(), sorted.begin() + (limit - 1), sorted.end());
  const Standing cut = sorted[static_cast<std::size_t>(limit - 1)];
  const auto better = static_cast<std::size_t>(
      std::count_if(standings.begin(), standings.end(), [&](const Standing& s) { return s < cut; }));
  return Cut{cut, static_cast<std::size_t>(limit) - better};
}

// Whether the next standing in found order is kept under the cut.
bool Keeps(const std::optional<Cut>& cut, std::size_t& equal_room, const Standing& standing) {
  if (!cut || standing < cut->standing) return true;
  if (standing == cut->standing && equal_room > 0) {
    --equal_room;
    return true;
  }
  return false;
}

}  // namespace

void RankedKeep::KeepBest() {
  const std::optional<Cut> cut = CutOf(standings_, limit_);
  if (!cut && limit_ > 0) return;
  std::size_t equal_room = cut ? cut->equal_room : 0;
  Alternatives kept(levels_);
  std::vector<Standing> standings;
  for (int k = 0; k < kept_.Count() && limit_ > 0; ++k) {
    if (!Keeps(cut, equal_room, standings_[k])) continue;
    kept.AddFrom(kept_, k);
    standings.push_back(standings_[k]);
  }
  kept_ = std::move(kept);
  standings_ = std::move(standings);
  if (cut) bar_ = cut->standing;
}

MergedBest MergeBest(const std::vector<std::vector<int>>& levels, const std::vector<const RankedKeep*>& keeps,
                     int limit) {
  std::vector<Standing> all;
  for (const RankedKeep* keep : keeps) all.insert(all.end(), keep->Standings().begin(), keep->Standings().end());
  const std::optional<Cut> cut = CutOf(all, limit);
  std::size_t equal_room = cut ? cut->equal_room : 0;
  MergedBest merged{Alternatives(levels), {}, std::nullopt};
  if (cut) merged.bar = cut->standing;
  // Each keep holds its parts in order, and a part is one keep's: merged
  // by part, the entries come in the order of a single walk.
  std::vector<int> next(keeps.size(), 0);
  for (;;) {
    int from = -1;
    for (int k = 0; k < static_cast<int>(keeps.size()); ++k) {
      if (next[k] >= keeps[k]->Count()) continue;
      if (from < 0 || keeps[k]->Standings()[next[k]].item < keeps[from]->Standings()[next[from]].item) from = k;
    }
    if (from < 0 || limit <= 0) break;
    const int k = next[from]++;
    const Standing& standing = keeps[from]->Standings()[k];
    if (!Keeps(cut, equal_room, standing)) continue;
    merged.alternatives.AddFrom(keeps[from]->Kept(), k);
    merged.ranks.push_back(standing.rank);
  }
  return merged;
}

}  // namespace kiremo::generator
