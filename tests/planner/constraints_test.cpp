#include <gtest/gtest.h>

#include "planner/cell_runs.h"
#include "planner/markers.h"
#include "planner_test_support.h"

namespace kiremo::planner::testing {
namespace {

using ConstraintsTest = TermTest;

TEST_F(ConstraintsTest, APreviewOverABusyHourBlocksEkleAndSaysWhich) {
  planner.SetBusy(1, 2, true);  // Monday 09:30-10:29
  PickDepartment(1, "ELK");
  PickCourse(1, "ELK 101");
  PickSection(1, "100");  // Monday 08:30-10:29
  EXPECT_FALSE(Ekle(1));
  EXPECT_EQ(planner.StatusText(), W(kOnBusyHours) + W("Pazartesi 09:30–10:29."_w));

  planner.KaydetClick(1);  // a stale "Ekle" is refused too
  EXPECT_EQ(planner.Ders(1).CRN, "");
  EXPECT_EQ(Cell(1, 1), kPreview);

  PickSection(1, "102");  // Tuesday evening: free
  EXPECT_TRUE(Ekle(1));
  EXPECT_EQ(planner.StatusText(), "") << "the note went with its preview";
  planner.KaydetClick(1);
  EXPECT_EQ(planner.Ders(1).CRN, "102");
}

TEST_F(ConstraintsTest, ClearingTheBusyHourLetsTheSameSectionIn) {
  planner.SetBusy(1, 1, true);
  planner.SetBusy(1, 1, false);
  Commit(1, "ELK", "ELK 101", "100");
  EXPECT_EQ(planner.Ders(1).CRN, "100");
  EXPECT_TRUE(planner.StudentConstraints().Empty());
}

TEST_F(ConstraintsTest, LockAndExclusionNeverHoldTheSameSection) {
  planner.Lock(2, "100");
  planner.Lock(3, "100");
  planner.Exclude("100");
  EXPECT_EQ(planner.StudentConstraints().locked[1], "");
  EXPECT_EQ(planner.StudentConstraints().locked[2], "");
  EXPECT_TRUE(planner.StudentConstraints().excluded.contains("100"));

  planner.Lock(2, "100");
  EXPECT_EQ(planner.StudentConstraints().locked[1], "100");
  EXPECT_FALSE(planner.StudentConstraints().excluded.contains("100"));
}

TEST_F(ConstraintsTest, ALockGoesWithItsCourseButStaysThroughRemovalOfTheSection) {
  Commit(1, "ELK", "ELK 101", "100");
  planner.Lock(1, "100");
  planner.RemoveRow(1);  // applying an alternative empties the rows first
  EXPECT_EQ(planner.StudentConstraints().locked[0], "100");

  PickCourse(1, "ELK 101");  // the same course again keeps it
  EXPECT_EQ(planner.StudentConstraints().locked[0], "100");
  planner.EmptyCourseAndSectionLists(1);  // as the quick update does before refilling
  PickDepartment(1, "ELK");
  PickCourse(1, "ELK 101");
  EXPECT_EQ(planner.StudentConstraints().locked[0], "100");
  PickCourse(1, "ELK 202");
  EXPECT_EQ(planner.StudentConstraints().locked[0], "");

  planner.Lock(1, "200");
  PickDepartment(1, "ELK");  // same department: nothing to drop
  EXPECT_EQ(planner.StudentConstraints().locked[0], "200");
  planner.SelectDepartment(1, 0);  // "Seçin"
  EXPECT_EQ(planner.StudentConstraints().locked[0], "");
}

// A lock names the section the row must take: committing another one there
// by hand means the student chose otherwise, so the lock goes, and says so.
TEST_F(ConstraintsTest, CommittingAnotherSectionInALockedRowReleasesTheLock) {
  Commit(1, "ELK", "ELK 101", "100");
  planner.Lock(1, "100");
  PickSection(1, "100");
  planner.KaydetClick(1);  // the locked section again: kept
  EXPECT_EQ(planner.StudentConstraints().locked[0], "100");

  PickSection(1, "102");
  planner.KaydetClick(1);
  EXPECT_EQ(planner.Ders(1).CRN, "102");
  EXPECT_EQ(planner.StudentConstraints().locked[0], "");
  EXPECT_EQ(planner.StatusText(), LockReleasedText("ELK 101", "100", "102"));
  EXPECT_EQ(planner.StatusText(),
            W("ELK 101 dersine sabitlediğin 100 şubesinin yerine 102 eklendi; sabitleme kaldırıldı."_w));

  // A lock made on a section not yet committed goes the same way.
  planner.Lock(1, "103");
  PickSection(1, "101");
  planner.KaydetClick(1);
  EXPECT_EQ(planner.Ders(1).CRN, "101");
  EXPECT_EQ(planner.StudentConstraints().locked[0], "");
}

TEST_F(ConstraintsTest, TheyTravelWithTheSnapshotAndTheResetClearsThem) {
  Commit(1, "ELK", "ELK 101", "102");
  planner.Lock(1, "102");
  planner.Exclude("101");
  planner.SetBusy(5, 14, true);
  const PlanSnapshot saved = planner.Snapshot();
  EXPECT_EQ(saved.constraints, planner.StudentConstraints());

  planner.Sifirla();
  EXPECT_TRUE(planner.StudentConstraints().Empty());

  planner.Restore(saved, "plan.dkf");
  EXPECT_EQ(planner.StudentConstraints(), saved.constraints);
  EXPECT_EQ(planner.Ders(1).CRN, "102");
  EXPECT_EQ(planner.Snapshot(), saved);
}

TEST(CellRunsText, JoinsConsecutiveHoursOfADay) {
  EXPECT_EQ(CellRunsText({}), "");
  EXPECT_EQ(CellRunsText({{2, 5}}), W("Salı 12:30–13:29"_w));
  EXPECT_EQ(CellRunsText({{1, 5}, {1, 6}, {1, 8}, {3, 14}}),
            W("Pazartesi 12:30–14:29, Pazartesi 15:30–16:29 ve Çarşamba 21:30–22:29"_w));
}

}  // namespace
}  // namespace kiremo::planner::testing
