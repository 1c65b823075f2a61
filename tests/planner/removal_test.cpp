#include <gtest/gtest.h>

#include "text/errors.h"
#include "planner/markers.h"
#include "planner_test_support.h"

namespace kiremo::planner::testing {
namespace {

class RemovalTest : public TermTest {};

TEST_F(RemovalTest, NothingHappensWithoutACommittedCell) {
  Commit(3, "ELK", "ELK 101", "100");
  planner.btnCikarClick();  // no cell selected yet: row 0, column 0
  EXPECT_EQ(planner.Dersler[3].CRN, "100");
  planner.Grid1SelectCell(4, 9);  // an empty cell
  planner.btnCikarClick();
  EXPECT_EQ(planner.Dersler[3].CRN, "100");
  PickDepartment(1, "ELK");
  PickCourse(1, "ELK 202");
  PickSection(1, "201");
  planner.DersCikar(1, 5, 0);  // only previewed
  EXPECT_EQ(Cell(5, 1), 15);
  EXPECT_EQ(planner.Dersler[3].CRN, "100");
}

TEST_F(RemovalTest, RedCellRemovesTheCommittedCourseUnderIt) {
  Commit(3, "ELK", "ELK 101", "100");
  PickDepartment(1, "ELK");
  PickCourse(1, "ELK 101");
  PickSection(1, "101");
  ASSERT_EQ(Cell(1, 2), 18);
  planner.DersCikar(2, 1, 0);
  EXPECT_EQ(planner.Dersler[3].CRN, "");
  EXPECT_EQ(Cell(1, 1), 0);
  EXPECT_EQ(Cell(1, 2), 15);  // the preview stays
  EXPECT_EQ(Text(1, 2), "");
  EXPECT_EQ(Colour(1, 2), kPreviewColour);
}

TEST_F(RemovalTest, SelectingARedCellAndPressingTheButtonRemovesTheCourse) {
  Commit(3, "ELK", "ELK 101", "100");
  PickDepartment(1, "ELK");
  PickCourse(1, "ELK 101");
  PickSection(1, "101");
  ASSERT_EQ(Colour(1, 2), kRed);
  planner.Grid1SelectCell(1, 2);
  planner.btnCikarClick();
  EXPECT_EQ(planner.Dersler[3].CRN, "");
  EXPECT_EQ(Cell(1, 2), 0);
  EXPECT_EQ(Colour(1, 2), ui::kWhite);
}

TEST_F(RemovalTest, SelectingAndRemovingEmptiesTheRow) {
  Commit(3, "ELK", "ELK 101", "100");
  view.Kaydet(3).SetEnabled(true);
  planner.Grid1SelectCell(1, 2);
  planner.btnCikarClick();
  const TDers& ders = planner.Dersler[3];
  EXPECT_EQ(ders.CRN, "");
  EXPECT_TRUE(ders.Binalar.empty() && ders.Gunler.empty() && ders.Saatler.empty() && ders.Derslikler.empty());
  EXPECT_EQ(ders.DersKodu, "ELK 101");  // left as it was; nobody reads it now
  EXPECT_EQ(Cell(1, 1), 0);
  EXPECT_EQ(Cell(1, 2), 0);
  EXPECT_EQ(Text(1, 1), "");
  EXPECT_EQ(Colour(1, 1), ui::kWhite);
  EXPECT_EQ(view.Shape(3).Fill(), ui::kWhite);
  EXPECT_EQ(Sections(3).Count(), 6);
  for (const std::string& item : Sections(3).Items()) EXPECT_FALSE(item.ends_with(W(kKaydedildi)));
  EXPECT_TRUE(Ekle(3));  // removal does not touch the button
}

TEST_F(RemovalTest, DamagedRecordIsStillRemoved) {
  // A plan file can carry entries that are no numbers; painting reports
  // them, but the row must still be removable so that a reset works.
  TDers& ders = planner.Dersler[2];
  ders.CRN = "55555";
  ders.Gunler = {"x", "1"};
  ders.Saatler = {"08:09", "09:10"};
  ders.BlokSayisi = 2;
  planner.Hucreler[1][2] = 2;
  EXPECT_THROW(planner.KaliciBoya(2), ConversionError);
  planner.DersCikar(400, 400, 2);
  EXPECT_EQ(ders.CRN, "");
  EXPECT_EQ(Cell(1, 2), 0);
  ders.CRN = "55555";
  ders.Gunler = {"x"};
  ders.Saatler = {"08:09"};
  EXPECT_NO_THROW(planner.Sifirla());
  EXPECT_EQ(ders.CRN, "");
}

}  // namespace
}  // namespace kiremo::planner::testing
