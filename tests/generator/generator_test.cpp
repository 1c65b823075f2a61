#include "generator/generator.h"

#include <gtest/gtest.h>

#include <random>

#include "generator/generated_catalogue.h"
#include "generator/generator_fixture.h"
#include "generator/generator_messages.h"
#include "generator/hour_window.h"
#include "planner/markers.h"
#include "text/cp1254.h"
#include "text/errors.h"

namespace kiremo::generator {
namespace {

using testing::Section;
using Shown = Notice;

std::string W(std::string_view cp1254) { return std::string(cp1254); }
std::string Utf8(std::string_view cp1254) { return Cp1254ToUtf8(cp1254); }

class Driver : public testing::GeneratorWorld {
 protected:
  void SetUp() override {
    // MAT 101E: A and B never clash. FIZ 101: one section clear of both.
    // KIM 101: one section that clashes with both MAT sections.
    catalogue.Department("MAT", {Section("100", "MAT 101E", "Ali", "Pazartesi", "0930/1129", "EEB", "D1", "ELK"),
                                 Section("200", "MAT 101E", "Veli", W("Salı"_w), "0930/1129", "EEB", "D1", "ELK")});
    catalogue.Department("FIZ", {Section("300", "FIZ 101", "Can", "Cuma", "1330/1429", "EEB", "D1", "ELK"),
                                 Section("301", "FIZ 101", "Can", "Cuma", "1530/1629", "EEB", "D1", "ELK")});
    catalogue.Department(
        "KIM", {Section("400", "KIM 101", "Nur", W("Pazartesi|Salı"_w), "1030/1129|1030/1129", "EEB", "D1", "ELK")});
    catalogue.Department("BOS", {Section("900", "BOS 100", "X", "Cuma", "0930/1029", "EEB", "D1", "INS")});
    Start();
  }

  std::vector<Shown> Messages() { return shown; }
};

TEST_F(Driver, FewerThanTwoRowsWithSectionItemsAreRefused) {
  Generate();
  Choose(1, "MAT", "MAT 101E");
  Generate();
  EXPECT_EQ(Messages(),
            (std::vector<Shown>{{"Mesaj", W(kNoCourse), Icon::Warning}, {"Mesaj", W(kOneCourse), Icon::Warning}}));
  EXPECT_EQ(ResultListCount(), 0);
}

TEST_F(Driver, SectionListHoldingOnlySecinCounts) {
  Choose(1, "MAT", "MAT 101E");
  panel.own_department_only = false;
  Choose(2, "BOS", "BOS 100");
  // The course loses its sections: unfiltered, the list holds only "Seçin".
  catalogue.Refill("BOS", {Section("901", "BOS 200", "X", "Cuma", "0930/1029", "EEB", "D1", "INS")});
  planner.AcilanDersEkle(2);
  ASSERT_EQ(planner.Row(2).section.Count(), 1);
  ASSERT_EQ(planner.Row(2).section.Text(), W(planner::kSecin));
  panel.own_department_only = true;
  Generate();
  // Counted as a row, then found without an admissible section.
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages()[0], (Shown{"HATA", "BOS 100" + W(kNoVersion), Icon::Warning}));
  EXPECT_EQ(generator.CandidateCount, -1);
}

TEST_F(Driver, ChoosingAnotherAlternativeReplacesTheFirst) {
  Choose(1, "MAT", "MAT 101E");
  Choose(3, "FIZ", "FIZ 101");
  Generate();
  EXPECT_TRUE(Messages().empty());
  ASSERT_EQ(ResultListCount(), 5);
  EXPECT_EQ(ResultItems()[0], W("4 farklı program yaptım!"_w));
  EXPECT_EQ(selected, 0);
  EXPECT_TRUE(CommittedCrns().empty());  // listing applies nothing

  Apply(1);
  EXPECT_EQ(CommittedCrns(), (std::vector<std::string>{"100", "300"}));
  Apply(2);
  EXPECT_EQ(CommittedCrns(), (std::vector<std::string>{"100", "301"}));
  EXPECT_EQ(planner.Row(3).section.Text(), "301:: Can :: Cuma :: EEB" + W(planner::kKaydedildi));
  EXPECT_EQ(planner.CellText(5, 6), "");
  EXPECT_EQ(planner.CellText(5, 8), "FIZ 101");
  EXPECT_EQ(planner.Cell(5, 8), 3);
  EXPECT_EQ(planner.Cell(1, 2), 1);
}

// MAT 101E on Monday or Tuesday morning, FIZ 101 on Friday at 13:30 or
// 15:30: by the earliest end the Friday 13:30 ones come first.
TEST_F(Driver, OrderOfTheListIsChangedWithoutSearchingAndApplyingFollowsIt) {
  Choose(1, "MAT", "MAT 101E");
  Choose(2, "FIZ", "FIZ 101");
  Generate();
  EXPECT_EQ(Utf8(generator.ItemText(2)), "2. Alternatif — 2 gün · 0 saat boşluk · 09:30–16:29");
  generator.SetSortKeys({SortKey::Early});
  EXPECT_EQ(Utf8(generator.ItemText(0)), "4 farklı program yaptım!");
  EXPECT_EQ(Utf8(generator.ItemText(2)), "2. Alternatif — 2 gün · 0 saat boşluk · 09:30–14:29");
  Apply(2);
  EXPECT_EQ(CommittedCrns(), (std::vector<std::string>{"200", "300"}));
  generator.SetSortKeys({SortKey::Walks});
  EXPECT_EQ(Utf8(generator.ItemText(4)), "4. Alternatif — 2 gün · 0 saat boşluk · 09:30–16:29 · 0 bina değişikliği");
  Apply(4);
  EXPECT_EQ(CommittedCrns(), (std::vector<std::string>{"200", "301"}));
}

// A course in two rows could only clash with itself or list each pair of
// its sections: the student hears so before any search.
TEST_F(Driver, SameCourseInSeveralRowsIsSaidBeforeSearching) {
  Choose(1, "MAT", "MAT 101E");
  Choose(3, "FIZ", "FIZ 101");
  Generate();
  ASSERT_EQ(ResultListCount(), 5);
  Choose(2, "FIZ", "FIZ 101");
  Choose(5, "FIZ", "FIZ 101");
  Generate();
  const std::string text = "FIZ 101" + W(" dersini birden çok satırda seçmişsin (2., 3. ve 5. satır); bir derse "
                                         "yalnızca bir kez yazılabilirsin. Fazla satırları boşaltıp yeniden dene."_w);
  EXPECT_EQ(Messages(), (std::vector<Shown>{{"Mesaj", text, Icon::Warning}}));
  EXPECT_EQ(ResultListCount(), 0);
  EXPECT_EQ(generator.ResultCount, 4) << "no search ran";
}

TEST_F(Driver, ApplyingEmptiesRowsTheResultDoesNotCoverAndItemZeroChangesNothing) {
  Choose(1, "MAT", "MAT 101E");
  Choose(2, "FIZ", "FIZ 101");
  Choose(4, "KIM", "KIM 101");
  ChooseSection(4, W("400:: Nur :: Pazartesi|Salı :: EEB"_w));
  planner.KaydetClick(4);
  ASSERT_EQ(planner.Ders(4).CRN, "400");
  planner.EmptyCourseAndSectionLists(4);  // row 4 no longer takes part

  Generate();
  ASSERT_EQ(ResultListCount(), 5);
  Apply(4);
  EXPECT_EQ(CommittedCrns(), (std::vector<std::string>{"200", "301"}));
  const auto cells = planner.Hucreler();
  Apply(0);
  EXPECT_EQ(CommittedCrns(), (std::vector<std::string>{"200", "301"}));
  EXPECT_EQ(planner.Hucreler(), cells);
}

TEST_F(Driver, NoClashFreeTimetableIsLiterature) {
  Choose(1, "MAT", "MAT 101E");
  Choose(2, "KIM", "KIM 101");
  Generate();
  EXPECT_EQ(Messages(), (std::vector<Shown>{{"Edebi Mesaj", W(kImpossible), Icon::Warning}}));
  EXPECT_EQ(ResultListCount(), 0);
}

TEST_F(Driver, FailedCollectionAfterASuccessEmptiesTheListButKeepsTheGrid) {
  Choose(1, "MAT", "MAT 101E");
  Choose(2, "FIZ", "FIZ 101");
  Generate();
  Apply(1);
  panel.free_days[4] = true;  // FIZ meets only on Friday
  Generate();
  EXPECT_EQ(ResultListCount(), 0);
  EXPECT_EQ(generator.CandidateCount, -1);
  EXPECT_EQ(Messages().back().text, "FIZ 101" + W(kNoVersion));
  EXPECT_EQ(CommittedCrns(), (std::vector<std::string>{"100", "300"}));
}

// A bad hour field or a malformed hour entry must not cost the student the
// previous results or the preview on the grid.
TEST_F(Driver, InputErrorLeavesResultsListAndGridAsTheyWere) {
  Choose(1, "MAT", "MAT 101E");
  Choose(2, "FIZ", "FIZ 101");
  Generate();
  ASSERT_EQ(ResultListCount(), 5);
  selected = 3;
  ChooseSection(1, W("200:: Veli :: Salı :: EEB"_w));  // a preview on the grid
  const auto cells = planner.Hucreler();

  for (const char* bad : {"9.5", "", "25"}) {
    panel.first_hour = bad;
    EXPECT_THROW(Generate(), HourWindowError) << bad;
    EXPECT_EQ(ResultListCount(), 5);
    EXPECT_EQ(selected, 3);
    EXPECT_EQ(planner.Hucreler(), cells);
  }
  panel.first_hour = "9";
  catalogue.Refill("FIZ", {Section("300", "FIZ 101", "Can", "Cuma", "1x30/1429", "EEB", "D1", "ELK")});
  EXPECT_THROW(Generate(), ConversionError);
  EXPECT_EQ(ResultListCount(), 5);
  EXPECT_EQ(planner.Hucreler(), cells);

  catalogue.Refill("FIZ", {Section("300", "FIZ 101", "Can", "Cuma", "1330/1429", "EEB", "D1", "ELK"),
                           Section("301", "FIZ 101", "Can", "Cuma", "1530/1629", "EEB", "D1", "ELK")});
  Apply(3);  // the old results still apply
  EXPECT_EQ(CommittedCrns(), (std::vector<std::string>{"200", "300"}));
  EXPECT_TRUE(Messages().empty());
}

TEST_F(Driver, ResetEmptiesCandidatesAndTheList) {
  Choose(1, "MAT", "MAT 101E");
  Choose(2, "FIZ", "FIZ 101");
  Generate();
  planner.Sifirla();
  EXPECT_TRUE(generator.Candidates.empty());
  EXPECT_EQ(ResultListCount(), 0);
  Apply(1);
  EXPECT_TRUE(CommittedCrns().empty());
}

// Six courses of ten sections, each course in an hour of its own.
class Broad : public testing::GeneratorWorld {
 protected:
  // With last_clashes the last course meets in the first one's hour.
  void Courses(int count, bool last_clashes = false) {
    std::vector<catalogue::SectionValues> sections;
    for (int course = 1; course <= count; ++course) {
      for (int s = 0; s < 10; ++s) {
        const int hour = last_clashes && course == count ? 11 : 10 + course;
        sections.push_back(Section(std::to_string(course * 100 + s), "GNS " + std::to_string(course), "Hoca",
                                   "Pazartesi", std::to_string(hour) + "30/" + std::to_string(hour + 1) + "29", "EEB",
                                   "D1", "ELK"));
      }
    }
    catalogue.Department("GNS", sections);
    Start();
    panel.end_hour = "22";
    for (int course = 1; course <= count; ++course) Choose(course, "GNS", "GNS " + std::to_string(course));
  }
};

TEST_F(Broad, MillionTimetablesAreListedWithoutNotice) {
  Courses(6);
  Generate();
  EXPECT_TRUE(shown.empty());
  EXPECT_EQ(ResultListCount(), 1'000'001);
  EXPECT_EQ(ResultItemText(1'000'000, listed), "1000000. Alternatif");
  Apply(1'000'000);
  EXPECT_EQ(CommittedCrns(), (std::vector<std::string>{"109", "209", "309", "409", "509", "609"}));
}

TEST_F(Broad, MoreThanTheLimitListsTheFirstMillionAndSaysSo) {
  Courses(7);
  Generate();
  EXPECT_EQ(ResultListCount(), 1'000'001);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].caption, "Mesaj");
  EXPECT_EQ(shown[0].text, W("Seçtiğin derslerle 10.000.000 farklı program çıkıyor; yalnızca ilk 1.000.000 tanesini "
                             "listeledim. Kıstasları daraltırsan hepsini görebilirsin."_w));
  EXPECT_EQ(shown[0].icon, Icon::Warning);
  EXPECT_EQ(generator.LastSearchEnd(), SearchEnd::LimitReached);
  EXPECT_EQ(generator.Total, 10'000'000);
  EXPECT_EQ(generator.SummaryText(), W("10.000.000 farklı program var; ilk 1.000.000 tanesi listelendi"_w));
}

// The list says which million it holds: the best by the order it shows, or
// only some when shown in another order than the search kept them by.
TEST_F(Broad, PastTheLimitTheSummarySaysWhichMillionIsListed) {
  Courses(7);
  generator.SetSortKeys({SortKey::Days});
  Generate();
  EXPECT_EQ(generator.ResultCount, 1'000'000);
  EXPECT_EQ(shown.back().text, W("Seçtiğin derslerle 10.000.000 farklı program çıkıyor; yalnızca en iyi 1.000.000 "
                                 "tanesini listeledim. Kıstasları daraltırsan hepsini görebilirsin."_w));
  struct Step {
    SortKeys keys;
    const char* summary;
  };
  const Step steps[] = {
      {{SortKey::Days}, "10.000.000 farklı program var; en iyi 1.000.000 tanesi listelendi"},
      {{SortKey::Gaps}, "10.000.000 farklı program var; 1.000.000 tanesi listelendi"},
      {{}, "10.000.000 farklı program var; 1.000.000 tanesi listelendi"},
  };
  for (const Step& step : steps) {
    generator.SetSortKeys(step.keys);
    EXPECT_EQ(Utf8(generator.SummaryText()), step.summary);
  }
}

class StopAt : public SearchMonitor {
 public:
  explicit StopAt(int timetables) : timetables_(timetables) {}
  bool Poll(const SearchProgress& progress) override { return progress.timetables >= timetables_; }
  void Finished() override { ++finished; }
  int finished = 0;

 private:
  int timetables_;
};

// Seven large courses whose sections meet at hours of their own: about a
// hundred million timetables, which take a while to count or to rank.
class Large : public testing::GeneratorWorld {
 protected:
  void SetUp() override {
    catalogue.Department(
        "BYK", testing::GeneratedSections("BYK", testing::GeneratedTerm(5, 7, 30, testing::TermShape::FreeHours)));
    Start();
    for (int course = 1; course <= 7; ++course) Choose(course, "BYK", "BYK " + std::to_string(100 + course));
  }
};

TEST_F(Large, StoppedSearchListsTheFirstTimetablesAndSaysHowManyWereFound) {
  Generate();
  ASSERT_EQ(generator.LastSearchEnd(), SearchEnd::LimitReached);
  const std::int64_t total = generator.Total;
  std::vector<std::vector<int>> first;
  for (int k = 0; k < 1000; ++k) first.push_back({generator.Results.Position(k, 0), generator.Results.Position(k, 6)});

  // Stopped once something was found: a stop before that says nothing was.
  StopAt monitor(1);
  generator.SetSearchMonitor(&monitor);
  shown.clear();
  Generate();
  EXPECT_EQ(monitor.finished, 1);
  ASSERT_EQ(generator.LastSearchEnd(), SearchEnd::Stopped);
  EXPECT_LT(generator.Total, total);
  ASSERT_GT(generator.ResultCount, 0);
  EXPECT_GE(generator.Total, generator.ResultCount);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text, StoppedText(generator.ResultCount, generator.Total, Listed::First));
  EXPECT_EQ(generator.SummaryText(), SummaryText(generator.ResultCount, generator.Total, true, Listed::First));
  for (int k = 0; k < std::min(1000, generator.ResultCount); ++k) {
    ASSERT_EQ(first[k], (std::vector<int>{generator.Results.Position(k, 0), generator.Results.Position(k, 6)}));
  }
}

// A ranking by a key that bounds nothing walks every timetable: stopped, it
// keeps the best of those ranked so far and says how many they were.
TEST_F(Large, StoppedRankingKeepsTheBestSoFarAndSaysHowManyWereRanked) {
  StopAt monitor(0);
  generator.SetSearchMonitor(&monitor);
  generator.SetSortKeys({SortKey::Gaps});
  int so_far_shown = 0;
  generator.SetSoFarListener([&] {
    ++so_far_shown;
    EXPECT_TRUE(generator.Searching());
    EXPECT_EQ(Utf8(generator.SummaryText()).rfind("Sıralanıyor: şimdiye kadar ", 0), 0u);
  });
  Generate();
  ASSERT_EQ(generator.LastSearchEnd(), SearchEnd::Stopped);
  EXPECT_FALSE(generator.Searching());
  ASSERT_GT(generator.ResultCount, 0);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text, StoppedText(generator.ResultCount, generator.Total, Listed::Best));
  EXPECT_EQ(Utf8(shown[0].text).rfind("Aramayı durdurdun; o ana kadar sıraladığım ", 0), 0u) << Utf8(shown[0].text);
  EXPECT_EQ(so_far_shown, 0) << "stopped before the first half second";
}

// Ten courses for nine Monday hours, each section also at an hour of its
// own on another day: no timetable, which neither check before the search
// nor a short walk can tell.
TEST_F(Broad, SearchStoppedBeforeAnyTimetableSaysSoInsteadOfImpossible) {
  std::vector<catalogue::SectionValues> sections;
  std::mt19937 random(17);
  const std::string days[] = {W("Salı"_w), W("Çarşamba"_w), W("Perşembe"_w), "Cuma"};
  auto hour = [](int h) {
    return (h < 10 ? "0" : "") + std::to_string(h) + "30/" + (h < 9 ? "0" : "") + std::to_string(h + 1) + "29";
  };
  for (int course = 1; course <= 10; ++course) {
    for (int s = 0; s < 30; ++s) {
      const int monday = 9 + static_cast<int>(random() % 9), other = 9 + static_cast<int>(random() % 9);
      sections.push_back(Section(std::to_string(course * 100 + s), "GNS " + std::to_string(course), "Hoca",
                                 "Pazartesi|" + days[random() % 4], hour(monday) + "|" + hour(other), "EEB|EEB",
                                 "D1|D1", "ELK"));
    }
  }
  catalogue.Department("GNS", sections);
  Start();
  for (int course = 1; course <= 10; ++course) Choose(course, "GNS", "GNS " + std::to_string(course));
  StopAt at_once(0);
  generator.SetSearchMonitor(&at_once);
  Generate();
  EXPECT_EQ(ResultListCount(), 0);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text.rfind(StoppedEmptyText(false) + " ", 0), 0u) << Utf8(shown[0].text);
  EXPECT_NE(shown[0].text.find(" o ana kadar birlikte yerle"), std::string::npos) << Utf8(shown[0].text);
}

}  // namespace
}  // namespace kiremo::generator
