// Lunch breaks, runs of classes and friends, against straightforward
// computations over random timetables and plans.
#include "generator/preference_metrics.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

#include "generator/combination_search.h"
#include "generator/random_week.h"
#include "planner/common_free.h"
#include "planner/plan_values.h"

namespace kiremo::generator {
namespace {

using Cells = std::set<std::pair<int, int>>;  // (day 1..5, hour the class starts at, :30)

Cells CellsOf(const Timetable& timetable) {
  Cells cells;
  for (const TTreeDers& section : timetable) {
    for (std::size_t k = 0; k < section.Days.size(); ++k) {
      cells.emplace(std::stoi(section.Days[k]), std::stoi(section.Slots[k]) + 7);
    }
  }
  return cells;
}

int StraightLunch(const Cells& cells) {
  int days = 0;
  for (int day = 1; day <= 5; ++day) {
    bool classes = false, free_at_lunch = false;
    for (int hour = 0; hour < 64; ++hour) classes = classes || cells.count({day, hour});
    for (int hour = 11; hour <= 13; ++hour) free_at_lunch = free_at_lunch || !cells.count({day, hour});
    days += classes && !free_at_lunch;
  }
  return days;
}

int StraightStreak(const Cells& cells) {
  int longest = 0;
  for (int day = 1; day <= 5; ++day) {
    for (int run = 0, hour = 0; hour < 64; ++hour) {
      run = cells.count({day, hour}) ? run + 1 : 0;
      longest = std::max(longest, run);
    }
  }
  return longest;
}

TEST(PreferenceMetrics, LunchAndStreakMatchTheStraightComputation) {
  int lunchless = 0, long_streaks = 0;
  for (unsigned seed = 1; seed <= 200; ++seed) {
    std::mt19937 random(seed);
    const auto candidates = testing::RandomWeek(random, 2 + static_cast<int>(random() % 5), 4, 4);
    for (const auto& path : testing::Paths(SearchCombinations(candidates).alternatives)) {
      Timetable timetable;
      for (const int c : path) timetable.push_back(candidates[c]);
      const Cells cells = CellsOf(timetable);
      const MetricsTable::DayHours hours = HoursOf(timetable);
      ASSERT_EQ(LunchlessDays(hours), StraightLunch(cells)) << "seed " << seed;
      ASSERT_EQ(LongestStreak(hours), StraightStreak(cells)) << "seed " << seed;
      lunchless += StraightLunch(cells) > 0;
      long_streaks += StraightStreak(cells) >= 4;
    }
  }
  EXPECT_GT(lunchless, 100);
  EXPECT_GT(long_streaks, 100);
  EXPECT_EQ(LunchlessDays({}), 0);
  EXPECT_EQ(LongestStreak({}), 0);
}

TEST(PreferenceMetrics, FriendsMatchTheStraightComputation) {
  int shared_seen = 0;
  for (unsigned seed = 1; seed <= 400; ++seed) {
    std::mt19937 random(seed);
    const planner::PlanSnapshot mine = planner::testing::RandomPlan(random, 8);
    std::vector<planner::PlanSnapshot> friends;
    for (int n = static_cast<int>(random() % 4); n > 0; --n) friends.push_back(planner::testing::RandomPlan(random, 8));
    const Timetable timetable = TimetableOfPlan(mine);
    const FriendWeeks weeks = FriendWeeksOf(friends);

    // Common free hours: 08:30-17:29 (rows 1..9), straight from the records.
    int free = 0;
    for (int day = 1; day <= 5; ++day) {
      for (int slot = 1; slot <= 9; ++slot) {
        bool all_free = !planner::testing::HasClass(mine, day, slot);
        for (const auto& plan : friends) all_free = all_free && !planner::testing::HasClass(plan, day, slot);
        free += all_free;
      }
    }
    ASSERT_EQ(CommonFreeHours(HoursOf(timetable), weeks), free) << "seed " << seed;
    // The same cells as the common free hours of the plans themselves.
    std::vector<planner::PlanSnapshot> everyone = friends;
    everyone.push_back(mine);
    const planner::WeekCells cells = planner::CommonFreeCells(everyone);
    int in_rows = 0;
    for (const auto& day : cells) in_rows += static_cast<int>(std::count(day.begin(), day.begin() + 9, true));
    ASSERT_EQ(in_rows, free) << "seed " << seed;

    // Shared: my committed rows whose CRN some friend has committed.
    int shared = 0;
    for (const auto& row : mine.rows) {
      if (!row || row->CRN.empty()) continue;
      bool found = false;
      for (const auto& plan : friends) {
        for (const auto& theirs : plan.rows)
          found = found || (theirs && !theirs->CRN.empty() && theirs->CRN == row->CRN);
      }
      shared += found;
    }
    ASSERT_EQ(SharedSections(timetable, weeks), shared) << "seed " << seed;
    shared_seen += shared > 0;
  }
  EXPECT_GT(shared_seen, 100);
}

}  // namespace
}  // namespace kiremo::generator
