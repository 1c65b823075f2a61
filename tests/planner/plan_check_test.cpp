#include "planner/plan_check.h"

#include <gtest/gtest.h>

#include <set>

#include "planner/markers.h"
#include "planner_test_support.h"
#include "text/errors.h"

namespace kiremo::planner::testing {
namespace {

using catalogue::SectionValues;

SectionValues Of(std::string crn, std::string code, std::string teacher, std::string day, std::string hours,
                 std::string room) {
  return Section(std::move(crn), std::move(code), std::move(teacher), std::move(day), std::move(hours), "EEB",
                 std::move(room), "ELK", "Ders");
}

// The first term, committed row by row in this order, and the second, where
// one section moves onto another's hours, one changes its room, one its
// teacher, one closes and one CRN goes to another course.
std::vector<SectionValues> FirstTerm() {
  return {Of("21554", "ELK 102E", "Ali Veli", "Sali", "1430/1629", "D201"),
          Of("21600", "ELK 201", "Can Er", "Pazartesi", "0830/1029", "D101"),
          Of("21700", "ELK 301", "Ece Ay", "Cuma", "0830/0929", "D102"),
          Of("22182", "ELK 401", "Deniz Su", "Cuma", "1330/1429", "D103"),
          Of("22300", "ELK 501", "Ece Ay", W("Perşembe"_w), "0830/0929", "D104"),
          Of("22400", "ELK 601", "Can Er", W("Çarşamba"_w), "1030/1229", "D105")};
}

std::vector<SectionValues> SecondTerm() {
  return {Of("21554", "ELK 102E", "Ali Veli", W("Çarşamba"_w), "1030/1229", "D201"),
          Of("21600", "ELK 201", "Can Er", "Pazartesi", "0830/1029", "D305"),
          Of("21700", "ELK 301", W("Gül Şen"_w), "Cuma", "0830/0929", "D102"),
          Of("22300", "ELK 502", "Ece Ay", W("Perşembe"_w), "0830/0929", "D104"),
          Of("22400", "ELK 601", "Can Er", W("Çarşamba"_w), "1030/1229", "D105")};
}

class PlanCheckTest : public PlannerTest {
 protected:
  void SetUp() override {
    filter.on = false;
    store.Department("ELK", FirstTerm());
    Start();
    int row = 0;
    for (const SectionValues& section : FirstTerm()) Commit(++row, "ELK", section.ders_kodu, section.crn);
    plan = planner.Snapshot();
    store.Refill("ELK", SecondTerm());
  }

  PlanSnapshot plan;
};

TEST_F(PlanCheckTest, ReportsExactlyWhatTheSecondTermChanged) {
  const PlanCheck check = CheckPlan(plan, query1.Db());
  struct Expected {
    int row;
    std::string course;
    CheckStatus status;
    std::vector<FieldChange> changes;
    std::string now_course;
  };
  const std::vector<Expected> expected = {
      {1,
       "ELK 102E",
       CheckStatus::Changed,
       {{"gun", 1, W("Salı"_w), W("Çarşamba"_w), W("Çarşamba"_w)},
        {"saat", 1, "14:30-16:29", "10:30-12:29", W("Çarşamba"_w)}},
       ""},
      {2, "ELK 201", CheckStatus::Changed, {{"derslik", 1, "D101", "D305", "Pazartesi"}}, ""},
      {3, "ELK 301", CheckStatus::Changed, {{"ogretmen", 0, "Ece Ay", W("Gül Şen"_w)}}, ""},
      {4, "ELK 401", CheckStatus::Vanished, {}, ""},
      {5, "ELK 501", CheckStatus::Vanished, {}, "ELK 502"},
      {6, "ELK 601", CheckStatus::Unchanged, {}, ""},
  };
  ASSERT_EQ(check.courses.size(), expected.size());
  for (std::size_t k = 0; k < expected.size(); ++k) {
    SCOPED_TRACE(expected[k].course);
    EXPECT_EQ(check.courses[k].row, expected[k].row);
    EXPECT_EQ(check.courses[k].course, expected[k].course);
    EXPECT_EQ(check.courses[k].status, expected[k].status);
    EXPECT_EQ(check.courses[k].changes, expected[k].changes);
    EXPECT_EQ(check.courses[k].now_course, expected[k].now_course);
  }
  // The moved section lands on the unchanged one's hours.
  EXPECT_EQ(check.clashes, (std::vector<std::pair<int, int>>{{1, 6}}));
  EXPECT_TRUE(check.AnythingChanged());
}

TEST_F(PlanCheckTest, TellsTheStudentInPlainTurkish) {
  EXPECT_EQ(CheckText(CheckPlan(plan, query1.Db())),
            W("ELK 102E (21554): Salı 14:30-16:29 -> Çarşamba 10:30-12:29\n"
              "ELK 201 (21600): derslik D101 -> D305\n"
              "ELK 301 (21700): öğretmen Ece Ay -> Gül Şen\n"
              "ELK 401 (22182) artık açılmıyor\n"
              "ELK 501 (22300) artık açılmıyor (bu CRN şimdi ELK 502 dersinin)\n"
              "ELK 102E ile ELK 601 yeni bilgilerle aynı saatlere düşüyor"_w));
}

// A meeting that is gone, or new, is told as "yok" on its missing side.
TEST_F(PlanCheckTest, AMeetingThatIsGoneOrNewIsToldAsYok) {
  store.Refill("ELK", FirstTerm());
  PlanSnapshot two_meetings = plan;
  two_meetings.rows[0]->meetings.push_back({"EEB", "3", "10:12", "D201"});
  EXPECT_EQ(CheckText(CheckPlan(two_meetings, query1.Db())),
            W("ELK 102E (21554): Çarşamba 10:30-12:29 -> yok; bina EEB -> yok; derslik D201 -> yok"_w));
  PlanSnapshot no_meeting = plan;
  no_meeting.rows[0]->meetings.clear();
  EXPECT_EQ(CheckText(CheckPlan(no_meeting, query1.Db())),
            W("ELK 102E (21554): yok -> Salı 14:30-16:29; bina yok -> EEB; derslik yok -> D201"_w));
}

TEST_F(PlanCheckTest, ALockedSectionThatClosedSaysWhatToDoAboutTheLock) {
  plan.constraints.locked[3] = "22182";
  const std::string text = CheckText(CheckPlan(plan, query1.Db()));
  EXPECT_NE(text.find(W("\nELK 401 (22182) artık açılmıyor; bu şubeyi sabitlemiştin: sabitlemeyi kaldır ya da başka "
                        "bir şube seç\n"_w)),
            std::string::npos)
      << text;
  EXPECT_NE(text.find(W("\nELK 501 (22300) artık açılmıyor (bu CRN şimdi ELK 502 dersinin)\n"_w)), std::string::npos)
      << "an unlocked row says nothing of a lock";
}

// Hours the student keeps free are a wish, not another course: new hours
// that meet them are named in the box, taken when applied, and shown as a
// clash there until the student decides.
TEST_F(PlanCheckTest, NewHoursInHoursKeptFreeAreNamedTakenAndShownAsAClash) {
  store.Refill("ELK", FirstTerm());
  planner.Restore(plan, "plan.dkf");
  planner.SetBusy(1, SlotOfHour(11), true);  // Monday 11:30-12:29
  std::vector<SectionValues> third = FirstTerm();
  third[1] = Of("21600", "ELK 201", "Can Er", "Pazartesi", "1030/1229", "D101");  // was 08:30-10:29
  store.Refill("ELK", third);

  const PlanCheck check = CheckPlan(planner.Snapshot(), query1.Db());
  EXPECT_EQ(check.courses[1].now_busy, (std::set<GridCell>{{1, SlotOfHour(11)}}));
  EXPECT_EQ(CheckText(check), W("ELK 201 (21600): Pazartesi 08:30-10:29 -> 10:30-12:29\n"
                                "ELK 201 (21600) artık boş tutmak istediğin Pazartesi 11:30–12:29'a denk geliyor"_w));

  planner.RecommitRows({2});
  EXPECT_EQ(planner.Ders(2).Saatler, std::vector<std::string>{"10:12"});
  EXPECT_FALSE(CheckPlan(planner.Snapshot(), query1.Db()).AnythingChanged());
  EXPECT_EQ(planner.OverBusyCells(2), (std::set<GridCell>{{1, SlotOfHour(11)}}));
  EXPECT_EQ(Colour(1, SlotOfHour(11)), kRed);
  EXPECT_EQ(Colour(1, SlotOfHour(10)), *CellColour(2));
  EXPECT_EQ(planner.StatusText(),
            W("ELK 201 (21600) artık boş tutmak istediğin Pazartesi 11:30–12:29'a denk geliyor."_w));

  // Freeing the hour, or removing the section, ends the clash.
  planner.SetBusy(1, SlotOfHour(11), false);
  EXPECT_EQ(planner.ShownCell(1, SlotOfHour(11)), 2);
  planner.SetBusy(1, SlotOfHour(11), true);
  EXPECT_EQ(planner.ShownCell(1, SlotOfHour(11)), kPreview + 2);
  planner.RemoveRow(2);
  EXPECT_TRUE(planner.OverBusyCells(2).empty());
}

TEST_F(PlanCheckTest, AnUnchangedPlanHasNothingToSay) {
  store.Refill("ELK", FirstTerm());
  const PlanCheck check = CheckPlan(plan, query1.Db());
  EXPECT_FALSE(check.AnythingChanged());
  EXPECT_TRUE(check.clashes.empty());
  EXPECT_EQ(CheckText(check), "");
}

TEST_F(PlanCheckTest, ApplyingTheNewDataEqualsRePickingByHand) {
  planner.Restore(plan, "plan.dkf");
  planner.RecommitRows({1, 2, 3});
  const PlanSnapshot applied = planner.Snapshot();
  const auto applied_colours = window.colours;

  // By hand the clashing one comes last, or the next list filled would clear its preview.
  planner.Restore(plan, "plan.dkf");
  for (int row : {2, 3, 1}) {
    PickCourse(row, plan.rows[row - 1]->DersKodu);
    PickSection(row, plan.rows[row - 1]->CRN);
    planner.KaydetClick(row);
  }
  PlanSnapshot by_hand = planner.Snapshot();
  // One difference, on purpose: the row whose new hours clash still holds its
  // section, and keeps its marker, where the hand-filled list lost it.
  EXPECT_EQ(by_hand.committed[0], "");
  EXPECT_EQ(applied.committed[0], "21554");
  by_hand.committed[0] = "21554";
  by_hand.combos[2] += W(kKaydedildi);
  EXPECT_EQ(applied, by_hand);
  EXPECT_EQ(applied_colours, window.colours);

  // Room and teacher are taken; the moved section would cover row 6's
  // Wednesday, so it is shown there in red and its old hours stay committed.
  EXPECT_EQ(planner.Ders(2).Derslikler, std::vector<std::string>{"D305"});
  EXPECT_EQ(planner.Ders(3).Ogretmen, W("Gül Şen"_w));
  EXPECT_EQ(planner.Ders(1).Gunler, std::vector<std::string>{"2"});
  EXPECT_EQ(Colour(3, SlotOfHour(10)), kRed);
  EXPECT_EQ(CheckPlan(applied, query1.Db()).courses[1].status, CheckStatus::Unchanged);
}

// A full update drops the table of a department the server stopped
// listing: the plan's sections there are gone, not unreadable; a catalogue
// that cannot be read at all still is an error.
TEST_F(PlanCheckTest, SectionsOfADepartmentNoLongerInTheCatalogueHaveVanished) {
  query1.Db().DropTable("ELK");
  const PlanCheck check = CheckPlan(plan, query1.Db());
  ASSERT_EQ(check.courses.size(), 6u);
  for (const CourseCheck& course : check.courses) EXPECT_EQ(course.status, CheckStatus::Vanished) << course.course;
  query1.SetConnectionString("broken");
  EXPECT_THROW(CheckPlan(plan, query1.Db()), DatabaseError);
}

TEST_F(PlanCheckTest, ASectionTheListNoLongerOffersIsLeftAsItIs) {
  planner.Restore(plan, "plan.dkf");
  const PlanSnapshot loaded = planner.Snapshot();
  for (int row : {4, 5}) EXPECT_EQ(planner.Recommit(row), Planner::Recommitted::NotOffered);
  EXPECT_EQ(planner.Ders(4).CRN, "22182");
  EXPECT_EQ(planner.Snapshot(), loaded);
}

}  // namespace
}  // namespace kiremo::planner::testing
