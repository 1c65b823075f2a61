#include <gtest/gtest.h>

#include "planner/markers.h"
#include "planner_test_support.h"
#include "text/errors.h"

namespace kiremo::planner::testing {
namespace {

class RemovalTest : public TermTest {};

TEST_F(RemovalTest, NothingHappensWithoutACommittedCell) {
  Commit(3, "ELK", "ELK 101", "100");
  planner.btnCikarClick();  // no cell selected yet: row 0, column 0
  EXPECT_EQ(planner.Ders(3).CRN, "100");
  planner.Grid1SelectCell(4, 9);  // an empty cell
  planner.btnCikarClick();
  EXPECT_EQ(planner.Ders(3).CRN, "100");
  PickDepartment(1, "ELK");
  PickCourse(1, "ELK 202");
  PickSection(1, "201");
  planner.DersCikar(1, 5, 0);  // only previewed
  EXPECT_EQ(Cell(5, 1), 15);
  EXPECT_EQ(planner.Ders(3).CRN, "100");
}

TEST_F(RemovalTest, RedCellRemovesTheCommittedCourseUnderIt) {
  Commit(3, "ELK", "ELK 101", "100");
  PickDepartment(1, "ELK");
  PickCourse(1, "ELK 101");
  PickSection(1, "101");
  ASSERT_EQ(Cell(1, 2), 18);
  planner.DersCikar(2, 1, 0);
  EXPECT_EQ(planner.Ders(3).CRN, "");
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
  EXPECT_EQ(planner.Ders(3).CRN, "");
  EXPECT_EQ(Cell(1, 2), 0);
  EXPECT_EQ(Colour(1, 2), kWhite);
}

TEST_F(RemovalTest, SelectingAndRemovingEmptiesTheRow) {
  Commit(3, "ELK", "ELK 101", "100");
  PickSection(3, "102");  // a preview that fits enables "Ekle"
  ASSERT_TRUE(Ekle(3));
  planner.Grid1SelectCell(1, 2);
  planner.btnCikarClick();
  const TDers& ders = planner.Ders(3);
  EXPECT_EQ(ders.CRN, "");
  EXPECT_TRUE(ders.Binalar.empty() && ders.Gunler.empty() && ders.Saatler.empty() && ders.Derslikler.empty());
  EXPECT_EQ(ders.DersKodu, "ELK 101");  // left as it was; nobody reads it now
  EXPECT_EQ(Cell(1, 1), 0);
  EXPECT_EQ(Cell(1, 2), 0);
  EXPECT_EQ(Text(1, 1), "");
  EXPECT_EQ(Colour(1, 1), kWhite);
  EXPECT_EQ(Swatch(3), kWhite);
  EXPECT_EQ(Sections(3).Count(), 6);
  for (const std::string& item : SectionItems(3)) EXPECT_FALSE(item.ends_with(W(kKaydedildi)));
  EXPECT_TRUE(Ekle(3));  // removal does not touch the button
}

TEST_F(RemovalTest, DamagedRecordIsStillRemoved) {
  // A plan can carry entries that are no numbers (files refuse them, but a
  // restore takes what it is given); painting reports them, but the row
  // must still be removable so that a reset works.
  PlanSnapshot plan;
  plan.rows[1] = StoredRow{"ELK 101", "Devre", "55555", "Ali", 2, {{"A", "x", "08:09", "1"}, {"B", "1", "09:10", "2"}}};
  plan.cells[0][1] = 2;
  EXPECT_THROW(planner.Restore(plan, "x.dkf"), ConversionError);
  ASSERT_EQ(planner.Ders(2).CRN, "55555");
  planner.RemoveRow(2);
  EXPECT_EQ(planner.Ders(2).CRN, "");
  EXPECT_EQ(Cell(1, 2), 0);
  EXPECT_THROW(planner.Restore(plan, "x.dkf"), ConversionError);
  EXPECT_NO_THROW(planner.Sifirla());
  EXPECT_EQ(planner.Ders(2).CRN, "");
}

}  // namespace
}  // namespace kiremo::planner::testing
