// Metrics and ranking over seeded random choices of courses, against the
// straightforward computations of random_week.h.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>

#include "generator/combination_search.h"
#include "generator/random_week.h"
#include "generator/result_order.h"

namespace kiremo::generator {
namespace {

using testing::Paths;
using testing::RandomWeek;
using testing::StraightKey;
using testing::StraightMetrics;

const SortKey kAll[] = {SortKey::Days, SortKey::Gaps, SortKey::Late, SortKey::Early, SortKey::Walks};

SortKeys RandomKeys(std::mt19937& random) {
  SortKeys keys;
  const int n = 1 + static_cast<int>(random() % 3);
  while (static_cast<int>(keys.size()) < n) {
    const SortKey key = kAll[random() % 5];
    if (std::find(keys.begin(), keys.end(), key) == keys.end()) keys.push_back(key);
  }
  return keys;
}

// The found timetables stably sorted by the keys' straight values.
std::vector<std::vector<int>> StraightSorted(const std::vector<TTreeDers>& candidates,
                                             std::vector<std::vector<int>> paths, const SortKeys& keys) {
  std::stable_sort(paths.begin(), paths.end(), [&](const auto& a, const auto& b) {
    return StraightKey(StraightMetrics(candidates, a), keys) < StraightKey(StraightMetrics(candidates, b), keys);
  });
  return paths;
}

std::vector<std::vector<int>> InOrder(const std::vector<std::vector<int>>& paths, const std::vector<int>& order) {
  std::vector<std::vector<int>> sorted;
  for (const int k : order) sorted.push_back(paths[k]);
  return sorted;
}

TEST(Ranking, MetricsMatchTheStraightComputation) {
  int with_walks = 0, with_gaps = 0;
  for (unsigned seed = 1; seed <= 300; ++seed) {
    std::mt19937 random(seed);
    const auto candidates = RandomWeek(random, 2 + static_cast<int>(random() % 4), 5, 3);
    const MetricsTable table(candidates);
    for (const auto& path : Paths(SearchCombinations(candidates).alternatives)) {
      const Metrics expected = StraightMetrics(candidates, path);
      ASSERT_EQ(table.Of(path.data(), static_cast<int>(path.size())), expected) << "seed " << seed;
      with_walks += expected.walks > 0;
      with_gaps += expected.gaps > 0;
    }
  }
  EXPECT_GT(with_walks, 1000);
  EXPECT_GT(with_gaps, 1000);
}

TEST(Ranking, SortedListIsAStableSortOfTheFoundOrder) {
  for (unsigned seed = 1; seed <= 300; ++seed) {
    std::mt19937 random(seed);
    const auto candidates = RandomWeek(random, 2 + static_cast<int>(random() % 4), 5, 3);
    const SortKeys keys = RandomKeys(random);
    const auto found = Paths(SearchCombinations(candidates).alternatives);
    const auto expected = StraightSorted(candidates, found, keys);

    const SearchOutcome ranked = SearchCombinations(candidates, {.keys = keys});
    ASSERT_EQ(Paths(ranked.alternatives), found) << "seed " << seed << ": kept in the order found";
    ASSERT_EQ(InOrder(found, OrderByRank(ranked.ranks)), expected) << "seed " << seed;
    ASSERT_EQ(InOrder(found, OrderBy(ranked.alternatives, MetricsTable(candidates), keys)), expected)
        << "seed " << seed;
  }
}

// With a limit the best ones by the keys are kept, ties going to the first
// found, however often the contenders had to be cut back on the way.
TEST(Ranking, LimitKeepsTheBestOfAll) {
  int cut = 0;
  for (unsigned seed = 1; seed <= 400; ++seed) {
    std::mt19937 random(seed);
    const auto candidates = RandomWeek(random, 3 + static_cast<int>(random() % 3), 6, 2);
    const SortKeys keys = RandomKeys(random);
    const auto found = Paths(SearchCombinations(candidates).alternatives);
    if (found.size() < 4) continue;
    const int limit = 1 + static_cast<int>(random() % (found.size() / 2));
    auto best = StraightSorted(candidates, found, keys);
    best.resize(static_cast<std::size_t>(limit));

    const SearchOutcome ranked = SearchCombinations(candidates, {.limit = limit, .keys = keys});
    ASSERT_EQ(ranked.total, static_cast<std::int64_t>(found.size())) << "seed " << seed;
    ASSERT_EQ(ranked.end, SearchEnd::LimitReached);
    ASSERT_EQ(InOrder(Paths(ranked.alternatives), OrderByRank(ranked.ranks)), best) << "seed " << seed;
    auto in_found_order = best;
    std::sort(in_found_order.begin(), in_found_order.end(), [&](const auto& a, const auto& b) {
      return std::find(found.begin(), found.end(), a) < std::find(found.begin(), found.end(), b);
    });
    ASSERT_EQ(Paths(ranked.alternatives), in_found_order) << "seed " << seed;
    cut += static_cast<int>(found.size()) >= 2 * limit;
  }
  EXPECT_GT(cut, 100);
}

// Three million timetables: seven courses, each in two hours of its own and
// its sections spread over the days and three buildings.
std::vector<TTreeDers> ThreeMillion() {
  static const char* kBuildings[] = {"EEB", "FEB", "MED"};
  std::vector<TTreeDers> all;
  for (int row = 1; row <= 7; ++row) {
    for (int s = 0; s < (row == 7 ? 3 : 10); ++s) {
      const int day = 1 + (s + row) % 5;
      const int slot = 2 * row - 1 + (s / 5) % 2;
      TTreeDers c = testing::Section(row, std::to_string(10000 + 100 * row + s), {{day, slot}});
      c.Buildings = {kBuildings[(s + row) % 3]};
      all.push_back(c);
    }
  }
  return testing::Numbered(all);
}

TEST(Ranking, PastTheLimitTheBestMillionOfThreeMillionAreKept) {
  const auto candidates = ThreeMillion();
  const MetricsTable metrics(candidates);
  const SearchOutcome everything = SearchCombinations(candidates, {.limit = 5'000'000});
  ASSERT_EQ(everything.alternatives.Count(), 3'000'000);
  for (const SortKeys& keys : {SortKeys{SortKey::Days}, SortKeys{SortKey::Walks, SortKey::Early}}) {
    std::vector<int> best = OrderBy(everything.alternatives, metrics, keys);
    best.resize(1'000'000);
    std::sort(best.begin(), best.end());  // back in the order found

    const SearchOutcome ranked = SearchCombinations(candidates, {.keys = keys});
    EXPECT_EQ(ranked.total, 3'000'000);
    ASSERT_EQ(ranked.alternatives.Count(), 1'000'000);
    bool same = true;
    std::vector<int> expected_path, path;
    for (int k = 0; k < 1'000'000 && same; ++k) {
      PathOf(everything.alternatives, best[k], expected_path);
      PathOf(ranked.alternatives, k, path);
      same = path == expected_path;
      EXPECT_TRUE(same) << "kept timetable " << k << " by " << KeyWord(keys[0]);
    }
  }
}

TEST(SortKeys, WordsAndTheirOrder) {
  struct Case {
    const char* words;
    std::optional<SortKeys> keys;
  };
  const Case cases[] = {
      {"days", SortKeys{SortKey::Days}},
      {"days,gaps", SortKeys{SortKey::Days, SortKey::Gaps}},
      {"Walks, LATE", SortKeys{SortKey::Walks, SortKey::Late}},
      {"early,early", SortKeys{SortKey::Early}},
      {"", std::nullopt},
      {"day", std::nullopt},
      {"days,,gaps", std::nullopt},
      {"gün", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseSortKeys(c.words), c.keys) << c.words;
  EXPECT_EQ(KeyWords(), "days, gaps, late, early, walks");
}

TEST(SortKeys, EachKeyPutsTheBetterTimetableFirst) {
  Metrics early_short{.days = 2, .gaps = 1, .first_hour = 9, .last_hour = 12, .walks = 0};
  Metrics late_long{.days = 3, .gaps = 0, .first_hour = 10, .last_hour = 16, .walks = 2};
  EXPECT_LT(Rank(early_short, {SortKey::Days}), Rank(late_long, {SortKey::Days}));
  EXPECT_GT(Rank(early_short, {SortKey::Gaps}), Rank(late_long, {SortKey::Gaps}));
  EXPECT_GT(Rank(early_short, {SortKey::Late}), Rank(late_long, {SortKey::Late}));
  EXPECT_LT(Rank(early_short, {SortKey::Early}), Rank(late_long, {SortKey::Early}));
  EXPECT_LT(Rank(early_short, {SortKey::Walks}), Rank(late_long, {SortKey::Walks}));
  // The first key decides; the second only breaks its ties.
  EXPECT_LT(Rank(late_long, {SortKey::Gaps, SortKey::Days}), Rank(early_short, {SortKey::Gaps, SortKey::Days}));
  Metrics none;  // a timetable without classes starts latest and ends earliest
  EXPECT_LT(Rank(none, {SortKey::Late}), Rank(late_long, {SortKey::Late}));
  EXPECT_LT(Rank(none, {SortKey::Early}), Rank(early_short, {SortKey::Early}));
}

TEST(SortKeys, OrderByRankIsStableOverWideRanks) {
  const std::vector<std::uint64_t> ranks = {5ull << 40, 7, 5ull << 40, 0, 7, (5ull << 40) + 1, 0};
  EXPECT_EQ(OrderByRank(ranks), (std::vector<int>{3, 6, 1, 4, 0, 2, 5}));
  EXPECT_TRUE(OrderByRank({}).empty());
}

}  // namespace
}  // namespace kiremo::generator
