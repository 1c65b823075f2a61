#include <gtest/gtest.h>

#include "planner/markers.h"
#include "planner_test_support.h"

namespace kiremo::planner::testing {
namespace {

using Texts = std::vector<std::string>;

class CommitTest : public TermTest {
 protected:
  int MarkedItems(int row) {
    int marked = 0;
    for (const std::string& item : SectionItems(row)) marked += item.ends_with(W(kKaydedildi));
    return marked;
  }
};

TEST_F(CommitTest, FillsTheRecordAndMarksTheItem) {
  Commit(2, "ELK", "ELK 101", "100");
  const TDers& ders = planner.Ders(2);
  EXPECT_EQ(ders.CRN, "100");
  EXPECT_EQ(ders.DersKodu, "ELK 101");
  EXPECT_EQ(ders.DersAdi, "Devre Teorisi");
  EXPECT_EQ(ders.Ogretmen, "Ali Veli");
  EXPECT_EQ(ders.Binalar, Texts{"EEB"});
  EXPECT_EQ(ders.Gunler, Texts{"1"});
  EXPECT_EQ(ders.Saatler, Texts{"08:10"});
  EXPECT_EQ(ders.Derslikler, Texts{"D101"});
  EXPECT_EQ(ders.BlokSayisi, 1);
  EXPECT_EQ(Sections(2).Text(), "100:: Ali Veli :: Pazartesi :: EEB----------Kaydedildi");
  EXPECT_EQ(Swatch(2), 0xB4E5C6u);
  EXPECT_FALSE(Ekle(2));
}

TEST_F(CommitTest, CommittingTheMarkedItemAgainKeepsOneMarker) {
  Commit(1, "ELK", "ELK 101", "100");
  planner.KaydetClick(1);
  EXPECT_EQ(planner.Ders(1).CRN, "100");
  EXPECT_EQ(MarkedItems(1), 1);
  EXPECT_EQ(Cell(1, 1), 1);
  EXPECT_EQ(Text(1, 1), "ELK 101");
}

TEST_F(CommitTest, AnotherSectionReplacesTheCommittedOne) {
  Commit(1, "ELK", "ELK 101", "100");
  PickSection(1, "102");
  planner.KaydetClick(1);
  EXPECT_EQ(planner.Ders(1).CRN, "102");
  EXPECT_EQ(Cell(1, 1), 0);
  EXPECT_EQ(Text(1, 1), "");
  EXPECT_EQ(Colour(1, 1), kWhite);
  EXPECT_EQ(Cell(2, 14), 1);
  EXPECT_EQ(MarkedItems(1), 1);
  EXPECT_TRUE(Sections(1).Text().starts_with("102:"));
  EXPECT_EQ(Swatch(1), 0xD9E5B4u);
}

TEST_F(CommitTest, BoLastMeetingShortensTheCount) {
  Commit(1, "ELK", "ELK 303", "300");
  const TDers& ders = planner.Ders(1);
  EXPECT_EQ(ders.BlokSayisi, 1);
  EXPECT_EQ(ders.Binalar, (Texts{"EEB", "MED"}));
  EXPECT_EQ(ders.Gunler, Texts{"1"});
  EXPECT_EQ(ders.Saatler, (Texts{"08:09", "10:11"}));
  EXPECT_EQ(ders.Derslikler, (Texts{"D1", "D2"}));
}

TEST_F(CommitTest, NonWeekdayInTheMiddleKeepsTheListsAligned) {
  Commit(1, "ELK", "ELK 303", "301");
  const TDers& ders = planner.Ders(1);
  EXPECT_EQ(ders.BlokSayisi, 2);
  EXPECT_EQ(ders.Binalar, (Texts{"A", "C"}));
  EXPECT_EQ(ders.Gunler, (Texts{"1", "5"}));
  EXPECT_EQ(ders.Saatler, (Texts{"08:09", "13:15"}));
  EXPECT_EQ(ders.Derslikler, (Texts{"1", "3"}));
}

TEST_F(CommitTest, StopsOnItemsThatAreNoSection) {
  PickDepartment(1, "ELK");
  PickCourse(1, "ELK 101");
  struct Case {
    const char* name;
    int department_index;
    int section_index;
  } cases[] = {
      {"Seçin", 1, 0},
      {"ends with Boş", 1, 5},
      {"no department shown", -1, 1},
      {"no section shown", 1, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    planner.SelectDepartment(1, c.department_index);
    planner.SelectSection(1, c.section_index);
    planner.KaydetClick(1);
    EXPECT_EQ(planner.Ders(1).CRN, "");
    EXPECT_EQ(MarkedItems(1), 0);
    EXPECT_EQ(Cell(1, 1), 0);
  }
}

TEST_F(CommitTest, SectionGoneFromTheCatalogueLeavesTheRowAsItWas) {
  Commit(1, "ELK", "ELK 101", "100");
  store.Refill("ELK", {Section("100", "ELK 101", "Ali Veli", "Pazartesi", "0830/1029")});
  PickSection(1, "101");  // listed before the refill, gone now: nothing to preview
  for (int row = 1; row <= 14; ++row) EXPECT_NE(Cell(1, row), 15) << row;
  planner.KaydetClick(1);
  EXPECT_EQ(planner.Ders(1).CRN, "100");
  EXPECT_EQ(planner.Ders(1).Gunler, Texts{"1"});
  EXPECT_EQ(Cell(1, 1), 1);
  EXPECT_EQ(Text(1, 1), "ELK 101");
  EXPECT_TRUE(Sections(1).ItemText(1).ends_with(W(kKaydedildi)));
  EXPECT_FALSE(Sections(1).Text().ends_with(W(kKaydedildi)));
}

TEST_F(CommitTest, KaydedildiSilStripsTheMarkerAndKeepsTheSelection) {
  Commit(1, "ELK", "ELK 101", "100");
  planner.SelectSection(1, 3);
  planner.KaydedildiSil(1);
  EXPECT_EQ(MarkedItems(1), 0);
  EXPECT_EQ(Sections(1).index, 3);
  EXPECT_EQ(planner.Ders(1).CRN, "100");  // the record is removal's business
}

}  // namespace
}  // namespace kiremo::planner::testing
