// Metrics and ranking over seeded random choices of courses, against the
// straightforward computations of random_week.h.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <set>
#include <utility>

#include "generator/combination_search.h"
#include "generator/preference_metrics.h"
#include "generator/random_week.h"
#include "generator/result_order.h"

namespace kiremo::generator {
namespace {

using testing::Paths;
using testing::RandomWeek;
using testing::StraightKey;
using testing::StraightMetrics;

const SortKey kAll[] = {SortKey::Days,  SortKey::Gaps,  SortKey::Late,  SortKey::Early,
                        SortKey::Walks, SortKey::Lunch, SortKey::Streak};

SortKeys RandomKeys(std::mt19937& random) {
  SortKeys keys;
  const int n = 1 + static_cast<int>(random() % 3);
  while (static_cast<int>(keys.size()) < n) {
    const SortKey key = kAll[random() % std::size(kAll)];
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
      const int levels = static_cast<int>(path.size());
      Metrics of = table.Of(path.data(), levels);
      AddAllPreferences(of, table, path.data(), levels, table.HoursOf(path.data(), levels));
      ASSERT_EQ(of, expected) << "seed " << seed;
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
      {"friends,lunch,streak", SortKeys{SortKey::Friends, SortKey::Lunch, SortKey::Streak}},
      {"", std::nullopt},
      {"day", std::nullopt},
      {"days,,gaps", std::nullopt},
      {"gün", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseSortKeys(c.words), c.keys) << c.words;
  EXPECT_EQ(KeyWords(), "days, gaps, late, early, walks, lunch, streak, friends");
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
  const Metrics lunchless{.lunch = 2, .streak = 5}, with_lunch{.lunch = 0, .streak = 6};
  EXPECT_LT(Rank(with_lunch, {SortKey::Lunch}), Rank(lunchless, {SortKey::Lunch}));
  EXPECT_LT(Rank(lunchless, {SortKey::Streak}), Rank(with_lunch, {SortKey::Streak}));
  // More shared sections first, however many common free hours.
  const Metrics shares{.shared = 2, .common_free = 0}, frees{.shared = 1, .common_free = 45};
  const Metrics frees_less{.shared = 1, .common_free = 30};
  EXPECT_LT(Rank(shares, {SortKey::Friends}), Rank(frees, {SortKey::Friends}));
  EXPECT_LT(Rank(frees, {SortKey::Friends}), Rank(frees_less, {SortKey::Friends}));
  Metrics none;  // a timetable without classes starts latest and ends earliest
  EXPECT_LT(Rank(none, {SortKey::Late}), Rank(late_long, {SortKey::Late}));
  EXPECT_LT(Rank(none, {SortKey::Early}), Rank(early_short, {SortKey::Early}));
}

// The friends key against a straight count of the shared sections and the
// hours 08:30-17:29 where the timetable and the friends are all free.
TEST(Ranking, FriendsKeyKeepsTheTimetablesMostInCommonWithTheFriends) {
  int cut = 0;
  for (unsigned seed = 1; seed <= 200; ++seed) {
    std::mt19937 random(seed);
    const auto candidates = RandomWeek(random, 3 + static_cast<int>(random() % 3), 6, 2);
    FriendWeeks friends;
    for (const TTreeDers& c : candidates) {
      if (random() % 4 == 0) friends.crns.push_back(c.CRN);
    }
    std::sort(friends.crns.begin(), friends.crns.end());
    for (auto& day : friends.busy) day = random() & 0x1FF00;  // some hours of 08:30-17:29
    const auto straight = [&](const std::vector<int>& path) {
      Metrics m;
      std::set<std::pair<int, int>> busy;
      for (const int c : path) {
        m.shared += std::binary_search(friends.crns.begin(), friends.crns.end(), candidates[c].CRN);
        for (std::size_t k = 0; k < candidates[c].Days.size(); ++k)
          busy.emplace(std::stoi(candidates[c].Days[k]), std::stoi(candidates[c].Slots[k]) + 7);
      }
      for (int day = 1; day <= 5; ++day) {
        for (int hour = 8; hour <= 16; ++hour) {
          m.common_free += !busy.count({day, hour}) && !((friends.busy[day - 1] >> hour) & 1);
        }
      }
      return m;
    };
    const auto found = Paths(SearchCombinations(candidates).alternatives);
    if (found.size() < 4) continue;
    auto best = found;
    std::stable_sort(best.begin(), best.end(), [&](const auto& a, const auto& b) {
      const Metrics ma = straight(a), mb = straight(b);
      return std::pair(-ma.shared, -ma.common_free) < std::pair(-mb.shared, -mb.common_free);
    });
    const int limit = 1 + static_cast<int>(random() % (found.size() / 2));
    best.resize(static_cast<std::size_t>(limit));
    const SearchOutcome ranked =
        SearchCombinations(candidates, {.limit = limit, .keys = {SortKey::Friends}, .friends = &friends});
    ASSERT_EQ(InOrder(Paths(ranked.alternatives), OrderByRank(ranked.ranks)), best) << "seed " << seed;
    const MetricsTable table = RankingTable(candidates, &friends);
    for (const auto& path : best) {
      const int levels = static_cast<int>(path.size());
      Metrics of = table.Of(path.data(), levels);
      AddAllPreferences(of, table, path.data(), levels, table.HoursOf(path.data(), levels));
      ASSERT_EQ(std::pair(of.shared, of.common_free), std::pair(straight(path).shared, straight(path).common_free));
    }
    cut += best.front() != found.front();
  }
  EXPECT_GT(cut, 50) << "the friends key seldom changed the order";
}

TEST(SortKeys, OrderByRankIsStableOverWideRanks) {
  const std::vector<std::uint64_t> ranks = {5ull << 40, 7, 5ull << 40, 0, 7, (5ull << 40) + 1, 0};
  EXPECT_EQ(OrderByRank(ranks), (std::vector<int>{3, 6, 1, 4, 0, 2, 5}));
  EXPECT_TRUE(OrderByRank({}).empty());
}

}  // namespace
}  // namespace kiremo::generator
