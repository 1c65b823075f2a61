#include "files/sheet_export.h"

#include <gtest/gtest.h>

#include "text/cp1254.h"
#include "text/errors.h"
#include "view/memory_view.h"

namespace kiremo::files {
namespace {

class SheetExportTest : public ::testing::Test {
 protected:
  // Commits a course into row k: its meetings, its cells and their texts, as
  // painting leaves them.
  void Commit(int k, const std::string& code, std::vector<std::array<std::string, 4>> meetings) {
    planner::TDers& ders = dersler[k];
    ders.DersKodu = code;
    ders.CRN = "1000" + std::to_string(k);
    for (const auto& [bina, gun, saat, derslik] : meetings) {
      ders.Binalar.push_back(bina);
      ders.Gunler.push_back(gun);
      ders.Saatler.push_back(saat);
      ders.Derslikler.push_back(derslik);
      const int day = std::stoi(gun);
      for (int hour = std::stoi(saat.substr(0, 2)); hour < std::stoi(saat.substr(3, 2)); ++hour) {
        hucreler[day][hour - 7] = k;
        grid.SetCellText(day, hour - 7, code);
      }
    }
    ders.BlokSayisi = static_cast<int>(meetings.size());
  }

  ui::MemoryGrid grid;
  planner::CellStates hucreler{};
  std::array<planner::TDers, 11> dersler;
};

TEST_F(SheetExportTest, EmptyPlanHasOnlyTheHeadings) {
  const SheetCells cells = ExportSheet(grid, hucreler, dersler);
  EXPECT_EQ(cells[0][0], "Gün/Saat"_w);
  EXPECT_EQ(cells[0][3], "Çarşamba"_w);
  for (int row = 1; row < 15; ++row) EXPECT_EQ(cells[row][0], grid.CellText(0, row));
  EXPECT_EQ(cells[1][0].substr(0, 6), "08:30-");
  for (int row = 1; row < 15; ++row) {
    for (int column = 1; column < 6; ++column) EXPECT_EQ(cells[row][column], "") << row << "," << column;
  }
}

TEST_F(SheetExportTest, EachHourShowsTheBuildingAndRoomOfItsOwnMeeting) {
  // Two meetings on Wednesday: 09:30-11:29 in EEB D-1, 13:30-14:29 in MKB Z-2.
  Commit(3, "ELK 221", {{"EEB", "3", "09:11", "D-1"}, {"MKB", "3", "13:14", "Z-2"}});
  const SheetCells cells = ExportSheet(grid, hucreler, dersler);
  EXPECT_EQ(cells[2][3], "ELK 221\nEEB\nD-1");
  EXPECT_EQ(cells[3][3], "ELK 221\nEEB\nD-1");
  EXPECT_EQ(cells[4][3], "");
  EXPECT_EQ(cells[6][3], "ELK 221\nMKB\nZ-2");
  EXPECT_EQ(cells[2][2], "");
}

TEST_F(SheetExportTest, PreviewMarksCountOnlyOverACommittedCourse) {
  Commit(7, "FIZ 101", {{"FEB", "1", "08:09", "A"}});
  hucreler[1][1] += 15;  // a preview over row 7's cell
  hucreler[2][1] = 15;   // a preview over an empty cell
  const SheetCells cells = ExportSheet(grid, hucreler, dersler);
  EXPECT_EQ(cells[1][1], "FIZ 101\nFEB\nA");
  EXPECT_EQ(cells[1][2], "");
}

TEST_F(SheetExportTest, StatesThatNameNoRowStayEmpty) {
  Commit(1, "MAT 101", {{"MKB", "5", "08:09", "B"}});
  hucreler[5][1] = 12;
  hucreler[4][1] = 40;
  hucreler[3][1] = -3;
  const SheetCells cells = ExportSheet(grid, hucreler, dersler);
  EXPECT_EQ(cells[1][5], "");
  EXPECT_EQ(cells[1][4], "");
  EXPECT_EQ(cells[1][3], "");
}

TEST_F(SheetExportTest, UnpaintedMeetingsAndShortRecordsAreSkipped) {
  Commit(2, "KIM 101", {{"KMB", "2", "10:11", "K1"}});
  // A last meeting without a day ("BO"): building, hours and room but no day.
  dersler[2].Binalar.push_back("---");
  dersler[2].Saatler.push_back("10:11");
  dersler[2].Derslikler.push_back("---");
  dersler[2].BlokSayisi = 2;
  const SheetCells cells = ExportSheet(grid, hucreler, dersler);
  EXPECT_EQ(cells[3][2], "KIM 101\nKMB\nK1");
}

TEST_F(SheetExportTest, HoursThatAreNotNumbersAreAnError) {
  Commit(4, "BIO 101", {{"BB", "4", "08:09", "R"}});
  dersler[4].Saatler[0] = "xx:09";
  EXPECT_THROW(ExportSheet(grid, hucreler, dersler), ConversionError);
}

}  // namespace
}  // namespace kiremo::files
