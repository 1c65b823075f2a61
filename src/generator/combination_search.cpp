#include "generator/combination_search.h"

#include <chrono>
#include <limits>
#include <utility>

#include "generator/clash_masks.h"
#include "generator/duplicate_filter.h"
#include "generator/existence_check.h"
#include "generator/kept_timetables.h"
#include "generator/parallel_search.h"
#include "generator/preference_metrics.h"
#include "generator/search_space.h"
#include "generator/timetable_counter.h"
#include "generator/timetable_metrics.h"

namespace kiremo::generator {

namespace {

// One course row as the search walks it: its sections' masks side by side.
struct Level {
  const std::vector<int>* members = nullptr;  // positions in the candidate list
  std::vector<std::uint64_t> masks;           // `words` per section
  std::vector<char> self_clash;               // per section
};

class Search {
 public:
  Search(const std::vector<TTreeDers>& candidates, const SearchOptions& options)
      : options_(options),
        candidates_(candidates),
        candidate_levels_(GroupLevels(candidates)),
        masks_(candidates, candidate_levels_),
        words_(masks_.words),
        metrics_(options.keys.empty() ? MetricsTable() : RankingTable(candidates, options.friends)),
        kept_(candidate_levels_, options.limit, !options.keys.empty()),
        filter_(candidates, candidate_levels_),
        prune_(options.prune && options.trace == nullptr),
        tracing_(options.trace != nullptr),
        ranked_(!options.keys.empty()),
        walks_(NeedsWalks(options.keys)),
        span_(NeedsSpan(options.keys)),
        preferences_(NeedsPreferences(options.keys)),
        needs_path_(filter_.Active() || walks_ || NeedsFriends(options.keys)),
        start_(std::chrono::steady_clock::now()) {
    for (const std::vector<int>& members : candidate_levels_) {
      Level& level = levels_.emplace_back();
      level.members = &members;
      for (const int c : members) {
        level.masks.insert(level.masks.end(), masks_.Of(c), masks_.Of(c) + words_);
        level.self_clash.push_back(masks_.self_clash[c] ? 1 : 0);
      }
    }
    const std::size_t n = levels_.size();
    occupancy_.assign((n + 1) * words_, 0);
    positions_.resize(n);
    path_.resize(n);
    support_.assign(n, 0);
    hours_.assign(n + 1, {});
    last_ = static_cast<int>(n) - 1;
    if (!options_.monitor) next_poll_ = std::numeric_limits<std::int64_t>::max();
  }

  SearchOutcome Run() {
    SearchOutcome outcome;
    if (tracing_) options_.trace->Root();
    if (!levels_.empty()) {
      outcome.hopeless = prune_ && Hopeless();
      if (!outcome.hopeless) Start();
    }
    if (options_.monitor) options_.monitor->Finished();
    outcome.total = kept_.Total();
    outcome.alternatives = kept_.Take();
    outcome.ranks = kept_.TakeRanks();
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
    return TimetablesExist(candidates_, masks_, candidate_levels_, all) == Existence::None;
  }

  // The clash test unrolled for the usual one or two words of shared cells.
  void Start() {
    if (words_ == 1) {
      Visit<1>(0, occupancy_.data(), false);
    } else if (words_ == 2) {
      Visit<2>(0, occupancy_.data(), false);
    } else {
      Visit<0>(0, occupancy_.data(), false);
    }
  }

  template <std::size_t W>
  std::size_t Words() const {
    return W == 0 ? words_ : W;
  }

  template <std::size_t W>
  bool Clashes(const std::uint64_t* mask, const std::uint64_t* occupied) const {
    for (std::size_t w = 0; w < Words<W>(); ++w) {
      if (mask[w] & occupied[w]) return true;
    }
    return false;
  }

  // Whether the level has a section that fits the occupied cells and can
  // have sections below it; the one found last is tried first.
  template <std::size_t W>
  bool LevelFits(int level, const std::uint64_t* occupied) {
    const Level& l = levels_[level];
    const int n = static_cast<int>(l.self_clash.size());
    for (int k = 0, at = support_[level]; k < n; ++k, at = at + 1 == n ? 0 : at + 1) {
      if ((level == last_ || !l.self_clash[at]) && !Clashes<W>(l.masks.data() + at * Words<W>(), occupied)) {
        support_[level] = at;
        return true;
      }
    }
    return false;
  }

  // Forward checking: every level after the next one still has a section
  // that fits (the next one is tried right away anyway).
  template <std::size_t W>
  bool LaterLevelsFit(int level, const std::uint64_t* occupied) {
    for (int later = level + 2; later <= last_; ++later) {
      if (!LevelFits<W>(later, occupied)) return false;
    }
    return true;
  }

  // Tries every section of a level under the sections chosen above it;
  // false once the search must end.
  template <std::size_t W>
  bool Visit(int level, const std::uint64_t* occupied, bool above_clashes_itself) {
    if (level == last_) return VisitLast<W>(level, occupied, above_clashes_itself);
    const Level& l = levels_[level];
    const int n = static_cast<int>(l.self_clash.size());
    std::uint64_t* below = occupancy_.data() + (level + 1) * Words<W>();
    for (int position = 0; position < n; ++position) {
      if (!Step()) return false;
      const std::uint64_t* mask = l.masks.data() + position * Words<W>();
      if (above_clashes_itself || Clashes<W>(mask, occupied)) {
        if (tracing_) options_.trace->Clash(level + 1, (*l.members)[position]);
        continue;
      }
      if (tracing_) options_.trace->Fits(level + 1, (*l.members)[position]);
      positions_[level] = position;
      for (std::size_t w = 0; w < Words<W>(); ++w) below[w] = occupied[w] | mask[w];
      if (ranked_) AddHours(level, (*l.members)[position]);
      const bool self_clash = l.self_clash[position] != 0;
      if (prune_ && (self_clash || !LaterLevelsFit<W>(level, below))) continue;
      if (!Visit<W>(level + 1, below, self_clash)) return false;
    }
    return true;
  }

  template <std::size_t W>
  bool VisitLast(int level, const std::uint64_t* occupied, bool above_clashes_itself) {
    const Level& l = levels_[level];
    const std::uint64_t* const masks = l.masks.data();
    const int n = static_cast<int>(l.self_clash.size());
    for (int position = 0; position < n; ++position) {
      if (!Step()) return false;
      if (above_clashes_itself || Clashes<W>(masks + position * Words<W>(), occupied)) {
        if (tracing_) options_.trace->Clash(level + 1, (*l.members)[position]);
        continue;
      }
      if (tracing_) options_.trace->Fits(level + 1, (*l.members)[position]);
      positions_[level] = position;
      Found();
    }
    return true;
  }

  // The hours of the sections chosen down to `level`, per weekday.
  void AddHours(int level, int candidate) {
    const MetricsTable::DayHours& own = metrics_.HoursOf(candidate);
    for (int d = 0; d < 5; ++d) hours_[level + 1][d] = hours_[level][d] | own[d];
  }

  void Found() {
    if (!needs_path_ && !ranked_) return kept_.Offer(positions_.data(), 0);
    FoundChecked();
  }

  // A timetable that the duplicate filter must pass or the keys must rank.
  [[gnu::noinline]] void FoundChecked() {
    if (needs_path_) {
      for (int level = 0; level <= last_; ++level) path_[level] = (*levels_[level].members)[positions_[level]];
      if (filter_.Active()) {
        if (!filter_.IsNew(path_.data())) return;
        filter_.Remember(positions_.data());
      }
    }
    kept_.Offer(positions_.data(), ranked_ ? Rank() : 0);
  }

  // The rank of the timetable just found by the keys.
  std::uint64_t Rank() {
    AddHours(last_, (*levels_[last_].members)[positions_[last_]]);
    Metrics metrics = MetricsTable::FromHours(hours_[last_ + 1], span_);
    if (walks_) metrics.walks = metrics_.Walks(path_.data(), last_ + 1, hours_[last_ + 1]);
    if (preferences_) AddPreferences(metrics, metrics_, path_.data(), last_ + 1, hours_[last_ + 1], options_.keys);
    return generator::Rank(metrics, options_.keys);
  }

  // Counts a tried section and lets the monitor look now and then; false
  // once it stops the search.
  bool Step() {
    ++nodes_;
    if (nodes_ + filter_.Work() < next_poll_) return true;
    next_poll_ = nodes_ + filter_.Work() + kPollEvery;
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start_;
    if (!options_.monitor->Poll({elapsed.count(), nodes_, kept_.Total()})) return true;
    stopped_ = true;
    return false;
  }

  static constexpr std::int64_t kPollEvery = 4096;

  const SearchOptions& options_;
  const std::vector<TTreeDers>& candidates_;
  std::vector<std::vector<int>> candidate_levels_;
  ClashMasks masks_;
  std::size_t words_;
  MetricsTable metrics_;
  KeptTimetables kept_;
  DuplicateFilter filter_;
  bool prune_;
  bool tracing_;
  bool ranked_;
  bool walks_;        // the keys ask for the walks
  bool span_;         // the keys ask for the first and last hours or the gaps
  bool preferences_;  // the keys ask for the lunch, the streak or the friends
  bool needs_path_;   // the duplicate filter, the walks or the friends look at the candidates
  std::chrono::steady_clock::time_point start_;
  std::vector<Level> levels_;
  int last_ = -1;
  std::vector<std::uint64_t> occupancy_;       // per level, the cells taken above it
  std::vector<int> positions_;                 // the path, as positions within the levels
  std::vector<int> path_;                      // the path, as candidates (when needed)
  std::vector<int> support_;                   // per level, the position that fitted last
  std::vector<MetricsTable::DayHours> hours_;  // ranked: per level, the hours taken above it
  std::int64_t nodes_ = 0;
  std::int64_t next_poll_ = kPollEvery;
  bool stopped_ = false;
};

}  // namespace

SearchOutcome SearchCombinations(const std::vector<TTreeDers>& candidates, const SearchOptions& options) {
  // A trace sees every node in order, and the duplicate filter must see the
  // timetables in order: both walk alone.
  const std::vector<std::vector<int>> levels = GroupLevels(candidates);
  if (options.trace || !options.prune || DuplicateFilter(candidates, levels).Active())
    return Search(candidates, options).Run();
  const SearchSpace space(candidates, options.keys, options.friends);
  SearchOutcome outcome;
  outcome.alternatives = Alternatives(space.candidate_levels);
  if (!space.levels.empty()) {
    std::vector<int> all(space.levels.size());
    for (std::size_t level = 0; level < all.size(); ++level) all[level] = static_cast<int>(level);
    outcome.hopeless = TimetablesExist(candidates, space.clash, space.candidate_levels, all) == Existence::None;
    if (!outcome.hopeless) {
      const TimetableCounter counter(candidates, space.candidate_levels, space.clash, all);
      outcome = ParallelSearch(space, counter, options);
    }
  }
  if (options.monitor) options.monitor->Finished();
  return outcome;
}

}  // namespace kiremo::generator
