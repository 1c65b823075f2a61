// Common free hours of several plans and classes in common with friends,
// read from plans as values.
#include "planner/common_free.h"

#include <gtest/gtest.h>

#include "planner/friends.h"
#include "planner/plan_values.h"
#include "planner/plan_week.h"
#include "text/cp1254.h"

namespace kiremo::planner {
namespace {

using testing::Committed;
using testing::HasClass;
using testing::PlanOf;
using testing::RandomPlan;

TEST(CommonFree, MatchesTheStraightComputationOverRandomPlans) {
  int ranges_seen = 0, split_days = 0;
  for (unsigned seed = 1; seed <= 400; ++seed) {
    std::mt19937 random(seed);
    std::vector<PlanSnapshot> plans;
    for (int n = static_cast<int>(random() % 4); n > 0; --n) plans.push_back(RandomPlan(random, 6));
    // Day by day, the runs of cells in which no plan has a class.
    std::vector<SlotRange> expected;
    for (int day = 1; day <= kDays; ++day) {
      int runs = 0;
      for (int slot = 1; slot <= kSlots; ++slot) {
        bool free = true;
        for (const PlanSnapshot& plan : plans) free = free && !HasClass(plan, day, slot);
        if (!free) continue;
        if (!expected.empty() && expected.back().day == day && expected.back().to == slot - 1) {
          expected.back().to = slot;
        } else {
          expected.push_back({day, slot, slot});
          ++runs;
        }
      }
      split_days += runs > 1;
    }
    ASSERT_EQ(RangesOf(CommonFreeCells(plans)), expected) << "seed " << seed;
    ranges_seen += static_cast<int>(expected.size());
  }
  EXPECT_GT(split_days, 300);
  EXPECT_GT(ranges_seen, 2000);
}

TEST(CommonFree, RangesAndTheirWords) {
  const PlanSnapshot mine = PlanOf({{1, "MAT 103", "21001", {{"2", "08:12"}, {"2", "14:22"}}}});
  const PlanSnapshot friend_plan = PlanOf({{4, "FIZ 101", "30001", {{"1", "08:22"}, {"3", "08:22"}}},
                                           {5, "KIM 101", "30002", {{"4", "08:22"}, {"5", "08:22"}}}});
  const auto ranges = RangesOf(CommonFreeCells({mine, friend_plan}));
  ASSERT_EQ(ranges, (std::vector<SlotRange>{{2, 5, 6}}));
  EXPECT_EQ(RangeText(ranges[0]), "Salı 12:30-14:29"_w);
  // No plan: the whole week, a range a day.
  const auto week = RangesOf(CommonFreeCells({}));
  ASSERT_EQ(week.size(), 5u);
  EXPECT_EQ(RangeText(week[4]), "Cuma 08:30-22:29");
}

TEST(PlanWeek, CellsAsLoadingPaintsThem) {
  PlanSnapshot plan = PlanOf({{2, "A", "1", {{"1", "07:10", "EEB"}, {"6", "09:10"}}},
                              {3, "B", "2", {{"1", "09:11", "FEB"}, {"2", "x"}, {"2", "08:09"}}},
                              {4, "C", "", {{"3", "08:09"}}}});
  plan.rows[2]->BlokSayisi = 2;  // the last meeting is not painted
  // Hours outside the grid stay in the cells, other days do not.
  EXPECT_EQ(CellsOfRow(*plan.rows[1]), (std::vector<RowCell>{{1, 0, "EEB"}, {1, 1, "EEB"}, {1, 2, "EEB"}}));
  const WeekRows week = RowsOfWeek(plan);
  EXPECT_EQ(week[0][0], 2);
  EXPECT_EQ(week[0][1], 3);  // the later row paints over
  EXPECT_EQ(week[0][2], 3);
  EXPECT_EQ(week[1][0], 0);
  EXPECT_EQ(week[2][0], 0);  // a record without a CRN is not painted
  EXPECT_EQ(CommittedRow(plan, 4), nullptr);
}

TEST(ClassesInCommon, SameSectionOtherSectionOrNone) {
  const std::string ayse("Ayşe"_w);
  const PlanSnapshot mine =
      PlanOf({{1, "ELK 101", "21001", {}}, {3, "MAT 103", "21563", {}}, {4, "FIZ 101", "300", {}}});
  const std::vector<Friend> friends = {
      {ayse, PlanOf({{2, "MAT 103", "21554", {}}, {5, "ELK 101", "21001", {}}})},
      // The same section wins over another section of the course, wherever it is.
      {"Can", PlanOf({{1, "ELK 101", "21002", {}}, {7, "ELK 101", "21001", {}}, {8, "KIM 101", "300", {}}})},
      {"Ece", PlanOf({{1, "BIO 101", "90000", {}}})},
  };
  const std::vector<ClassInCommon> expected = {
      {1, "ELK 101", "21001", ayse, "21001"},
      {1, "ELK 101", "21001", "Can", "21001"},
      {3, "MAT 103", "21563", ayse, "21554"},
      {4, "FIZ 101", "300", "Can", "300"},  // a CRN in common is the same section, whatever the course
  };
  const auto shared = ClassesInCommon(mine, friends);
  EXPECT_EQ(shared, expected);
  EXPECT_EQ(InCommonText(shared[0]), "Ayşe ile aynı şube"_w);
  EXPECT_EQ(InCommonText(shared[2]), "Ayşe: 21554"_w);
  EXPECT_TRUE(ClassesInCommon(mine, {}).empty());
}

}  // namespace
}  // namespace kiremo::planner
