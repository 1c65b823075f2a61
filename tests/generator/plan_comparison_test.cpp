// Two timetables compared: the measures by the ranking's own code, the
// differences against a straightforward computation, on plans and on
// alternatives of a result list.
#include "generator/plan_comparison.h"

#include <gtest/gtest.h>

#include <map>
#include <random>

#include "generator/combination_search.h"
#include "generator/comparison_texts.h"
#include "generator/generator_fixture.h"
#include "generator/random_week.h"
#include "generator/sort_keys.h"
#include "planner/plan_values.h"
#include "text/cp1254.h"

namespace kiremo::generator {
namespace {

using planner::testing::PlanOf;
using testing::Section;

std::string W(std::string_view cp1254) { return std::string(cp1254); }

// MAT 103 on Monday 08:30-10:29, ELK 101 on Tuesday 09:30-11:29.
const planner::testing::Committed kMat{1, "MAT 103", "21001", {{"1", "08:10"}}};
const planner::testing::Committed kMatOther{1, "MAT 103", "21002", {{"1", "09:11"}}};
const planner::testing::Committed kElk{2, "ELK 101", "21554", {{"2", "09:11", "FEB"}}};
const planner::testing::Committed kFiz{3, "FIZ 101", "30001", {{"3", "13:14"}}};

TEST(PlanComparison, DifferencesOfPlanPairs) {
  struct Case {
    const char* name;
    std::vector<planner::testing::Committed> a, b;
    std::vector<std::string> only_a, only_b;
    std::vector<OtherSection> other_section;
    std::vector<CellDifference> cells;
    std::vector<std::string> lines;
  };
  const std::vector<Case> cases = {
      {"the same plan",
       {kMat, kElk},
       {kMat, kElk},
       {},
       {},
       {},
       {},
       {W("Fark yok: dersler, şubeler ve saatler aynı."_w)}},
      {"disjoint plans",
       {kMat},
       {kFiz},
       {"MAT 103"},
       {"FIZ 101"},
       {},
       {{1, 1, "MAT 103", ""}, {1, 2, "MAT 103", ""}, {3, 6, "", "FIZ 101"}},
       {W("Yalnız A'da: MAT 103"_w), W("Yalnız B'de: FIZ 101"_w), W("Pazartesi 08:30-10:29: A'da MAT 103, B boş"_w),
        W("Çarşamba 13:30-14:29: A boş, B'de FIZ 101"_w)}},
      {"one course in another section",
       {kMat, kElk},
       {kMatOther, kElk},
       {},
       {},
       {{"MAT 103", "21001", "21002"}},
       {{1, 1, "MAT 103", ""}, {1, 3, "", "MAT 103"}},
       {W("MAT 103 başka şubede: 21001 -> 21002"_w), W("Pazartesi 08:30-09:29: A'da MAT 103, B boş"_w),
        W("Pazartesi 10:30-11:29: A boş, B'de MAT 103"_w)}},
      {"a course only in one",
       {kMat, kElk},
       {kMat},
       {"ELK 101"},
       {},
       {},
       {{2, 2, "ELK 101", ""}, {2, 3, "ELK 101", ""}},
       {W("Yalnız A'da: ELK 101"_w), W("Salı 09:30-11:29: A'da ELK 101, B boş"_w)}},
      {"a clash kept in a plan: the later row shows",
       {kMat, {2, "ELK 101", "21554", {{"1", "09:10"}}}},
       {},
       {"MAT 103", "ELK 101"},
       {},
       {},
       {{1, 1, "MAT 103", ""}, {1, 2, "ELK 101", ""}},
       {W("Yalnız A'da: MAT 103, ELK 101"_w), W("Pazartesi 08:30-09:29: A'da MAT 103, B boş"_w),
        W("Pazartesi 09:30-10:29: A'da ELK 101, B boş"_w)}},
      {"a course in two sections in one",
       {kMat, {4, "MAT 103", "21003", {{"5", "08:09"}}}},
       {kMatOther},
       {},
       {},
       {{"MAT 103", "21001", "21002"}, {"MAT 103", "21003", ""}},
       {{1, 1, "MAT 103", ""}, {1, 3, "", "MAT 103"}, {5, 1, "MAT 103", ""}},
       {W("MAT 103 başka şubede: 21001 -> 21002"_w), W("MAT 103 A'da bir şube daha: 21003"_w),
        W("Pazartesi 08:30-09:29: A'da MAT 103, B boş"_w), W("Pazartesi 10:30-11:29: A boş, B'de MAT 103"_w),
        W("Cuma 08:30-09:29: A'da MAT 103, B boş"_w)}},
  };
  for (const Case& c : cases) {
    const Comparison comparison = Compare(TimetableOfPlan(PlanOf(c.a)), TimetableOfPlan(PlanOf(c.b)));
    EXPECT_EQ(comparison.only_a, c.only_a) << c.name;
    EXPECT_EQ(comparison.only_b, c.only_b) << c.name;
    EXPECT_EQ(comparison.other_section, c.other_section) << c.name;
    EXPECT_EQ(comparison.cells, c.cells) << c.name;
    EXPECT_EQ(DifferenceLines(comparison), c.lines) << c.name;
  }
}

TEST(PlanComparison, MeasuresAndTheBetterSide) {
  // A: MAT 103 and ELK 101 on two days in two buildings; B: MAT 103 later,
  // with FIZ 101 on Monday too.
  const Comparison comparison =
      Compare(TimetableOfPlan(PlanOf({kMat, kElk})),
              TimetableOfPlan(PlanOf({kMatOther, {3, "FIZ 101", "30001", {{"1", "13:14", "FEB"}}}})));
  EXPECT_EQ(comparison.a,
            (Measures{{.days = 2, .gaps = 0, .first_hour = 8, .last_hour = 10, .walks = 0, .streak = 2}, 4}));
  EXPECT_EQ(comparison.b,
            (Measures{{.days = 1, .gaps = 2, .first_hour = 9, .last_hour = 13, .walks = 1, .streak = 2}, 3}));
  const std::vector<MeasureLine> expected = {
      {W("Gün"_w), "2", "1", Better::B},
      {W("Boşluk"_w), "0", "2", Better::A},
      {W("İlk ders"_w), "08:30", "09:30", Better::B},
      {W("Son ders"_w), "11:29", "14:29", Better::A},
      {W("Bina değişikliği"_w), "0", "1", Better::A},
      {W("Haftalık ders saati"_w), "4", "3", Better::Unranked},
  };
  EXPECT_EQ(MeasureLines(comparison), expected);
  // An empty plan starts as late and ends as early as any, as the ranking has it.
  const auto empty = MeasureLines(Compare(TimetableOfPlan(PlanOf({kMat})), {}));
  EXPECT_EQ(empty[2], (MeasureLine{W("İlk ders"_w), "08:30", "-", Better::B}));
  EXPECT_EQ(empty[0].better, Better::B);
  EXPECT_EQ(BetterText(Better::Same), W("eşit"_w));
  EXPECT_EQ(BetterText(Better::Unranked), "");
}

// The course each grid cell shows, the last section covering it.
std::map<std::pair<int, int>, std::string> StraightWeek(const Timetable& timetable) {
  std::map<std::pair<int, int>, std::string> week;
  for (const TTreeDers& section : timetable) {
    for (std::size_t k = 0; k < section.Days.size(); ++k) {
      const int day = std::stoi(section.Days[k]), slot = std::stoi(section.Slots[k]);
      if (day >= 1 && day <= 5 && slot >= 1 && slot <= 14) week[{day, slot}] = section.CourseCode;
    }
  }
  return week;
}

TEST(PlanComparison, MatchesTheRankingAndAStraightComputationOnRandomTimetables) {
  int with_cells = 0, with_other = 0, with_only = 0;
  for (unsigned seed = 1; seed <= 200; ++seed) {
    std::mt19937 random(seed);
    const auto candidates = testing::RandomWeek(random, 2 + static_cast<int>(random() % 4), 4, 3);
    const MetricsTable table(candidates);
    const auto paths = testing::Paths(SearchCombinations(candidates).alternatives);
    for (std::size_t k = 0; k + 1 < paths.size() && k < 20; ++k) {
      // B is the next timetable, now and then without one of its courses.
      const std::vector<int>& path_a = paths[k];
      std::vector<int> path_b;
      for (const int c : paths[k + 1]) {
        if (random() % 4 != 0) path_b.push_back(c);
      }
      Timetable a, b;
      for (const int c : path_a) a.push_back(candidates[c]);
      for (const int c : path_b) b.push_back(candidates[c]);
      const Comparison comparison = Compare(a, b);
      for (const auto& [measures, path] : {std::pair{comparison.a, path_a}, {comparison.b, path_b}}) {
        const int levels = static_cast<int>(path.size());
        Metrics ranked = table.Of(path.data(), levels);
        AddAllPreferences(ranked, table, path.data(), levels, table.HoursOf(path.data(), levels));
        ASSERT_EQ(measures.metrics, ranked) << "seed " << seed;
        ASSERT_EQ(measures.metrics, testing::StraightMetrics(candidates, path)) << "seed " << seed;
      }

      const auto week_a = StraightWeek(a), week_b = StraightWeek(b);
      ASSERT_EQ(comparison.a.hours, static_cast<int>(week_a.size()));
      std::vector<CellDifference> cells;
      for (int day = 1; day <= 5; ++day) {
        for (int slot = 1; slot <= 14; ++slot) {
          const auto in_a = week_a.find({day, slot}), in_b = week_b.find({day, slot});
          if ((in_a == week_a.end()) == (in_b == week_b.end())) continue;
          cells.push_back(
              {day, slot, in_a == week_a.end() ? "" : in_a->second, in_b == week_b.end() ? "" : in_b->second});
        }
      }
      ASSERT_EQ(comparison.cells, cells) << "seed " << seed;
      // One section per course: a course of both in other sections, or of one only.
      std::vector<std::string> only_a;
      std::vector<OtherSection> other;
      for (const TTreeDers& section : a) {
        const auto same =
            std::find_if(b.begin(), b.end(), [&](const auto& s) { return s.CourseCode == section.CourseCode; });
        if (same == b.end()) {
          only_a.push_back(section.CourseCode);
        } else if (same->CRN != section.CRN) {
          other.push_back({section.CourseCode, section.CRN, same->CRN});
        }
      }
      ASSERT_EQ(comparison.only_a, only_a) << "seed " << seed;
      ASSERT_EQ(comparison.other_section, other) << "seed " << seed;
      EXPECT_TRUE(comparison.only_b.empty());
      with_cells += !cells.empty();
      with_other += !other.empty();
      with_only += !only_a.empty();
    }
  }
  EXPECT_GT(with_cells, 500);
  EXPECT_GT(with_other, 500);
  EXPECT_GT(with_only, 300);
}

class AlternativesCompared : public testing::GeneratorWorld {
 protected:
  void SetUp() override {
    catalogue.Department("MAT", {Section("100", "MAT 101E", "Ali", "Pazartesi", "0930/1129", "EEB", "D1", "ELK"),
                                 Section("200", "MAT 101E", "Veli", W("Salı"_w), "0930/1129", "FEB", "D1", "ELK")});
    catalogue.Department("FIZ", {Section("300", "FIZ 101", "Can", "Cuma", "1330/1429", "EEB", "D1", "ELK"),
                                 Section("301", "FIZ 101", "Can", "Cuma", "1530/1629", "FEB", "D1", "ELK")});
    Start();
    Choose(1, "MAT", "MAT 101E");
    Choose(3, "FIZ", "FIZ 101");
    Generate();
  }
};

// An alternative applied and taken back as a plan is the alternative itself.
TEST_F(AlternativesCompared, AnAppliedAlternativeIsTheSameTimetableAsThePlan) {
  ASSERT_EQ(listed, 4);
  for (int item = 1; item <= listed; ++item) {
    Apply(item);
    const Timetable alternative = TimetableOfItem(generator, item);
    const Comparison comparison = Compare(TimetableOfPlan(planner.Snapshot()), alternative);
    EXPECT_EQ(comparison.a, comparison.b) << item;
    EXPECT_EQ(comparison.a.metrics, generator.MetricsOfItem(item)) << item;
    EXPECT_EQ(DifferenceLines(comparison),
              (std::vector<std::string>{W("Fark yok: dersler, şubeler ve saatler aynı."_w)}))
        << item;
  }
  const Comparison first_two = Compare(TimetableOfItem(generator, 1), TimetableOfItem(generator, 2));
  EXPECT_EQ(first_two.other_section, (std::vector<OtherSection>{{"FIZ 101", "300", "301"}}));
  EXPECT_EQ(first_two.cells, (std::vector<CellDifference>{{5, 6, "FIZ 101", ""}, {5, 8, "", "FIZ 101"}}));
  EXPECT_TRUE(TimetableOfItem(generator, 0).empty());
  EXPECT_TRUE(TimetableOfItem(generator, 5).empty());
}

}  // namespace
}  // namespace kiremo::generator
