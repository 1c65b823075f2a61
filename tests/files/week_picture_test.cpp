#include "files/week_picture.h"

#include <gtest/gtest.h>

#include "support/catalogue_fixture.h"
#include "support/temp_folder.h"
#include "text/cp1254.h"

namespace kiremo::files {
namespace {

class WeekPictureTest : public ::testing::Test {
 protected:
  WeekPictureTest() : store(folder.Path()), query1(store.ConnectionString()) {}

  planner::StoredRow& Commit(int k, const std::string& code, std::vector<std::array<std::string, 4>> meetings) {
    planner::StoredRow& row = plan.rows[k - 1].emplace();
    row.DersKodu = code;
    row.DersAdi = "Ders " + code;
    row.CRN = "1000" + std::to_string(k);
    row.Ogretmen = "Hoca " + std::to_string(k);
    for (const auto& [bina, gun, saat, derslik] : meetings) row.meetings.push_back({bina, gun, saat, derslik});
    row.BlokSayisi = static_cast<int>(meetings.size());
    return row;
  }

  testing_support::TempFolder folder;
  testing_support::CatalogueFixture store;
  catalogue::CatalogueQuery query1;
  planner::Planner planner{query1, folder.Path(), "http://forum.example/", "Plan"};
  planner::PlanSnapshot plan;
};

TEST_F(WeekPictureTest, CommittedCellsShowTheirCodeInTheRowColourAndTheLegendListsTheRows) {
  Commit(3, "ELK 221", {{"EEB", "3", "09:11", "D-1"}});
  Commit(1, "MAT 101", {{"MKB", "5", "21:22", "B"}});
  plan.cells[2][1] = plan.cells[2][2] = 3;
  plan.cells[4][13] = 1;
  const WeekPicture picture = PictureOf(plan);

  EXPECT_EQ(picture.texts[0][0], "Gün/Saat"_w);
  EXPECT_EQ(picture.texts[0][5], "Cuma");
  EXPECT_EQ(picture.texts[14][0], "21:30-22:29");
  EXPECT_EQ(picture.texts[2][3], "ELK 221");
  EXPECT_EQ(picture.texts[3][3], "ELK 221");
  EXPECT_EQ(picture.colours[2][3], 0xE5D5B4u);  // row 3's colour
  EXPECT_EQ(picture.texts[14][5], "MAT 101");
  EXPECT_EQ(picture.colours[14][5], 0xD9E5B4u);  // row 1's colour
  EXPECT_EQ(picture.texts[4][3], "");
  EXPECT_EQ(picture.colours[4][3], 0xFFFFFFu);

  ASSERT_EQ(picture.legend.size(), 2u);
  EXPECT_EQ(picture.legend[0].code, "MAT 101");
  EXPECT_EQ(picture.legend[0].colour, 0xD9E5B4u);
  EXPECT_EQ(picture.legend[1].code, "ELK 221");
  EXPECT_EQ(picture.legend[1].name, "Ders ELK 221");
  EXPECT_EQ(picture.legend[1].crn, "10003");
  EXPECT_EQ(picture.legend[1].teacher, "Hoca 3");
}

TEST_F(WeekPictureTest, AFileAndTheWindowAfterLoadingItGiveTheSamePicture) {
  // Stored cells that disagree with the records: loading paints the records
  // over them, and a preview mark is no part of a picture.
  Commit(2, "FIZ 101", {{"FEB", "1", "08:10", "A"}, {"FEB", "4", "13:14", "A"}});
  Commit(5, "KIM 101", {{"KMB", "1", "09:11", "K"}});
  plan.cells[1][5] = 2;       // Tuesday 13:30, held by no meeting
  plan.cells[3][0] = 15;      // a preview on Thursday 08:30
  plan.cells[0][0] = 5 + 15;  // a preview over a committed cell
  planner.Restore(plan, "plan.dkf");
  const WeekPicture from_file = PictureOf(plan);
  const WeekPicture from_window = PictureOf(planner);
  EXPECT_EQ(from_file.texts, from_window.texts);
  EXPECT_EQ(from_file.colours, from_window.colours);
  EXPECT_EQ(from_file.texts[2][1], "KIM 101");  // row 5 painted after row 2
  EXPECT_EQ(from_file.colours[1][4], 0xFFFFFFu);
  EXPECT_EQ(from_file.colours[1][1], 0xB4E5C6u);
  ASSERT_EQ(from_window.legend.size(), 2u);
  EXPECT_EQ(from_window.legend[1].code, "KIM 101");
}

TEST_F(WeekPictureTest, AnEmptyPlanHasOnlyTheHeadersAndNoLegend) {
  const WeekPicture picture = PictureOf(plan);
  EXPECT_TRUE(picture.legend.empty());
  for (int row = 1; row <= 14; ++row) {
    for (int column = 1; column <= 5; ++column) EXPECT_EQ(picture.texts[row][column], "");
  }
}

}  // namespace
}  // namespace kiremo::files
