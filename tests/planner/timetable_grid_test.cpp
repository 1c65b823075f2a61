#include <gtest/gtest.h>

#include <set>

#include "planner/markers.h"
#include "planner_test_support.h"

namespace kiremo::planner::testing {
namespace {

TEST(CellColourTest, TheColourTable) {
  const std::pair<int, std::optional<std::uint32_t>> cases[] = {
      {0, 0xFFFFFFu},  {1, 0xD9E5B4u},  {2, 0xB4E5C6u},     {3, 0xE5D5B4u},     {4, 0xB4DFE5u},     {5, 0xB4B8E5u},
      {6, 0xE5B4B4u},  {7, 0xE5B4D0u},  {8, 0x8C9C8Au},     {9, 0x837DFFu},     {10, 0xCFCE74u},    {15, 0xE3D07Au},
      {16, 0xFF0000u}, {25, 0xFF0000u}, {11, std::nullopt}, {14, std::nullopt}, {26, std::nullopt}, {-1, std::nullopt},
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
      EXPECT_EQ(Colour(column, row), 0xD9E5B4u);
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
  EXPECT_EQ(Colour(1, 1), 0xE5D5B4u);
  EXPECT_FALSE(Ekle(1));

  planner.GeciciSil();
  EXPECT_EQ(Cell(1, 2), 3);
  EXPECT_EQ(Cell(1, 3), 0);
  EXPECT_EQ(Colour(1, 2), 0xE5D5B4u);
  EXPECT_EQ(Colour(1, 3), kWhite);
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
  EXPECT_EQ(Swatch(2), 0xB4E5C6u);
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
  planner.SelectSection(1, 0);  // "Seçin"
  planner.SectionChosen(1);
  ExpectOnly({}, 0);
  EXPECT_FALSE(Ekle(1));
}

TEST_F(GridTest, YokIsNeverPreviewed) {
  filter.code = "XYZ";
  PickDepartment(1, "ELK");
  PickCourse(1, "ELK 101");
  ASSERT_EQ(Sections(1).Text(), W(kYok));
  planner.SectionChosen(1);
  ExpectOnly({}, 0);
  EXPECT_FALSE(Ekle(1));
}

TEST_F(GridTest, KaliciBoyaIgnoresARowWithoutCrn) {
  // A plan may hold a record with meetings but an empty CRN.
  PlanSnapshot plan;
  plan.rows[3] = StoredRow{"ELK 101", "Devre", "", "Ali", 1, {{"EEB", "1", "08:09", "D1"}}};
  planner.Restore(plan, "x.dkf");
  ASSERT_EQ(planner.Ders(4).Gunler, std::vector<std::string>{"1"});
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
}

// A button enabled by an earlier preview must not commit a clash: "Ekle"
// tests the grid as it is now, shows the clash in red as choosing the
// section does, and commits nothing.
TEST_F(GridTest, StaleEkleShowsTheClashInsteadOfCommitting) {
  PickDepartment(2, "ELK");
  PickCourse(2, "ELK 101");
  PickSection(2, "100");               // Monday 08:30-10:29
  Commit(3, "ELK", "ELK 202", "200");  // Monday 08:30
  ASSERT_TRUE(Ekle(2));
  planner.KaydetClick(2);
  EXPECT_EQ(planner.Ders(2).CRN, "");
  EXPECT_EQ(Cell(1, 1), 18);
  EXPECT_EQ(Cell(1, 2), 15);
  EXPECT_EQ(Colour(1, 1), kRed);
  EXPECT_EQ(Text(1, 1), "ELK 202");
  EXPECT_FALSE(Ekle(2));
  EXPECT_EQ(planner.StatusText(), W(kCommitClash));
  for (const std::string& item : SectionItems(2)) EXPECT_FALSE(item.ends_with(W(kKaydedildi)));
  EXPECT_EQ(Swatch(2), kWhite);

  // Once the clashing course is gone the same button commits.
  planner.RemoveRow(3);
  PickSection(2, "100");
  planner.KaydetClick(2);
  EXPECT_EQ(planner.Ders(2).CRN, "100");
  EXPECT_EQ(Cell(1, 1), 2);
}

// The row's own committed section is replaced by the commit, so covering
// its cells is no clash (choosing the section previews them red all the same).
TEST_F(GridTest, EkleReplacesTheRowsOwnOverlappingSection) {
  Commit(1, "ELK", "ELK 101", "100");  // Monday 08:30-10:29
  PickSection(1, "101");               // Monday 09:30-11:29
  EXPECT_FALSE(Ekle(1));
  planner.KaydetClick(1);
  EXPECT_EQ(planner.Ders(1).CRN, "101");
  EXPECT_EQ(Cell(1, 1), 0);
  EXPECT_EQ(Cell(1, 2), 1);
  EXPECT_EQ(Cell(1, 3), 1);
}

TEST_F(GridTest, RefreshLeavesValuesOutsideTheTableAlone) {
  PlanSnapshot plan;
  plan.cells[1][4] = 12;
  planner.Restore(plan, "x.dkf");
  ASSERT_EQ(Cell(2, 5), 12);
  window.colours[2][5] = 0x010203u;
  planner.Refresh();
  EXPECT_EQ(Colour(2, 5), 0x010203u);
}

TEST(GridHeaderTest, HeaderTexts) {
  EXPECT_EQ(GridHeaderText(0, 0), W("Gün/Saat"_w));
  EXPECT_EQ(GridHeaderText(3, 0), W("Çarşamba"_w));
  EXPECT_EQ(GridHeaderText(5, 0), "Cuma");
  EXPECT_EQ(GridHeaderText(0, 1), "08:30-09:29");
  EXPECT_EQ(GridHeaderText(0, 14), "21:30-22:29");
  EXPECT_EQ(GridHeaderText(1, 1), "");
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
