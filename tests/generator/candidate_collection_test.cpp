#include "generator/candidate_collection.h"

#include <gtest/gtest.h>

#include "generator/generator_fixture.h"
#include "generator/generator_messages.h"
#include "text/cp1254.h"
#include "text/errors.h"

namespace kiremo::generator {
namespace {

using testing::Section;

std::string W(std::string_view cp1254) { return std::string(cp1254); }

struct Cell {
  std::string day;
  std::string slot;
  friend bool operator==(const Cell&, const Cell&) = default;
};

std::vector<Cell> CellsOf(const TTreeDers& c) {
  std::vector<Cell> cells;
  for (std::size_t k = 0; k < c.Days.size(); ++k) cells.push_back({c.Days[k], c.Slots[k]});
  return cells;
}

class Collection : public testing::GeneratorWorld {
 protected:
  void SetUp() override {
    catalogue.Department(
        "MAT", {Section("21001", "MAT 101E", "Ali Veli", W("Pazartesi|Boş"_w), "0830/1029|/", "EEB", "D1", W("TÜM"_w)),
                Section("21002", "MAT 101E", "Ali Veli", "Cuma", "1730/1829", "EEB", "D1", W("TÜM"_w)),
                Section("21003", "MAT 101E", "Ayşe Kaya"_w.data(), "Cuma", "2130/2229", "EEB", "D1", W("TÜM"_w)),
                Section("21004", "MAT 101E", "Ali Veli", W("Salı"_w), "1830/1929", "EEB", "D1", W("TÜM"_w)),
                Section("22001", "MAT 102E", "Ali Veli", W("Salı"_w), "0930/1129", "EEB", "D1", W("TÜM"_w))});
    catalogue.Department(
        "FIZ",
        {Section("31001", "FIZ 101", "Can Su", W("Perşembe"_w), "1030/1229", "EEB", "D1", "ELK"),
         Section("31002", "FIZ 101", "Can Su", W("Perşembe|Çarşamba"_w), "1330/1429|1330/1529", "EEB", "D1", "ELK"),
         Section("31003", "FIZ 101", "Nur Ay", "Cuma", "1030/1229", "EEB", "D1", "INS")});
    catalogue.ListedOnly("YOK");  // listed, but without a table
    Start();
    panel.first_hour = "8";
    panel.end_hour = "23";
  }
};

TEST_F(Collection, RowsInAscendingOrderWithTheirSlots) {
  Choose(5, "FIZ", "FIZ 101");
  Choose(2, "MAT", "MAT 101E");
  const CandidateCollection found = CollectCandidates(planner, panel, query1);
  ASSERT_TRUE(found.failure.empty()) << found.failure;
  ASSERT_EQ(found.candidates.size(), 6u);

  struct Expected {
    const char* crn;
    int row;
    int section_index;
    std::vector<Cell> cells;
  };
  const Expected expected[] = {
      {"21001", 2, 1, {{"1", "1"}, {"1", "2"}}},  // the "BO" meeting adds nothing
      {"21002", 2, 2, {{"5", "10"}}},
      {"21003", 2, 3, {{"5", "14"}}},
      {"21004", 2, 4, {{"2", "11"}}},
      {"31001", 5, 1, {{"4", "3"}, {"4", "4"}}},
      {"31002", 5, 2, {{"4", "6"}, {"3", "6"}, {"3", "7"}}},
  };
  for (std::size_t k = 0; k < std::size(expected); ++k) {
    const TTreeDers& c = found.candidates[k];
    EXPECT_EQ(c.CRN, expected[k].crn);
    EXPECT_EQ(c.Row, expected[k].row);
    EXPECT_EQ(c.SectionCombo, 3 * expected[k].row);
    EXPECT_EQ(c.SectionIndex, expected[k].section_index) << c.CRN;
    EXPECT_EQ(c.Index, static_cast<int>(k));
    EXPECT_EQ(c.CourseCode, expected[k].row == 2 ? "MAT 101E" : "FIZ 101");
    EXPECT_EQ(CellsOf(c), expected[k].cells) << c.CRN;
  }
}

// The walks between buildings need each cell's building: the bina entry at
// its meeting's position, empty where the entries run out.
TEST_F(Collection, CellsCarryTheBuildingOfTheirMeeting) {
  catalogue.Department("KIM", {Section("41001", "KIM 101", "Nur Ay", W("Pazartesi|Salı"_w), "0930/1129|1030/1129",
                                       "MED|EEB", "D1|D2", "ELK"),
                               Section("41002", "KIM 101", "Nur Ay", W("Boş|Çarşamba|Cuma"_w), "/|1030/1129|1330/1429",
                                       "EEB|FEB", "D1", "ELK")});
  Start();
  Choose(1, "KIM", "KIM 101");
  const CandidateCollection found = CollectCandidates(planner, panel, query1);
  ASSERT_EQ(found.candidates.size(), 2u);
  EXPECT_EQ(found.candidates[0].Buildings, (std::vector<std::string>{"MED", "MED", "EEB"}));
  EXPECT_EQ(found.candidates[1].Buildings, (std::vector<std::string>{"FEB", ""}));
}

TEST_F(Collection, PanelConstraintsNarrowEachRow) {
  Choose(1, "MAT", "MAT 101E");
  Choose(2, "FIZ", "FIZ 101");
  panel.first_hour = "9";
  panel.end_hour = "19";
  panel.free_days[3] = true;
  panel.own_department_only = false;
  auto crns = [&] {
    std::vector<std::string> all;
    for (const TTreeDers& c : CollectCandidates(planner, panel, query1).candidates) all.push_back(c.CRN);
    return all;
  };
  // Row 1: 21001 starts at 8; 21003, 21004 end too late. Row 2: Thursday is free.
  EXPECT_EQ(crns(), (std::vector<std::string>{"21002", "31003"}));
  panel.free_days[3] = false;
  planner.SelectTeacher(2, planner.Row(2).teacher.IndexOf("Can Su"));
  EXPECT_EQ(crns(), (std::vector<std::string>{"21002", "31001", "31002"}));
}

TEST_F(Collection, FailureNamesTheFirstRowWithoutSectionsAndLooksNoFurther) {
  catalogue.Department("KIM", {Section("41001", "KIM 100", "Nur", "Cuma", "1030/1229", "EEB", "D1", "ELK")});
  Start();
  Choose(1, "MAT", "MAT 101E");
  Choose(3, "FIZ", "FIZ 101");
  planner.SelectTeacher(3, planner.Row(3).teacher.IndexOf("Can Su"));
  panel.free_days[3] = true;  // Can Su teaches only on Thursday
  // Row 4 is never examined: its query would fail.
  Choose(4, "KIM", "KIM 100");
  catalogue.Open().DropTable("KIM");
  const CandidateCollection found = CollectCandidates(planner, panel, query1);
  EXPECT_TRUE(found.candidates.empty());
  EXPECT_EQ(found.failure, "FIZ 101" + W(kNoVersion));
}

TEST_F(Collection, RowWhoseCourseIsNotChosenIsReported) {
  Choose(1, "MAT", "MAT 101E");
  planner.SelectDepartment(2, planner.Row(2).department.IndexOf("FIZ"));
  planner.DersKoduEkle(2);  // course code still "Seçin", section list empty
  const CandidateCollection found = CollectCandidates(planner, panel, query1);
  EXPECT_EQ(found.failure, W(kNoCodeChosen));
}

TEST_F(Collection, WithoutFreeDaysOrTeacherTheRowIsTheHourFiltersList) {
  Choose(1, "FIZ", "FIZ 101");
  Choose(2, "MAT", "MAT 101E");
  panel.own_department_only = false;
  const CandidateCollection found = CollectCandidates(planner, panel, query1);
  ASSERT_EQ(found.candidates.size(), 7u);
  EXPECT_EQ(found.candidates[2].CRN, "31003");
  EXPECT_EQ(found.candidates[2].SectionIndex, -1);  // listed under ELK before the box was unchecked
}

TEST_F(Collection, HourFieldThatIsNotAWholeNumberRaises) {
  Choose(1, "MAT", "MAT 101E");
  Choose(2, "FIZ", "FIZ 101");
  panel.end_hour = "19a";
  EXPECT_THROW(CollectCandidates(planner, panel, query1), ConversionError);
}

TEST(CollectionCells, WeekdayMeetingWithoutHoursOrWithBadHoursRaises) {
  struct Case {
    const char* gun;
    const char* saat;
  };
  for (const Case& c : {Case{"Pazartesi|Cuma", "0930/1129"}, Case{"Pazartesi|Cuma", "0930/1129|/"}}) {
    testing_support::TempFolder folder;
    testing_support::CatalogueFixture catalogue(folder.Path());
    catalogue.Department("MAT", {Section("1", "MAT 101", "A", c.gun, c.saat, "EEB", "D1", "ELK"),
                                 Section("2", "MAT 102", "A", "Cuma", "1230/1329", "EEB", "D1", "ELK")});
    catalogue::CatalogueQuery query1(catalogue.ConnectionString());
    planner::Planner planner(query1, folder.Path(), "http://forum.example/", "Plan");
    planner.Sifirla();
    for (int row = 1; row <= 2; ++row) {
      planner.SelectDepartment(row, 1);
      planner.DersKoduEkle(row);
      planner.SelectCourse(row, row);  // MAT 101, MAT 102
    }
    const GeneratorPanel panel{.end_hour = "22", .own_department_only = false};
    EXPECT_THROW(CollectCandidates(planner, panel, query1), Error) << c.saat;
  }
}

}  // namespace
}  // namespace kiremo::generator
