#include "files/sheet_export.h"

#include <gtest/gtest.h>

#include "support/catalogue_fixture.h"
#include "support/temp_folder.h"
#include "text/cp1254.h"
#include "text/errors.h"

namespace kiremo::files {
namespace {

class SheetExportTest : public ::testing::Test {
 protected:
  SheetExportTest() : store(folder.Path()), query1(store.ConnectionString()) {}

  // Commits a course into row k: its meetings, its cells and their texts, as
  // painting leaves them once the plan is restored.
  void Commit(int k, const std::string& code, std::vector<std::array<std::string, 4>> meetings) {
    planner::StoredRow& row = plan.rows[k - 1].emplace();
    row.DersKodu = code;
    row.CRN = "1000" + std::to_string(k);
    for (const auto& [bina, gun, saat, derslik] : meetings) row.meetings.push_back({bina, gun, saat, derslik});
    row.BlokSayisi = static_cast<int>(meetings.size());
  }
  SheetCells Export() {
    planner.Restore(plan, "plan.dkf");
    return ExportSheet(planner);
  }

  testing_support::TempFolder folder;
  testing_support::CatalogueFixture store;
  catalogue::CatalogueQuery query1;
  planner::Planner planner{query1, folder.Path(), "http://forum.example/", "Plan"};
  planner::PlanSnapshot plan;
};

TEST_F(SheetExportTest, EmptyPlanHasOnlyTheHeadings) {
  const SheetCells cells = Export();
  EXPECT_EQ(cells[0][0], "Gün/Saat"_w);
  EXPECT_EQ(cells[0][3], "Çarşamba"_w);
  for (int row = 1; row < 15; ++row) EXPECT_EQ(cells[row][0], planner::GridHeaderText(0, row));
  EXPECT_EQ(cells[1][0].substr(0, 6), "08:30-");
  for (int row = 1; row < 15; ++row) {
    for (int column = 1; column < 6; ++column) EXPECT_EQ(cells[row][column], "") << row << "," << column;
  }
}

TEST_F(SheetExportTest, EachHourShowsTheBuildingAndRoomOfItsOwnMeeting) {
  // Two meetings on Wednesday: 09:30-11:29 in EEB D-1, 13:30-14:29 in MKB Z-2.
  Commit(3, "ELK 221", {{"EEB", "3", "09:11", "D-1"}, {"MKB", "3", "13:14", "Z-2"}});
  const SheetCells cells = Export();
  EXPECT_EQ(cells[2][3], "ELK 221\nEEB\nD-1");
  EXPECT_EQ(cells[3][3], "ELK 221\nEEB\nD-1");
  EXPECT_EQ(cells[4][3], "");
  EXPECT_EQ(cells[6][3], "ELK 221\nMKB\nZ-2");
  EXPECT_EQ(cells[2][2], "");
}

TEST_F(SheetExportTest, PreviewMarksCountOnlyOverACommittedCourse) {
  Commit(7, "FIZ 101", {{"FEB", "1", "08:09", "A"}});
  plan.cells[0][0] = 7 + 15;  // a preview over row 7's cell
  plan.cells[1][0] = 15;      // a preview over an empty cell
  const SheetCells cells = Export();
  EXPECT_EQ(cells[1][1], "FIZ 101\nFEB\nA");
  EXPECT_EQ(cells[1][2], "");
}

TEST_F(SheetExportTest, StatesThatNameNoRowStayEmpty) {
  Commit(1, "MAT 101", {{"MKB", "5", "08:09", "B"}});
  plan.cells[4][1] = 12;
  plan.cells[3][1] = 40;
  plan.cells[2][1] = -3;
  const SheetCells cells = Export();
  EXPECT_EQ(cells[1][5], "MAT 101\nMKB\nB");
  EXPECT_EQ(cells[2][5], "");
  EXPECT_EQ(cells[2][4], "");
  EXPECT_EQ(cells[2][3], "");
}

TEST_F(SheetExportTest, UnpaintedMeetingsAndShortRecordsAreSkipped) {
  Commit(2, "KIM 101", {{"KMB", "2", "10:11", "K1"}});
  // A record that counts more meetings than it holds.
  plan.rows[1]->BlokSayisi = 2;
  const SheetCells cells = Export();
  EXPECT_EQ(cells[3][2], "KIM 101\nKMB\nK1");
}

TEST_F(SheetExportTest, HoursThatAreNotNumbersAreAnError) {
  // A record whose hours are no numbers, left unpainted (it has no CRN) on
  // a cell that names its row.
  Commit(4, "BIO 101", {{"BB", "4", "xx:09", "R"}});
  plan.rows[3]->CRN.clear();
  plan.cells[3][0] = 4;
  EXPECT_THROW(Export(), ConversionError);
}

}  // namespace
}  // namespace kiremo::files
