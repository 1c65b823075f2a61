#include <gtest/gtest.h>

#include <set>

#include "planner/markers.h"
#include "planner_test_support.h"

namespace kiremo::planner::testing {
namespace {

TEST(CellColourTest, TheColourTable) {
  const std::pair<int, std::optional<ui::Colour>> cases[] = {
      {0, ui::Colour{255, 255, 255}},  {1, ui::Colour{217, 229, 180}},  {2, ui::Colour{180, 229, 198}},
      {3, ui::Colour{229, 213, 180}},  {4, ui::Colour{180, 223, 229}},  {5, ui::Colour{180, 184, 229}},
      {6, ui::Colour{229, 180, 180}},  {7, ui::Colour{229, 180, 208}},  {8, ui::Colour{140, 156, 138}},
      {9, ui::Colour{131, 125, 255}},  {10, ui::Colour{207, 206, 116}}, {15, ui::Colour{227, 208, 122}},
      {16, ui::Colour{255, 0, 0}},     {25, ui::Colour{255, 0, 0}},     {11, std::nullopt},
      {14, std::nullopt},              {26, std::nullopt},              {-1, std::nullopt},
  };
  for (const auto& [value, colour] : cases) EXPECT_EQ(CellColour(value), colour) << value;
}

using Cells = std::set<std::pair<int, int>>;  // (column, row)

class GridTest : public TermTest {
 protected:
  // Every body cell holding the value, and nothing else holding anything.
  void ExpectOnly(const Cells& cells, int value) {
    for (int column = 1; column <= 5; ++column) {
      for (int row = 1; row <= 14; ++row) {
        const bool inside = cells.count({column, row}) > 0;
        EXPECT_EQ(Cell(column, row), inside ? value : 0) << column << "," << row;
      }
    }
  }
};

TEST_F(GridTest, MeetingsCoverTheirHoursEndExcluded) {
  const std::pair<std::string, Cells> cases[] = {
      {"100", {{1, 1}, {1, 2}}},    // 08:30-10:29 is two rows, not three
      {"102", {{2, 14}}},           // starts 21:30: the last row only
      {"103", {{3, 13}, {3, 14}}},  // ends 22:29: reaches the last row
      {"201", {{5, 1}}},
  };
  for (const auto& [crn, cells] : cases) {
    SCOPED_TRACE(crn);
    Commit(1, "ELK", crn.front() == '2' ? "ELK 202" : "ELK 101", crn);
    ExpectOnly(cells, 1);
    for (const auto& [column, row] : cells) {
      EXPECT_EQ(Text(column, row), crn.front() == '2' ? "ELK 202" : "ELK 101");
      EXPECT_EQ(Colour(column, row), (ui::Colour{217, 229, 180}));
    }
  }
}

TEST_F(GridTest, PreviewOverAnEmptyGrid) {
  PickDepartment(1, "ELK");
  PickCourse(1, "ELK 101");
  PickSection(1, "100");
  ExpectOnly({{1, 1}, {1, 2}}, 15);
  EXPECT_EQ(Colour(1, 1), kPreviewColour);
  EXPECT_EQ(Text(1, 1), "");
  EXPECT_TRUE(Ekle(1));
}

TEST_F(GridTest, PreviewOverACommittedCellIsARedClash) {
  Commit(3, "ELK", "ELK 101", "100");
  PickDepartment(1, "ELK");
  PickCourse(1, "ELK 101");
  PickSection(1, "101");  // 09:30-11:29 on Monday
  EXPECT_EQ(Cell(1, 2), 18);
  EXPECT_EQ(Colour(1, 2), kRed);
  EXPECT_EQ(Colour(1, 3), kPreviewColour);
  EXPECT_EQ(Colour(1, 1), (ui::Colour{229, 213, 180}));
  EXPECT_FALSE(Ekle(1));

  planner.GeciciSil();
  EXPECT_EQ(Cell(1, 2), 3);
  EXPECT_EQ(Cell(1, 3), 0);
  EXPECT_EQ(Colour(1, 2), (ui::Colour{229, 213, 180}));
  EXPECT_EQ(Colour(1, 3), ui::kWhite);
  EXPECT_EQ(Text(1, 2), "ELK 101");
}

TEST_F(GridTest, PreviewOverTheRowsOwnSectionClashesToo) {
  Commit(1, "ELK", "ELK 101", "100");
  PickSection(1, "101");
  EXPECT_EQ(Cell(1, 2), 16);
  EXPECT_FALSE(Ekle(1));
}

TEST_F(GridTest, CommittingAPreviewTurnsItsCellsIntoTheRow) {
  Commit(2, "ELK", "ELK 101", "100");
  ExpectOnly({{1, 1}, {1, 2}}, 2);
  EXPECT_EQ(view.Shape(2).Fill(), (ui::Colour{180, 229, 198}));
  EXPECT_FALSE(Ekle(2));
}

TEST_F(GridTest, SectionsThatAreNeverPreviewed) {
  PickDepartment(1, "ELK");
  PickCourse(1, "ELK 101");
  PickSection(1, "104");  // its item ends with " Boş"
  ASSERT_TRUE(Sections(1).Text().ends_with(W(kBosSuffix)));
  ExpectOnly({}, 0);
  EXPECT_FALSE(Ekle(1));

  PickSection(1, "100");
  Sections(1).SetItemIndex(0);  // "Seçin"
  planner.SectionChosen(1);
  ExpectOnly({}, 0);
  EXPECT_FALSE(Ekle(1));
}

TEST_F(GridTest, YokIsNeverPreviewed) {
  view.Edit1().SetText("XYZ");
  PickDepartment(1, "ELK");
  PickCourse(1, "ELK 101");
  ASSERT_EQ(Sections(1).Text(), W(kYok));
  view.Kaydet(1).SetEnabled(true);
  planner.SectionChosen(1);
  ExpectOnly({}, 0);
  EXPECT_FALSE(Ekle(1));
}

TEST_F(GridTest, KaliciBoyaIgnoresARowWithoutCrn) {
  planner.Dersler[4].Gunler = {"1"};
  planner.Dersler[4].Saatler = {"08:09"};
  planner.Dersler[4].BlokSayisi = 1;
  planner.KaliciBoya(4);
  ExpectOnly({}, 0);
}

TEST_F(GridTest, PreviewLeavesOtherRowsButtonsAlone) {
  PickDepartment(2, "ELK");
  PickCourse(2, "ELK 101");
  PickSection(2, "100");
  ASSERT_TRUE(Ekle(2));
  Commit(3, "ELK", "ELK 202", "200");  // Monday 08:30, where row 2 previewed
  planner.Grid1SelectCell(4, 4);
  EXPECT_TRUE(Ekle(2));
  // Row 2's "Ekle" still commits its section, over row 3's cell.
  planner.KaydetClick(2);
  EXPECT_EQ(Cell(1, 1), 2);
  EXPECT_EQ(Text(1, 1), "ELK 101");
}

TEST_F(GridTest, RefreshLeavesValuesOutsideTheTableAlone) {
  planner.Hucreler[2][5] = 12;
  view.Grid1().SetCellColour(2, 5, ui::Colour{1, 2, 3});
  planner.Refresh();
  EXPECT_EQ(Colour(2, 5), (ui::Colour{1, 2, 3}));
}

TEST_F(GridTest, BoMeetingIsNotPainted) {
  Commit(1, "ELK", "ELK 303", "300");
  ExpectOnly({{1, 1}}, 1);
}

TEST_F(GridTest, BoMeetingInTheMiddleIsSkippedAndTheRestKeepTheirHours) {
  PickDepartment(1, "ELK");
  PickCourse(1, "ELK 303");
  PickSection(1, "301");
  ExpectOnly({{1, 1}, {5, 6}, {5, 7}}, 15);
  planner.KaydetClick(1);
  ExpectOnly({{1, 1}, {5, 6}, {5, 7}}, 1);
}

}  // namespace
}  // namespace kiremo::planner::testing
