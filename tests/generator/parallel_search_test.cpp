// Counting and the search on several threads, over seeded random terms:
// counted totals against enumeration, one thread against several, and the
// best found so far of a ranked search that is stopped.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>

#include "generator/clash_masks.h"
#include "generator/combination_search.h"
#include "generator/generated_term.h"
#include "generator/random_week.h"
#include "generator/result_order.h"
#include "generator/timetable_counter.h"

namespace kiremo::generator {
namespace {

using testing::GeneratedTerm;
using testing::Paths;
using testing::RandomWeek;
using testing::StraightKey;
using testing::StraightMetrics;
using testing::TermShape;

const SortKey kAllKeys[] = {SortKey::Days,  SortKey::Gaps,  SortKey::Late,  SortKey::Early,
                            SortKey::Walks, SortKey::Lunch, SortKey::Streak};

std::vector<int> AllLevels(std::size_t n) {
  std::vector<int> all(n);
  for (std::size_t level = 0; level < n; ++level) all[level] = static_cast<int>(level);
  return all;
}

// Every timetable of the candidates by the walk that visits each one.
std::vector<std::vector<int>> Enumerated(const std::vector<TTreeDers>& candidates) {
  return Paths(SearchCombinations(candidates, {.limit = 1 << 30, .prune = false}).alternatives);
}

// Some course has two sections with the same shared cells.
bool HasEqualMasks(const std::vector<std::vector<int>>& levels, const ClashMasks& masks) {
  for (const std::vector<int>& level : levels) {
    std::set<std::vector<std::uint64_t>> seen;
    for (const int c : level) {
      if (!seen.emplace(masks.Of(c), masks.Of(c) + masks.words).second) return true;
    }
  }
  return false;
}

TEST(Counting, CountedTotalsEqualTheTimetablesEnumerated) {
  int counted = 0, with_weights = 0, with_tables = 0;
  for (unsigned seed = 1; seed <= 1500; ++seed) {
    std::mt19937 random(seed);
    const int rows = 2 + static_cast<int>(random() % 5);
    const auto candidates = RandomWeek(random, rows, 4 + static_cast<int>(random() % 10), 3);
    const std::vector<std::vector<int>> found = Enumerated(candidates);

    const auto levels = GroupLevels(candidates);
    const ClashMasks masks(candidates, levels);
    const TimetableCounter counter(candidates, levels, masks, AllLevels(levels.size()));
    ASSERT_TRUE(counter.Exact());
    CountRun run(counter);
    ASSERT_EQ(run.All(), found.size()) << "seed " << seed;
    // Below any path through the first level, and through the first two.
    for (const int depth : {1, 2}) {
      std::map<std::vector<int>, std::uint64_t> below;
      for (const auto& path : found) ++below[std::vector<int>(path.begin(), path.begin() + depth)];
      for (const auto& [prefix, count] : below) ASSERT_EQ(run.Below(prefix.data(), depth), count) << "seed " << seed;
    }
    // Past a small limit the search counts the rest.
    const int limit = 1 + static_cast<int>(random() % 8);
    const SearchOutcome limited = SearchCombinations(candidates, {.limit = limit, .threads = 2});
    ASSERT_EQ(limited.total, static_cast<std::int64_t>(found.size())) << "seed " << seed;
    ASSERT_EQ(Paths(limited.alternatives),
              std::vector<std::vector<int>>(found.begin(), found.begin() + std::min<std::size_t>(limit, found.size())))
        << "seed " << seed;
    ++counted;
    with_weights += HasEqualMasks(levels, masks);
    with_tables += rows >= 4;
  }
  EXPECT_EQ(counted, 1500);
  EXPECT_GT(with_weights, 100) << "sections counted once with a weight";
  EXPECT_GT(with_tables, 400) << "levels whose subtrees are remembered";
}

// Courses of more than 64 sections (their sets of open sections take more
// than a word), and courses over every cell of the grid (more than 64
// shared cells).
TEST(Counting, CoursesOfManySectionsAndCellsAreCountedLikeOthers) {
  for (unsigned seed = 1; seed <= 4; ++seed) {
    auto candidates = GeneratedTerm(seed, 3 + static_cast<int>(seed % 2), 70, TermShape::FreeHours);
    if (seed % 2 == 0) {
      for (TTreeDers& c : candidates) {
        const int cell = c.Index % 70;
        c.Days.push_back(std::to_string(1 + cell / 14));
        c.Slots.push_back(std::to_string(1 + cell % 14));
      }
      ASSERT_GT(ClashMasks(candidates, GroupLevels(candidates)).words, 1u);
    }
    const auto levels = GroupLevels(candidates);
    const ClashMasks masks(candidates, levels);
    const TimetableCounter counter(candidates, levels, masks, AllLevels(levels.size()));
    CountRun run(counter);
    const std::int64_t walked = SearchCombinations(candidates, {.limit = 1, .prune = false}).total;
    EXPECT_EQ(run.All(), static_cast<std::uint64_t>(walked)) << "seed " << seed;
  }
}

// Courses whose sections take one or two of fifteen cells: a table of the
// last courses answers every path through the first ones.
TEST(Counting, TablesOfTheLastCoursesCountLikeTheWalk) {
  int tabled = 0;
  for (unsigned seed = 1; seed <= 40; ++seed) {
    std::mt19937 random(seed);
    std::vector<TTreeDers> candidates;
    const int rows = 6 + static_cast<int>(random() % 2);
    for (int row = 1; row <= rows; ++row) {
      for (int s = 0; s < 10 + static_cast<int>(random() % 8); ++s) {
        std::vector<std::pair<int, int>> cells;
        for (int m = 0; m < 1 + static_cast<int>(random() % 4 == 0); ++m)
          cells.emplace_back(1 + static_cast<int>(random() % 3), 1 + static_cast<int>(random() % 5));
        candidates.push_back(testing::Section(row, std::to_string(row * 100 + s), cells));
      }
    }
    candidates = testing::Numbered(candidates);
    const auto levels = GroupLevels(candidates);
    const ClashMasks masks(candidates, levels);
    const TimetableCounter counter(candidates, levels, masks, AllLevels(levels.size()));
    tabled += counter.TableFrom() >= 0;
    const std::int64_t walked = SearchCombinations(candidates, {.limit = 1, .prune = false}).total;
    ASSERT_EQ(CountRun(counter).All(), static_cast<std::uint64_t>(walked)) << "seed " << seed;
    ASSERT_EQ(SearchCombinations(candidates, {.limit = 1, .threads = 2}).total, walked) << "seed " << seed;
  }
  EXPECT_GE(tabled, 10);
}

TEST(Counting, BudgetAndStopEndACountWithoutAnAnswer) {
  const auto candidates = GeneratedTerm(5, 7, 30, TermShape::FreeHours);
  const auto levels = GroupLevels(candidates);
  const ClashMasks masks(candidates, levels);
  const TimetableCounter counter(candidates, levels, masks, AllLevels(levels.size()));
  EXPECT_FALSE(CountRun(counter, nullptr, 10'000).All());
  const std::atomic<bool> stop{true};
  CountRun stopped(counter, &stop);
  EXPECT_FALSE(stopped.All());
  EXPECT_LT(stopped.Steps(), 5000);
}

SortKeys RandomKeys(std::mt19937& random) {
  SortKeys keys;
  const int n = static_cast<int>(random() % 3);
  while (static_cast<int>(keys.size()) < n) {
    const SortKey key = kAllKeys[random() % std::size(kAllKeys)];
    if (std::find(keys.begin(), keys.end(), key) == keys.end()) keys.push_back(key);
  }
  return keys;
}

TEST(ParallelSearch, ListingsAreTheSameOnOneThreadAndOnSeveral) {
  int cut = 0, ranked = 0;
  for (unsigned seed = 1; seed <= 250; ++seed) {
    std::mt19937 random(seed);
    const auto candidates = RandomWeek(random, 3 + static_cast<int>(random() % 4), 12, 2);
    const SortKeys keys = RandomKeys(random);
    const int limit = 1 + static_cast<int>(random() % 3000);
    const SearchOutcome one = SearchCombinations(candidates, {.limit = limit, .keys = keys, .threads = 1});
    for (const int threads : {2, 3}) {
      const SearchOutcome many = SearchCombinations(candidates, {.limit = limit, .keys = keys, .threads = threads});
      ASSERT_EQ(Paths(many.alternatives), Paths(one.alternatives)) << "seed " << seed << " threads " << threads;
      ASSERT_EQ(many.ranks, one.ranks) << "seed " << seed;
      ASSERT_EQ(many.total, one.total) << "seed " << seed;
      ASSERT_EQ(many.end, one.end) << "seed " << seed;
    }
    cut += one.end == SearchEnd::LimitReached;
    ranked += !keys.empty() && one.end == SearchEnd::LimitReached;
  }
  EXPECT_GT(cut, 100);
  EXPECT_GT(ranked, 50);
}

// Seven courses for seven Monday hours, each section also at an hour of its
// own later in the week, after a first course whose first five sections
// take one of those hours too: below them nothing fits, which only a long
// walk finds out. The walk asks the counting and leaves those subtrees out;
// the lists are those of the walk alone, which goes through every subtree
// (a CRN listed twice in the last course makes the search walk alone, as
// it always did).
TEST(ParallelSearch, SubtreesWithoutTimetablesAreCountedAndLeftOut) {
  std::mt19937 random(3);
  std::vector<TTreeDers> candidates;
  for (int s = 0; s < 6; ++s) {
    candidates.push_back(testing::Section(
        1, std::to_string(100 + s),
        s < 5 ? std::vector<std::pair<int, int>>{{1, 1}, {1, 2}} : std::vector<std::pair<int, int>>{{1, 1}}));
  }
  for (int row = 2; row <= 8; ++row) {
    for (int s = 0; s < 16; ++s) {
      const std::pair<int, int> monday{1, 2 + static_cast<int>(random() % 7)};
      const std::pair<int, int> later{2 + static_cast<int>(random() % 4), 1 + static_cast<int>(random() % 8)};
      candidates.push_back(testing::Section(row, std::to_string(row * 100 + s), {monday, later}));
    }
  }
  candidates = testing::Numbered(candidates);
  std::vector<TTreeDers> walked_alone = candidates;
  walked_alone.push_back(candidates.back());
  walked_alone = testing::Numbered(walked_alone);
  for (const SortKeys& keys : {SortKeys{}, SortKeys{SortKey::Days, SortKey::Gaps}}) {
    const SearchOutcome alone = SearchCombinations(walked_alone, {.limit = 40, .keys = keys});
    ASSERT_GT(alone.total, 40);
    for (const int threads : {1, 2}) {
      const SearchOutcome parts = SearchCombinations(candidates, {.limit = 40, .keys = keys, .threads = threads});
      EXPECT_EQ(Paths(parts.alternatives), Paths(alone.alternatives)) << threads;
      EXPECT_EQ(parts.ranks, alone.ranks) << threads;
      EXPECT_EQ(parts.total, alone.total) << threads;
      if (threads == 1) {
        EXPECT_LT(parts.nodes, alone.nodes / 4) << "the empty subtrees were walked through";
      }
    }
  }
}

// Stops a search after a while; keeps every list shown on the way.
class StopLater : public SearchMonitor, public SearchSoFar {
 public:
  explicit StopLater(double seconds) : seconds_(seconds) {}
  bool Poll(const SearchProgress& progress) override { return progress.elapsed_seconds >= seconds_; }
  void Finished() override {}
  void Show(SearchOutcome so_far) override { shown.push_back(std::move(so_far)); }
  std::vector<SearchOutcome> shown;

 private:
  double seconds_;
};

// The best found so far, in the list's order: sorted by the keys, each one
// clash-free and none twice.
void ExpectSortedAndClashFree(const std::vector<TTreeDers>& candidates, const SearchOutcome& so_far,
                              const SortKeys& keys) {
  ASSERT_GT(so_far.alternatives.Count(), 0);
  const std::vector<std::vector<int>> paths = Paths(so_far.alternatives);
  ASSERT_EQ(std::set<std::vector<int>>(paths.begin(), paths.end()).size(), paths.size());
  std::vector<int> previous_key;
  for (const int k : OrderByRank(so_far.ranks)) {
    const Metrics metrics = StraightMetrics(candidates, paths[k]);
    ASSERT_EQ(so_far.ranks[k], Rank(metrics, keys));
    const std::vector<int> key = StraightKey(metrics, keys);
    ASSERT_LE(previous_key, key);
    previous_key = key;
    std::set<std::pair<std::string, std::string>> cells;
    std::size_t listed = 0;
    for (const int c : paths[k]) {
      for (std::size_t m = 0; m < candidates[c].Days.size(); ++m, ++listed)
        cells.emplace(candidates[c].Days[m], candidates[c].Slots[m]);
    }
    ASSERT_EQ(cells.size(), listed) << "a clash in timetable " << k;
  }
}

TEST(ParallelSearch, BestSoFarOfAStoppedRankingIsSortedAndClashFree) {
  const auto candidates = GeneratedTerm(11, 8, 30, TermShape::FreeHours);
  const SortKeys keys = {SortKey::Gaps, SortKey::Walks};  // no floor: every timetable is ranked
  StopLater monitor(1.2);
  const SearchOutcome outcome = SearchCombinations(
      candidates, {.limit = 100'000, .keys = keys, .monitor = &monitor, .so_far = &monitor, .threads = 2});
  ASSERT_EQ(outcome.end, SearchEnd::Stopped);
  EXPECT_GE(outcome.total, outcome.alternatives.Count());
  ExpectSortedAndClashFree(candidates, outcome, keys);
  ASSERT_FALSE(monitor.shown.empty()) << "the list is shown while the search goes on";
  for (const SearchOutcome& so_far : monitor.shown) ExpectSortedAndClashFree(candidates, so_far, keys);
}

}  // namespace
}  // namespace kiremo::generator
