#include "generator/generator.h"

#include <gtest/gtest.h>

#include "text/cp1254.h"
#include "text/errors.h"
#include "generator/generator_fixture.h"
#include "generator/generator_messages.h"
#include "planner/markers.h"

namespace kiremo::generator {
namespace {

using testing::Section;
// A message box as shown: caption, text, icon.
struct Shown {
  std::string caption;
  std::string text;
  ui::Icon icon;
  friend bool operator==(const Shown&, const Shown&) = default;
  friend void PrintTo(const Shown& s, std::ostream* os) { *os << s.caption << ": " << Cp1254ToUtf8(s.text); }
};

std::string W(std::string_view cp1254) { return std::string(cp1254); }

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

  std::vector<Shown> Messages() {
    std::vector<Shown> shown;
    for (const auto& m : view.Dialog().messages) shown.push_back({m.caption, m.text, m.icon});
    return shown;
  }

  void Apply(int k) {
    view.ComboBox31().SetItemIndex(k);
    generator.ComboBox31Change();
  }
};

TEST_F(Driver, FewerThanTwoRowsWithSectionItemsAreRefused) {
  generator.btnYerlestirClick();
  Choose(1, "MAT", "MAT 101E");
  generator.btnYerlestirClick();
  EXPECT_EQ(Messages(), (std::vector<Shown>{{"Mesaj", W(kNoCourse), ui::Icon::Warning},
                                            {"Mesaj", W(kOneCourse), ui::Icon::Warning}}));
  EXPECT_EQ(view.ComboBox31().Count(), 0);
}

TEST_F(Driver, SectionListHoldingOnlySecinCounts) {
  Choose(1, "MAT", "MAT 101E");
  view.CheckBox1().SetChecked(false);
  Choose(2, "BOS", "BOS 100");
  view.CheckBox1().SetChecked(true);
  view.SectionCombo(2).Clear();
  view.SectionCombo(2).Add(W(planner::kSecin));
  view.SectionCombo(2).SetItemIndex(0);
  generator.btnYerlestirClick();
  // Counted as a row, then found without an admissible section.
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages()[0], (Shown{"HATA", "BOS 100" + W(kNoVersion), ui::Icon::Warning}));
  EXPECT_EQ(generator.CandidateCount, -1);
}

TEST_F(Driver, SameCourseInTwoRowsListsEachPairOnce) {
  Choose(1, "MAT", "MAT 101E");
  Choose(2, "MAT", "MAT 101E");
  Choose(3, "FIZ", "FIZ 101");
  view.ComboBox31().SetItemIndex(-1);
  generator.btnYerlestirClick();
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(ResultItems(),
            (std::vector<std::string>{W("2 farklı program yaptım!"_w), "1. Alternatif", "2. Alternatif"}));
  EXPECT_EQ(view.ComboBox31().ItemIndex(), 0);
  EXPECT_TRUE(CommittedCrns().empty());  // listing applies nothing

  Apply(1);
  EXPECT_EQ(CommittedCrns(), (std::vector<std::string>{"100", "200", "300"}));
  Apply(2);
  EXPECT_EQ(CommittedCrns(), (std::vector<std::string>{"100", "200", "301"}));
  EXPECT_EQ(view.SectionCombo(3).Text(), "301:: Can :: Cuma :: EEB" + W(planner::kKaydedildi));
  EXPECT_EQ(view.Grid1().CellText(5, 6), "");
  EXPECT_EQ(view.Grid1().CellText(5, 8), "FIZ 101");
  EXPECT_EQ(planner.Hucreler[5][8], 3);
  EXPECT_EQ(planner.Hucreler[2][2], 2);
}

TEST_F(Driver, ApplyingEmptiesRowsTheResultDoesNotCoverAndItemZeroChangesNothing) {
  Choose(1, "MAT", "MAT 101E");
  Choose(2, "FIZ", "FIZ 101");
  Choose(4, "KIM", "KIM 101");
  SelectItem(view.SectionCombo(4), W("400:: Nur :: Pazartesi|Salı :: EEB"_w));
  planner.KaydetClick(4);
  ASSERT_EQ(planner.Dersler[4].CRN, "400");
  view.CourseCombo(4).Clear();  // row 4 no longer takes part
  view.SectionCombo(4).Clear();

  generator.btnYerlestirClick();
  ASSERT_EQ(view.ComboBox31().Count(), 5);
  Apply(4);
  EXPECT_EQ(CommittedCrns(), (std::vector<std::string>{"200", "301"}));
  const auto cells = planner.Hucreler;
  Apply(0);
  EXPECT_EQ(CommittedCrns(), (std::vector<std::string>{"200", "301"}));
  EXPECT_EQ(planner.Hucreler, cells);
}

TEST_F(Driver, NoClashFreeTimetableIsLiterature) {
  Choose(1, "MAT", "MAT 101E");
  Choose(2, "KIM", "KIM 101");
  generator.btnYerlestirClick();
  EXPECT_EQ(Messages(), (std::vector<Shown>{{"Edebi Mesaj", W(kImpossible), ui::Icon::Warning}}));
  EXPECT_EQ(view.ComboBox31().Count(), 0);
}

TEST_F(Driver, FailedCollectionAfterASuccessEmptiesTheListButKeepsTheGrid) {
  Choose(1, "MAT", "MAT 101E");
  Choose(2, "FIZ", "FIZ 101");
  generator.btnYerlestirClick();
  Apply(1);
  view.Chk(5).SetChecked(true);  // FIZ meets only on Friday
  generator.btnYerlestirClick();
  EXPECT_EQ(view.ComboBox31().Count(), 0);
  EXPECT_EQ(generator.CandidateCount, -1);
  EXPECT_EQ(Messages().back().text, "FIZ 101" + W(kNoVersion));
  EXPECT_EQ(CommittedCrns(), (std::vector<std::string>{"100", "300"}));
}

// A bad hour field or a malformed hour entry must not cost the student the
// previous results or the preview on the grid.
TEST_F(Driver, InputErrorLeavesResultsListAndGridAsTheyWere) {
  Choose(1, "MAT", "MAT 101E");
  Choose(2, "FIZ", "FIZ 101");
  generator.btnYerlestirClick();
  ASSERT_EQ(view.ComboBox31().Count(), 5);
  view.ComboBox31().SetItemIndex(3);
  SelectItem(view.SectionCombo(1), W("200:: Veli :: Salı :: EEB"_w));
  planner.SectionChosen(1);  // a preview on the grid
  const auto cells = planner.Hucreler;
  const ui::Colour preview = view.Grid1().CellColour(2, 2);

  for (const char* bad : {"9.5", ""}) {
    view.EditSt().SetText(bad);
    EXPECT_THROW(generator.btnYerlestirClick(), ConversionError) << bad;
    EXPECT_EQ(view.ComboBox31().Count(), 5);
    EXPECT_EQ(view.ComboBox31().ItemIndex(), 3);
    EXPECT_EQ(planner.Hucreler, cells);
    EXPECT_EQ(view.Grid1().CellColour(2, 2), preview);
  }
  view.EditSt().SetText("9");
  catalogue.Refill("FIZ", {Section("300", "FIZ 101", "Can", "Cuma", "1x30/1429", "EEB", "D1", "ELK")});
  EXPECT_THROW(generator.btnYerlestirClick(), ConversionError);
  EXPECT_EQ(view.ComboBox31().Count(), 5);
  EXPECT_EQ(planner.Hucreler, cells);

  catalogue.Refill("FIZ", {Section("300", "FIZ 101", "Can", "Cuma", "1330/1429", "EEB", "D1", "ELK"),
                           Section("301", "FIZ 101", "Can", "Cuma", "1530/1629", "EEB", "D1", "ELK")});
  Apply(3);  // the old results still apply
  EXPECT_EQ(CommittedCrns(), (std::vector<std::string>{"200", "300"}));
  EXPECT_TRUE(Messages().empty());
}

TEST_F(Driver, ResetEmptiesCandidatesAndTheList) {
  Choose(1, "MAT", "MAT 101E");
  Choose(2, "FIZ", "FIZ 101");
  generator.btnYerlestirClick();
  planner.Sifirla();
  EXPECT_TRUE(generator.Candidates.empty());
  EXPECT_EQ(view.ComboBox31().Count(), 0);
  generator.ComboBox31Change();
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
    view.EditEnd().SetText("22");
    for (int course = 1; course <= count; ++course) Choose(course, "GNS", "GNS " + std::to_string(course));
  }
};

TEST_F(Broad, MillionTimetablesAreListedWithoutNotice) {
  Courses(6);
  generator.btnYerlestirClick();
  EXPECT_TRUE(view.Dialog().messages.empty());
  EXPECT_EQ(view.ComboBox31().Count(), 1'000'001);
  EXPECT_EQ(view.ComboBox31().Item(1'000'000), "1000000. Alternatif");
  view.ComboBox31().SetItemIndex(1'000'000);
  generator.ComboBox31Change();
  EXPECT_EQ(CommittedCrns(), (std::vector<std::string>{"109", "209", "309", "409", "509", "609"}));
}

TEST_F(Broad, MoreThanTheLimitListsTheFirstMillionAndSaysSo) {
  Courses(7);
  generator.btnYerlestirClick();
  EXPECT_EQ(view.ComboBox31().Count(), 1'000'001);
  ASSERT_EQ(view.Dialog().messages.size(), 1u);
  EXPECT_EQ(view.Dialog().messages[0].caption, "Mesaj");
  EXPECT_EQ(view.Dialog().messages[0].text, W(kLimitReached));
  EXPECT_EQ(view.Dialog().messages[0].icon, ui::Icon::Warning);
  EXPECT_EQ(generator.LastSearchEnd(), SearchEnd::LimitReached);
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

TEST_F(Broad, StoppedSearchListsWhatItFound) {
  Courses(6);
  StopAt monitor(5000);
  generator.SetSearchMonitor(&monitor);
  generator.btnYerlestirClick();
  EXPECT_EQ(monitor.finished, 1);
  const int found = generator.ResultCount;
  EXPECT_GE(found, 5000);
  EXPECT_LT(found, 1'000'000);
  EXPECT_EQ(view.ComboBox31().Count(), found + 1);
  ASSERT_EQ(view.Dialog().messages.size(), 1u);
  EXPECT_EQ(view.Dialog().messages[0].text, W(kStoppedBefore) + std::to_string(found) + W(kStoppedAfter));
}

TEST_F(Broad, SearchStoppedBeforeAnyTimetableSaysSoInsteadOfImpossible) {
  Courses(6, true);
  StopAt at_once(0);
  generator.SetSearchMonitor(&at_once);
  generator.btnYerlestirClick();
  EXPECT_EQ(view.ComboBox31().Count(), 0);
  ASSERT_EQ(view.Dialog().messages.size(), 1u);
  EXPECT_EQ(view.Dialog().messages[0].text, W(kStoppedEmpty));
}

}  // namespace
}  // namespace kiremo::generator
