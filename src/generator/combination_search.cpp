#include "generator/combination_search.h"

#include <chrono>
#include <utility>

#include "generator/clash_masks.h"
#include "generator/duplicate_filter.h"
#include "generator/existence_check.h"
#include "generator/kept_timetables.h"
#include "generator/timetable_metrics.h"

namespace kiremo::generator {

namespace {

// Sections the check before the search may try: enough for any real choice
// of courses, and a few tenths of a second at most. Past it the search runs
// as it would without the check.
constexpr std::int64_t kCheckBudget = 2'000'000;

class Search {
 public:
  Search(const std::vector<TTreeDers>& candidates, const SearchOptions& options)
      : options_(options),
        levels_(GroupLevels(candidates)),
        masks_(candidates, levels_),
        metrics_(options.keys.empty() ? MetricsTable() : MetricsTable(candidates)),
        kept_(levels_, options.limit, options.keys, metrics_),
        filter_(candidates, levels_),
        prune_(options.trace == nullptr),
        start_(std::chrono::steady_clock::now()) {
    const std::size_t n = levels_.size();
    occupancy_.assign((n + 1) * masks_.words, 0);
    positions_.resize(n);
    path_.resize(n);
    support_.assign(n, 0);
  }

  SearchOutcome Run() {
    SearchOutcome outcome;
    if (options_.trace) options_.trace->Root();
    if (!levels_.empty()) {
      outcome.hopeless = prune_ && Hopeless();
      if (!outcome.hopeless) Visit(0, occupancy_.data(), false);
    }
    if (options_.monitor) options_.monitor->Finished();
    outcome.total = kept_.Total();
    outcome.alternatives = kept_.Take();
    outcome.end = stopped_                                       ? SearchEnd::Stopped
                  : outcome.total > outcome.alternatives.Count() ? SearchEnd::LimitReached
                                                                 : SearchEnd::Complete;
    outcome.nodes = nodes_;
    return outcome;
  }

 private:
  bool Hopeless() const {
    std::vector<int> all(levels_.size());
    for (std::size_t level = 0; level < all.size(); ++level) all[level] = static_cast<int>(level);
    return AnyTimetable(masks_, levels_, all, kCheckBudget) == Existence::None;
  }

  int LastLevel() const { return static_cast<int>(levels_.size()) - 1; }

  // Whether the level has a section that fits the occupied cells and can
  // have sections below it; the one found last is tried first.
  bool LevelFits(int level, const std::uint64_t* occupied) {
    const std::vector<int>& members = levels_[level];
    const int n = static_cast<int>(members.size());
    const bool last = level == LastLevel();
    for (int k = 0, at = support_[level]; k < n; ++k, at = at + 1 == n ? 0 : at + 1) {
      const int c = members[at];
      if ((last || !masks_.self_clash[c]) && !masks_.Clashes(c, occupied)) {
        support_[level] = at;
        return true;
      }
    }
    return false;
  }

  // Forward checking: every level after the next one still has a section
  // that fits (the next one is tried right away anyway).
  bool LaterLevelsFit(int level, const std::uint64_t* occupied) {
    for (int later = level + 2; later <= LastLevel(); ++later) {
      if (!LevelFits(later, occupied)) return false;
    }
    return true;
  }

  // Tries every candidate of a level under the sections chosen above it;
  // false once the search must end.
  bool Visit(int level, const std::uint64_t* occupied, bool above_clashes_itself) {
    if (level == LastLevel()) return VisitLast(level, occupied, above_clashes_itself);
    const std::vector<int>& members = levels_[level];
    const std::size_t words = masks_.words;
    std::uint64_t* below = occupancy_.data() + (level + 1) * words;
    for (int position = 0; position < static_cast<int>(members.size()); ++position) {
      const int c = members[position];
      if (!Step()) return false;
      if (above_clashes_itself || masks_.Clashes(c, occupied)) {
        if (options_.trace) options_.trace->Clash(level + 1, c);
        continue;
      }
      if (options_.trace) options_.trace->Fits(level + 1, c);
      positions_[level] = position;
      path_[level] = c;
      const std::uint64_t* mask = masks_.Of(c);
      for (std::size_t w = 0; w < words; ++w) below[w] = occupied[w] | mask[w];
      if (prune_ && (masks_.self_clash[c] || !LaterLevelsFit(level, below))) continue;
      if (!Visit(level + 1, below, masks_.self_clash[c])) return false;
    }
    return true;
  }

  bool VisitLast(int level, const std::uint64_t* occupied, bool above_clashes_itself) {
    const std::vector<int>& members = levels_[level];
    for (int position = 0; position < static_cast<int>(members.size()); ++position) {
      const int c = members[position];
      if (!Step()) return false;
      if (above_clashes_itself || masks_.Clashes(c, occupied)) {
        if (options_.trace) options_.trace->Clash(level + 1, c);
        continue;
      }
      if (options_.trace) options_.trace->Fits(level + 1, c);
      positions_[level] = position;
      path_[level] = c;
      Found();
    }
    return true;
  }

  void Found() {
    if (!filter_.IsNew(path_.data())) return;
    filter_.Remember(positions_.data());
    kept_.Offer(positions_.data(), path_.data());
  }

  // Counts a tried section and lets the monitor look now and then; false
  // once it stops the search.
  bool Step() {
    ++nodes_;
    if (!options_.monitor || nodes_ + filter_.Work() < next_poll_) return true;
    next_poll_ = nodes_ + filter_.Work() + kPollEvery;
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start_;
    if (!options_.monitor->Poll({elapsed.count(), nodes_, kept_.Total()})) return true;
    stopped_ = true;
    return false;
  }

  static constexpr std::int64_t kPollEvery = 4096;

  const SearchOptions& options_;
  std::vector<std::vector<int>> levels_;
  ClashMasks masks_;
  MetricsTable metrics_;
  KeptTimetables kept_;
  DuplicateFilter filter_;
  bool prune_;
  std::chrono::steady_clock::time_point start_;
  std::vector<std::uint64_t> occupancy_;  // per level, the cells taken above it
  std::vector<int> positions_;            // the path, as positions within the levels
  std::vector<int> path_;                 // the path, as candidates
  std::vector<int> support_;              // per level, the position that fitted last
  std::int64_t nodes_ = 0;
  std::int64_t next_poll_ = kPollEvery;
  bool stopped_ = false;
};

}  // namespace

SearchOutcome SearchCombinations(const std::vector<TTreeDers>& candidates, const SearchOptions& options) {
  return Search(candidates, options).Run();
}

}  // namespace kiremo::generator
