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

// An older plan file may hold two rows on one cell; the grid shows the
// later row there. Removing either one leaves the other's cells whole.
TEST_F(RemovalTest, OverlappingRowsOfAnOldPlanKeepTheirCells) {
  PlanSnapshot plan;
  plan.rows[0] = StoredRow{"ELK 101", "Devre", "100", "Ali", 1, {{"EEB", "1", "08:10", "D1"}}};  // Monday 08:30-10:29
  plan.rows[1] = StoredRow{"MAT 103", "Mat", "200", "Can", 1, {{"FEB", "1", "09:11", "D2"}}};    // Monday 09:30-11:29
  for (const auto& [first, second] : {std::pair{1, 2}, std::pair{2, 1}}) {
    SCOPED_TRACE(first);
    planner.Restore(plan, "eski.dkf");
    ASSERT_EQ(Cell(1, 2), 2);
    planner.RemoveRow(first);
    const TDers& kept = planner.Ders(second);
    for (int slot = 1; slot <= 4; ++slot) {
      const int hour = HourOfSlot(slot);
      const bool covered =
          hour >= std::stoi(kept.Saatler[0].substr(0, 2)) && hour < std::stoi(kept.Saatler[0].substr(3));
      EXPECT_EQ(Cell(1, slot), covered ? second : 0) << slot;
      EXPECT_EQ(Text(1, slot), covered ? kept.DersKodu : "") << slot;
    }
  }
}

TEST_F(RemovalTest, RemovedCoursesDetailsLeaveTheStatusLine) {
  Commit(3, "ELK", "ELK 101", "100");
  Commit(4, "ELK", "ELK 202", "201");
  planner.Grid1SelectCell(5, 1);  // row 4's Friday meeting
  ASSERT_FALSE(planner.StatusText().empty());
  planner.RemoveRow(3);
  EXPECT_FALSE(planner.StatusText().empty()) << "another course's details stay";
  planner.btnCikarClick();
  EXPECT_EQ(planner.StatusText(), "");
}

}  // namespace
}  // namespace kiremo::planner::testing
