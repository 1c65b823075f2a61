// Why nothing fits: the smallest group of courses that cannot be combined,
// checked against the oracle tree, and what each filter took from a course
// left without sections.
#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <set>

#include "generator/candidate_collection.h"
#include "generator/clash_explanation.h"
#include "generator/combination_search.h"
#include "generator/generator_fixture.h"
#include "generator/generator_messages.h"
#include "generator/random_week.h"
#include "generator/search_fixture.h"
#include "text/cp1254.h"

namespace kiremo::generator {
namespace {

using testing::Numbered;
using testing::RandomWeek;
using testing::RunOracle;

std::string W(std::string_view cp1254) { return std::string(cp1254); }

// The candidates of the named courses only.
std::vector<TTreeDers> Only(const std::vector<TTreeDers>& candidates, const std::set<std::string>& courses) {
  std::vector<TTreeDers> kept;
  for (const TTreeDers& c : candidates) {
    if (courses.count(c.CourseCode)) kept.push_back(c);
  }
  return Numbered(kept);
}

bool Combinable(const std::vector<TTreeDers>& candidates) { return !RunOracle(candidates).paths.empty(); }

TEST(ClashExplanation, NamedGroupCannotBeCombinedButWithoutAnyOneOfItItCan) {
  int explained = 0, larger_than_pairs = 0;
  for (unsigned seed = 1; seed <= 3000; ++seed) {
    std::mt19937 random(seed);
    const auto candidates = RandomWeek(random, 3 + static_cast<int>(random() % 4), 3, 3);
    const bool combinable = Combinable(candidates);
    ASSERT_EQ(SearchCombinations(candidates).hopeless, !combinable) << "seed " << seed;
    const std::optional<Explanation> why = ExplainClash(candidates);
    ASSERT_EQ(why.has_value(), !combinable) << "seed " << seed;
    if (!why) continue;
    ++explained;
    const std::set<std::string> group(why->courses.begin(), why->courses.end());
    ASSERT_EQ(group.size(), why->courses.size());
    ASSERT_GE(group.size(), 2u);
    ASSERT_FALSE(Combinable(Only(candidates, group))) << "seed " << seed;
    for (const std::string& left_out : group) {
      std::set<std::string> rest = group;
      rest.erase(left_out);
      ASSERT_TRUE(Combinable(Only(candidates, rest))) << "seed " << seed << " without " << left_out;
    }
    larger_than_pairs += group.size() > 2;
  }
  EXPECT_GT(explained, 400);
  EXPECT_GT(larger_than_pairs, 80);
}

TTreeDers Course(int row, const std::string& crn, std::vector<std::pair<int, int>> cells) {
  TTreeDers c = testing::Section(row, crn, std::move(cells));
  c.CourseCode = "C" + std::to_string(row);
  return c;
}

TEST(ClashExplanation, TextsNameTheCoursesAndForAPairWhereAllTheirSectionsMeet) {
  struct Case {
    const char* name;
    std::vector<TTreeDers> candidates;
    std::string text;
  };
  const Case cases[] = {
      {"pair meeting together on Monday 10:30-12:29 and Friday 08:30",
       {Course(1, "1", {{1, 3}, {1, 4}, {5, 1}}), Course(1, "2", {{1, 3}, {1, 4}, {5, 1}, {2, 2}}),
        Course(2, "3", {{1, 2}, {1, 3}, {1, 4}, {5, 1}}), Course(3, "4", {{4, 4}})},
       W("C1 ile C2 seçtiğin kıstaslarla birlikte alınamıyor: ikisinin de bütün şubeleri Pazartesi 10:30–12:29 ve "
         "Cuma 08:30–09:29 saatlerinde."_w)},
      {"pair clashing at different hours",
       {Course(1, "1", {{1, 1}}), Course(1, "2", {{2, 1}}), Course(2, "3", {{1, 1}, {2, 1}})},
       W("C1 ile C2 seçtiğin kıstaslarla birlikte alınamıyor: birinin her şubesi ötekinin bütün şubeleriyle "
         "çakışıyor."_w)},
      {"three courses for two hours",
       {Course(1, "1", {{1, 1}}), Course(1, "2", {{1, 2}}), Course(2, "3", {{1, 1}}), Course(2, "4", {{1, 2}}),
        Course(3, "5", {{1, 1}}), Course(3, "6", {{1, 2}}), Course(4, "7", {{3, 3}})},
       W("Şu 3 ders seçtiğin kıstaslarla birlikte alınamıyor: C1, C2, C3. Hangisini bırakırsan bırak, geri kalanlar "
         "birbirine uyuyor."_w)},
  };
  for (const Case& c : cases) {
    const std::optional<Explanation> why = ExplainClash(Numbered(c.candidates));
    ASSERT_TRUE(why) << c.name;
    EXPECT_EQ(why->text, c.text) << c.name;
    EXPECT_TRUE(why->removed_by.empty());
  }
  EXPECT_FALSE(ExplainClash(Numbered({Course(1, "1", {{1, 1}}), Course(2, "2", {{1, 2}})})));
}

// Ten courses of 36 sections, four in each of nine two-hour blocks: any nine
// fit, all ten never; and nine large courses with one single-section course
// in two rows. Both are hopeless at once, before any section is tried.
TEST(ClashExplanation, HopelessChoicesOfTenLargeCoursesAreFoundWithoutSearching) {
  std::vector<TTreeDers> ten_into_nine;
  for (int row = 1; row <= 10; ++row) {
    for (int block = 0; block < 9; ++block) {
      for (int copy = 0; copy < 4; ++copy) {
        const int day = 1 + block % 5, slot = block < 5 ? 2 : 6;
        ten_into_nine.push_back(
            Course(row, std::to_string(row * 100 + block * 4 + copy), {{day, slot}, {day, slot + 1}}));
      }
    }
  }
  ten_into_nine = Numbered(ten_into_nine);
  const SearchOutcome pigeons = SearchCombinations(ten_into_nine);
  EXPECT_TRUE(pigeons.hopeless);
  EXPECT_EQ(pigeons.nodes, 0);
  const std::optional<Explanation> why = ExplainClash(ten_into_nine);
  ASSERT_TRUE(why);
  EXPECT_EQ(why->courses.size(), 10u);

  std::vector<TTreeDers> once_twice;
  for (int row = 1; row <= 8; ++row) {
    for (int s = 0; s < 36; ++s) once_twice.push_back(Course(row, std::to_string(row * 100 + s), {{1 + s % 5, row}}));
  }
  for (int row = 9; row <= 10; ++row) {
    TTreeDers single = Course(row, "999", {{5, 14}});
    single.CourseCode = "C9";
    once_twice.push_back(single);
  }
  once_twice = Numbered(once_twice);
  const SearchOutcome repeated = SearchCombinations(once_twice);
  EXPECT_TRUE(repeated.hopeless);
  EXPECT_EQ(repeated.nodes, 0);
}

}  // namespace
}  // namespace kiremo::generator

namespace kiremo::generator {
namespace {

// MAT 103's sections in catalogue order: too early; in MMB on Friday; open
// to INS only; Veli's, on Friday; a timeless one, where the hour filter's
// scan ends; one after it.
class SectionsRemoved : public testing::GeneratorWorld {
 protected:
  void SetUp() override {
    using testing::Section;
    catalogue.Department("MAT", {Section("1", "MAT 103", "Ali", "Pazartesi", "0830/0929", "EEB", "D1", "ELK"),
                                 Section("2", "MAT 103", "Ali", "Cuma", "1030/1129", "MMB", "D1", "ELK"),
                                 Section("3", "MAT 103", "Ali", W("Salı"_w), "1030/1129", "EEB", "D1", "INS"),
                                 Section("4", "MAT 103", "Veli", "Cuma", "1130/1229", "EEB", "D1", "ELK"),
                                 Section("5", "MAT 103", "Ali", W("Salı"_w), "/", "EEB", "D1", "ELK"),
                                 Section("6", "MAT 103", "Ali", W("Çarşamba"_w), "1030/1129", "EEB", "D1", "ELK"),
                                 Section("7", "MAT 104", "Ali", W("Çarşamba"_w), "1030/1129", "EEB", "D1", "ELK")});
    Start();
  }
};

TEST_F(SectionsRemoved, EachFilterIsCountedOnItsOwnAndTheBoxSaysSo) {
  panel.own_department_only = false;  // so that the section lists hold every section
  Choose(1, "MAT", "MAT 104");
  Choose(2, "MAT", "MAT 103");
  panel.own_department_only = true;
  panel.free_days[4] = true;
  planner.SelectTeacher(2, planner.Row(2).teacher.IndexOf("Ali"));
  const Generation generation = generator.btnYerlestirClick(panel);

  ASSERT_EQ(generation.notices.size(), 1u);
  EXPECT_EQ(generation.notices[0].text, "MAT 103" + W(kNoVersion)) << "the first words stay for kiremo-cli";
  ASSERT_TRUE(generation.explanation);
  EXPECT_EQ(generation.explanation->courses, (std::vector<std::string>{"MAT 103"}));
  EXPECT_EQ(generation.explanation->removed_by, (std::vector<FilterCount>{{"hours", W("saat aralığı"_w), 3},
                                                                          {"free_days", W("boş bırakılan günler"_w), 2},
                                                                          {"buildings", W("istenmeyen binalar"_w), 1},
                                                                          {"teacher", W("tercih edilen hoca"_w), 1},
                                                                          {"department", W("bölüm kodu"_w), 1},
                                                                          {"excluded", W("hariç tutulan şubeler"_w), 0},
                                                                          {"busy", W("boş tutulan saatler"_w), 0}}));
  const std::string text =
      W("MAT 103 dersinin 6 şubesinden hiçbiri seçtiğin kıstaslara uymuyor. Eleyen kıstaslar:\n"
        "• saat aralığı: 3 şubeyi eliyor\n• boş bırakılan günler: 2 şubeyi eliyor\n• istenmeyen binalar: 1 şubeyi "
        "eliyor\n• tercih edilen hoca: 1 şubeyi eliyor\n• bölüm kodu: 1 şubeyi eliyor"_w);
  EXPECT_EQ(BoxesToShow(generation), (std::vector<Notice>{{"Bilgi", text, Icon::Information}}))
      << "saying why is no error";
}

TEST_F(SectionsRemoved, FiltersThatDoNotApplyRemoveNothing) {
  Choose(1, "MAT", "MAT 104");
  Choose(2, "MAT", "MAT 103");
  panel.end_hour = "12";
  const Generation generation = generator.btnYerlestirClick(panel);
  ASSERT_TRUE(generation.explanation);
  EXPECT_EQ(generation.explanation->courses, (std::vector<std::string>{"MAT 103"}));
  std::vector<int> removed;
  for (const FilterCount& filter : generation.explanation->removed_by) removed.push_back(filter.removed);
  // Section 1 starts too early, 4 ends too late, 5 and 6 are past the scan's
  // end; 2 is in MMB, 3 not open to ELK; no day is free, no teacher chosen.
  EXPECT_EQ(removed, (std::vector<int>{4, 0, 1, 0, 1, 0, 0}));
}

// The student's own constraints as the cause: rows 1 MAT 104 (section 7,
// Wednesday 10:30) and 2 MAT 103.
struct ConstraintCase {
  const char* name;
  std::function<void(planner::Planner&)> constrain;
  std::string text;  // the last box
};

TEST_F(SectionsRemoved, ALockAnExclusionOrBusyHoursAreNamedWhereTheyEmptyACourse) {
  const ConstraintCase cases[] = {
      {"busy hours take the only section", [](planner::Planner& p) { p.SetBusy(3, 3, true); },
       W("MAT 104 dersinin bütün şubeleri boş tutulan saatlere denk geliyor: Çarşamba 10:30–11:29."_w)},
      {"the only section excluded", [](planner::Planner& p) { p.Exclude("7"); },
       W("MAT 104 dersinin bütün şubeleri hariç tutulmuş."_w)},
      {"a lock over busy hours",
       [](planner::Planner& p) {
         p.Lock(2, "6");
         p.SetBusy(3, 3, true);
       },
       W("MAT 104 dersinin bütün şubeleri boş tutulan saatlere denk geliyor: Çarşamba 10:30–11:29."_w)},
      {"a locked section over busy hours",
       [](planner::Planner& p) {
         p.Lock(2, "4");
         p.SetBusy(5, 4, true);
       },
       W("MAT 103 dersine sabitlediğin 4 şubesi boş tutulan saatlere denk geliyor: Cuma 11:30–12:29."_w)},
      {"a lock of another course's section", [](planner::Planner& p) { p.Lock(2, "7"); },
       W("MAT 103 dersine sabitlediğin 7 şubesi artık açılmıyor; sabitlemeyi kaldır ya da başka bir şube seç."_w)},
      {"busy hours among other filters",
       [](planner::Planner& p) {
         p.Exclude("6");
         p.SetBusy(2, 3, true);
         p.SetBusy(5, 3, true);
         p.SetBusy(5, 4, true);
       },
       W("MAT 103 dersinin 6 şubesinden hiçbiri seçtiğin kıstaslara uymuyor. Eleyen kıstaslar:\n"
         "• saat aralığı: 3 şubeyi eliyor\n• istenmeyen binalar: 1 şubeyi eliyor\n• bölüm kodu: 1 şubeyi eliyor\n"
         "• hariç tutulan şubeler: 1 şubeyi eliyor\n• boş tutulan saatler: 3 şubeyi eliyor (Salı 10:30–11:29 ve "
         "Cuma 10:30–12:29)"_w)},
  };
  for (const ConstraintCase& c : cases) {
    SCOPED_TRACE(c.name);
    Choose(1, "MAT", "MAT 104");
    Choose(2, "MAT", "MAT 103");
    c.constrain(planner);
    const Generation generation = generator.btnYerlestirClick(panel);
    EXPECT_EQ(generation.listed, 0);
    ASSERT_FALSE(BoxesToShow(generation).empty());
    EXPECT_EQ(BoxesToShow(generation).back().text, c.text);
    planner.Sifirla();
  }
}

// A plan whose locked section has closed since, opened again: the row's
// section list shows nothing chosen, and the lock is what the box names.
TEST_F(SectionsRemoved, ALockedSectionNoLongerOfferedIsNamedNotAMissingCode) {
  panel.own_department_only = false;
  Choose(1, "MAT", "MAT 104");
  Choose(2, "MAT", "MAT 103");
  ChooseSection(2, W("6:: Ali :: Çarşamba :: EEB"_w));
  planner.KaydetClick(2);
  planner.Lock(2, "6");
  const planner::PlanSnapshot plan = planner.Snapshot();
  using testing::Section;
  catalogue.Refill("MAT", {Section("4", "MAT 103", "Veli", "Cuma", "1130/1229", "EEB", "D1", "ELK"),
                           Section("7", "MAT 104", "Ali", W("Çarşamba"_w), "1030/1129", "EEB", "D1", "ELK")});
  planner.Restore(plan, "plan.dkf");
  ASSERT_EQ(planner.Row(2).section.Text(), "");

  const Generation generation = generator.btnYerlestirClick(panel);
  EXPECT_EQ(generation.listed, 0);
  EXPECT_EQ(BoxesToShow(generation),
            (std::vector<Notice>{{"Bilgi",
                                  W("MAT 103 dersine sabitlediğin 6 şubesi artık açılmıyor; sabitlemeyi kaldır ya da "
                                    "başka bir şube seç."_w),
                                  Icon::Information}}));
}

TEST_F(SectionsRemoved, AClashExplanationSaysWhatTheConstraintsTookFromTheNamedCourses) {
  Choose(1, "MAT", "MAT 104");
  Choose(2, "MAT", "MAT 103");
  planner.Lock(2, "6");  // Wednesday 10:30, when MAT 104 meets
  const Generation generation = generator.btnYerlestirClick(panel);
  ASSERT_TRUE(generation.explanation);
  EXPECT_EQ(generation.explanation->text,
            W("MAT 104 ile MAT 103 seçtiğin kıstaslarla birlikte alınamıyor: ikisinin de bütün şubeleri Çarşamba "
              "10:30–11:29 saatlerinde.\nBunda kendi kısıtlarının da payı var:\n• MAT 103: yalnız sabitlediğin 6 "
              "şubesi denendi"_w));

  planner.Unlock(2);
  planner.Exclude("4");  // the only section the panel lets through
  EXPECT_EQ(generator.btnYerlestirClick(panel).explanation->text,
            W("MAT 103 dersinin 6 şubesinden hiçbiri seçtiğin kıstaslara uymuyor. Eleyen kıstaslar:\n• saat aralığı: "
              "3 şubeyi eliyor\n• istenmeyen binalar: 1 şubeyi eliyor\n• bölüm kodu: 1 şubeyi eliyor\n• hariç "
              "tutulan şubeler: 1 şubeyi eliyor"_w));
}

TEST_F(SectionsRemoved, ALockedSectionIsTakenWhateverThePanelSaysAndApplyingKeepsIt) {
  Choose(1, "MAT", "MAT 104");
  Choose(2, "MAT", "MAT 103");
  planner.Lock(2, "1");       // Monday 08:30: before the hour window
  panel.free_days[0] = true;  // and on a free day
  const Generation generation = generator.btnYerlestirClick(panel);
  ASSERT_EQ(generation.listed, 1);
  generator.ComboBox31Change(1);
  EXPECT_EQ(planner.Ders(1).CRN, "7");
  EXPECT_EQ(planner.Ders(2).CRN, "1");
  EXPECT_EQ(planner.StudentConstraints().locked[1], "1");
}

}  // namespace
}  // namespace kiremo::generator
