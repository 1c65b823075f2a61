#include "generator/combination_search.h"

#include <algorithm>
#include <chrono>
#include <map>
#include <utility>

#include "generator/duplicate_filter.h"
#include "text/text_helpers.h"

namespace kiremo::generator {

namespace {

using Cell = std::pair<int, int>;  // day, slot

// The rows as levels: each distinct SectionCombo in the order of its first
// candidate, with its candidates in ascending position.
std::vector<std::vector<int>> GroupLevels(const std::vector<TTreeDers>& candidates) {
  std::vector<std::vector<int>> levels;
  std::map<int, int> level_of_combo;
  for (int c = 0; c < static_cast<int>(candidates.size()); ++c) {
    auto [it, inserted] = level_of_combo.emplace(candidates[c].SectionCombo, static_cast<int>(levels.size()));
    if (inserted) levels.emplace_back();
    levels[it->second].push_back(c);
  }
  return levels;
}

std::vector<Cell> Cells(const TTreeDers& candidate) {
  std::vector<Cell> cells;
  const std::size_t n = std::min(candidate.Days.size(), candidate.Slots.size());
  for (std::size_t k = 0; k < n; ++k) cells.emplace_back(StrToInt(candidate.Days[k]), StrToInt(candidate.Slots[k]));
  return cells;
}

class Search {
 public:
  Search(const std::vector<TTreeDers>& candidates, const SearchOptions& options)
      : options_(options),
        outcome_{Alternatives(GroupLevels(candidates)), SearchEnd::Complete, 0},
        kept_(outcome_.alternatives),
        filter_(candidates, kept_),
        start_(std::chrono::steady_clock::now()) {
    PrepareCells(candidates);
    positions_.resize(kept_.Levels());
    path_.resize(kept_.Levels());
  }

  SearchOutcome Run() {
    if (options_.trace) options_.trace->Root();
    if (kept_.Levels() > 0) Visit(0, occupancy_.data(), false);
    if (options_.monitor) options_.monitor->Finished();
    outcome_.nodes = nodes_;
    return std::move(outcome_);
  }

 private:
  // Only cells that two levels share can ever clash: they get one bit each.
  // A section that lists one cell twice is marked instead.
  void PrepareCells(const std::vector<TTreeDers>& candidates) {
    std::vector<std::vector<Cell>> cells(candidates.size());
    std::map<Cell, int> first_level;  // -1 once a second level uses the cell
    self_clash_.assign(candidates.size(), false);
    for (int level = 0; level < kept_.Levels(); ++level) {
      for (const int c : kept_.LevelCandidates(level)) {
        cells[c] = Cells(candidates[c]);
        std::vector<Cell> sorted = cells[c];
        std::sort(sorted.begin(), sorted.end());
        self_clash_[c] = std::adjacent_find(sorted.begin(), sorted.end()) != sorted.end();
        for (const Cell& cell : sorted) {
          auto [it, inserted] = first_level.emplace(cell, level);
          if (!inserted && it->second != level) it->second = -1;
        }
      }
    }
    std::map<Cell, int> bit;
    for (const auto& [cell, level] : first_level) {
      if (level < 0) bit.emplace(cell, static_cast<int>(bit.size()));
    }
    words_ = std::max<std::size_t>(1, (bit.size() + 63) / 64);
    masks_.assign(candidates.size() * words_, 0);
    for (std::size_t c = 0; c < candidates.size(); ++c) {
      for (const Cell& cell : cells[c]) {
        auto found = bit.find(cell);
        if (found != bit.end()) masks_[c * words_ + found->second / 64] |= std::uint64_t{1} << (found->second % 64);
      }
    }
    occupancy_.assign((kept_.Levels() + 1) * words_, 0);
  }

  bool Clashes(int c, const std::uint64_t* occupied) const {
    const std::uint64_t* mask = masks_.data() + c * words_;
    for (std::size_t w = 0; w < words_; ++w) {
      if (mask[w] & occupied[w]) return true;
    }
    return false;
  }

  // Tries every candidate of a level under the sections chosen above it;
  // false once the search must end.
  bool Visit(int level, const std::uint64_t* occupied, bool above_clashes_itself) {
    const std::vector<int>& members = kept_.LevelCandidates(level);
    const bool last = level + 1 == kept_.Levels();
    std::uint64_t* below = occupancy_.data() + (level + 1) * words_;
    for (int position = 0; position < static_cast<int>(members.size()); ++position) {
      const int c = members[position];
      ++nodes_;
      if (options_.monitor && nodes_ + filter_.Work() >= next_poll_ && !Poll()) return false;
      if (above_clashes_itself || Clashes(c, occupied)) {
        if (options_.trace) options_.trace->Clash(level + 1, c);
        continue;
      }
      if (options_.trace) options_.trace->Fits(level + 1, c);
      positions_[level] = position;
      path_[level] = c;
      if (last) {
        if (!Record()) return false;
        continue;
      }
      const std::uint64_t* mask = masks_.data() + c * words_;
      for (std::size_t w = 0; w < words_; ++w) below[w] = occupied[w] | mask[w];
      if (!Visit(level + 1, below, self_clash_[c])) return false;
    }
    return true;
  }

  bool Record() {
    if (!filter_.IsNew(path_.data())) return true;
    if (kept_.Count() >= options_.limit) {
      outcome_.end = SearchEnd::LimitReached;
      return false;
    }
    kept_.Add(positions_.data());
    filter_.Remember(kept_.Count() - 1);
    return true;
  }

  bool Poll() {
    next_poll_ = nodes_ + filter_.Work() + kPollEvery;
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start_;
    if (!options_.monitor->Poll({elapsed.count(), nodes_, kept_.Count()})) return true;
    outcome_.end = SearchEnd::Stopped;
    return false;
  }

  static constexpr std::int64_t kPollEvery = 4096;

  const SearchOptions& options_;
  SearchOutcome outcome_;
  Alternatives& kept_;
  DuplicateFilter filter_;
  std::chrono::steady_clock::time_point start_;
  std::size_t words_ = 1;
  std::vector<std::uint64_t> masks_;      // per candidate, words_ words
  std::vector<bool> self_clash_;          // per candidate
  std::vector<std::uint64_t> occupancy_;  // per level, the cells taken above it
  std::vector<int> positions_;            // the path, as positions within the levels
  std::vector<int> path_;                 // the path, as candidates
  std::int64_t nodes_ = 0;
  std::int64_t next_poll_ = kPollEvery;
};

}  // namespace

SearchOutcome SearchCombinations(const std::vector<TTreeDers>& candidates, const SearchOptions& options) {
  return Search(candidates, options).Run();
}

}  // namespace kiremo::generator
