#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "acquisition/addresses.h"
#include "app/app_fixture.h"
#include "cli/page_fixture.h"
#include "planner/colours.h"
#include "planner/grid.h"
#include "planner/plan_check.h"

// A saved plan that the catalogue has moved on from: the box after loading
// it and after an update, the marked rows, and taking the new data.
namespace kiremo::app::testing {
namespace {

using testing_support::PageRow;
using testing_support::Section;

std::string W(std::string_view cp1254) { return std::string(cp1254); }

// Row 1 ELK 101 (Monday), row 2 ELK 102 (Tuesday), row 3 MAT 101 (Friday
// 09:30-11:29), committed and saved; the caption then names the file.
class StalePlanTest : public AppTest {
 protected:
  void SetUp() override {
    Start();
    Commit(1, "ELK", "ELK 101");
    Commit(2, "ELK", "ELK 102");
    Commit(3, "MAT", "MAT 101");
    view.Dialog().next_save_names.push_back(plan);
    app->menuKaydetClick();
    ASSERT_FALSE(app->PlanModified());
  }

  void Commit(int row, const std::string& department, const std::string& course) {
    Pick(3 * row - 2, department);
    Pick(3 * row - 1, course);
    Pick(3 * row, view.ComboBox(3 * row).Item(1));
    app->KaydetClick(row);
  }

  // The second term: ELK 101 moved onto MAT 101's Friday, ELK 102 in another room.
  void SecondTerm() {
    catalogue.Refill("ELK", {Section("21001", "ELK 101", "Ali Veli", "Cuma", "0930/1029"),
                             Section("21002", "ELK 102", W("Ayşe Kaya"_w), W("Salı"_w), "1030/1229", "EEB", "D7")});
  }

  void Load() {
    view.Dialog().next_open_names.push_back(plan);
    app->menuAcClick();
  }

  std::string Warning(int row) { return view.Shape(row).Warning(); }

  std::string plan = folder / "plan.dkf";
};

TEST_F(StalePlanTest, AnUnchangedPlanGivesNoBox) {
  Load();
  EXPECT_TRUE(view.Dialog().apply_questions.empty());
  for (int row = 1; row <= 3; ++row) EXPECT_EQ(Warning(row), "");
}

TEST_F(StalePlanTest, LoadingAStalePlanTellsAndMarksUntilTheRowIsRepickedOrRemoved) {
  SecondTerm();
  catalogue.Refill("MAT", {});
  Load();
  ASSERT_EQ(view.Dialog().apply_questions.size(), 1u);
  const std::string& text = view.Dialog().apply_questions[0].text;
  for (const std::string_view line : {"ELK 101 (21001): Pazartesi 08:30-10:29 -> Cuma 09:30-10:29"_w,
                                      "ELK 102 (21002): derslik D1 -> D7"_w, "MAT 101 (31001) artık açılmıyor"_w}) {
    EXPECT_NE(text.find(line), std::string::npos) << line;
  }
  EXPECT_EQ(Warning(2), W("ELK 102 (21002): derslik D1 -> D7"_w));
  EXPECT_NE(Warning(1), "");
  EXPECT_NE(Warning(3), "");
  // "Tamam": nothing taken.
  EXPECT_EQ(app->Plan().Ders(2).Derslikler, std::vector<std::string>{"D1"});
  EXPECT_FALSE(app->PlanModified());

  app->Grid1SelectCell(5, planner::SlotOfHour(9));  // MAT 101 on Friday
  app->btnCikarClick();
  EXPECT_EQ(Warning(3), "") << "removed";
  Pick(5, "ELK 102");
  EXPECT_NE(Warning(2), "") << "only chosen, not yet added";
  Pick(6, view.ComboBox(6).Item(1));
  app->KaydetClick(2);
  EXPECT_EQ(Warning(2), "") << "re-picked";
  EXPECT_EQ(app->Plan().Ders(2).Derslikler, std::vector<std::string>{"D7"});
  EXPECT_NE(Warning(1), "");
}

TEST_F(StalePlanTest, OnlyClosedSectionsGiveABoxWithNothingToApply) {
  catalogue.Refill("MAT", {});
  Load();
  EXPECT_TRUE(view.Dialog().apply_questions.empty());
  ASSERT_EQ(view.Dialog().messages.size(), 1u);
  EXPECT_NE(view.Dialog().messages[0].text.find(W("MAT 101 (31001) artık açılmıyor"_w)), std::string::npos);
  EXPECT_EQ(view.Dialog().messages[0].text.find(W("Güncel bilgileri uygula"_w)), std::string::npos);
  EXPECT_NE(Warning(3), "");
  EXPECT_EQ(Warning(1), "");
}

TEST_F(StalePlanTest, ApplyingTakesTheChangedSectionsAndShowsANewClashInRed) {
  SecondTerm();
  view.Dialog().next_apply_answers = {true};
  Load();
  ASSERT_EQ(view.Dialog().apply_questions.size(), 1u);
  EXPECT_NE(
      view.Dialog().apply_questions[0].text.find(W("ELK 101 ile MAT 101 yeni bilgilerle aynı saatlere düşüyor"_w)),
      std::string::npos);
  EXPECT_EQ(app->Plan().Ders(2).Derslikler, std::vector<std::string>{"D7"});
  EXPECT_EQ(Warning(2), "");
  // ELK 101's new Friday hour is MAT 101's: shown in red, not committed, still marked.
  EXPECT_EQ(app->Plan().Ders(1).Gunler, std::vector<std::string>{"1"});
  EXPECT_EQ(view.Grid1().CellColour(5, planner::SlotOfHour(9)), (ui::Colour{255, 0, 0}));
  EXPECT_NE(Warning(1), "");
  EXPECT_TRUE(app->PlanModified());
}

// Hours kept free do not keep the catalogue's data out: the plan takes the
// new hours, they show red, and the plan is as the catalogue has it.
TEST_F(StalePlanTest, ApplyingTakesNewHoursThatFallInHoursKeptFreeAndShowsThemRed) {
  const std::vector<planner::GridCell> thursday = {{4, planner::SlotOfHour(13)}, {4, planner::SlotOfHour(14)}};
  app->BusyCellsClick(thursday, true);
  view.Dialog().next_save_names.push_back(plan);
  app->menuKaydetClick();
  catalogue.Refill("ELK", {Section("21001", "ELK 101", "Ali Veli", "Pazartesi", "0830/1029"),
                           Section("21002", "ELK 102", W("Ayşe Kaya"_w), W("Perşembe"_w), "1330/1529")});
  view.Dialog().next_apply_answers = {true};
  Load();

  ASSERT_EQ(view.Dialog().apply_questions.size(), 1u);
  const std::string& text = view.Dialog().apply_questions[0].text;
  EXPECT_NE(text.find(W("ELK 102 (21002) artık boş tutmak istediğin Perşembe 13:30–15:29'a denk geliyor"_w)),
            std::string::npos)
      << text;
  EXPECT_EQ(app->Plan().Ders(2).Gunler, std::vector<std::string>{"4"});
  for (const auto& [day, slot] : thursday) {
    EXPECT_EQ(view.Grid1().CellColour(day, slot), (ui::Colour{255, 0, 0}));
    EXPECT_EQ(view.Grid1().CellText(day, slot), "ELK 102");
  }
  EXPECT_EQ(view.Grid1().CellText(2, planner::SlotOfHour(10)), "") << "the old Tuesday hours are gone";
  EXPECT_EQ(Warning(2), "");
  EXPECT_FALSE(planner::CheckPlan(app->Plan().Snapshot(), app->Query1().Db()).AnythingChanged());

  // The choice is the student's: freeing the hours leaves the course in its colour.
  app->BusyCellsClick(thursday, false);
  EXPECT_EQ(view.Grid1().CellColour(4, planner::SlotOfHour(13)), WidgetColour(*planner::CellColour(2)));
}

// A locked section that closed: the box names the lock, and "Oluştur" says
// what stands in its way instead of asking for a course code.
TEST_F(StalePlanTest, ALockedSectionThatClosedIsNamedByTheBoxAndByOlustur) {
  app->SwatchLockClick(3);
  view.Dialog().next_save_names.push_back(plan);
  app->menuKaydetClick();
  catalogue.Refill("MAT",
                   {Section("31002", "MAT 101", "Can Er", W("Perşembe"_w), "0930/1129", "MKB", "D2", W("TÜM"_w))});
  Load();
  ASSERT_EQ(view.Dialog().messages.size(), 1u);
  EXPECT_NE(view.Dialog().messages[0].text.find(W("MAT 101 (31001) artık açılmıyor; bu şubeyi sabitlemiştin: "
                                                  "sabitlemeyi kaldır ya da başka bir şube seç"_w)),
            std::string::npos)
      << view.Dialog().messages[0].text;

  view.EditSt().SetText("8");  // so that ELK 101, at 08:30, passes before row 3 is reached
  app->btnYerlestirClick();
  ASSERT_EQ(view.Dialog().messages.size(), 2u);
  EXPECT_EQ(view.Dialog().messages[1].caption, "Bilgi");
  EXPECT_EQ(view.Dialog().messages[1].text,
            W("MAT 101 dersine sabitlediğin 31001 şubesi artık açılmıyor; sabitlemeyi kaldır ya da başka bir şube "
              "seç."_w));
}

TEST_F(StalePlanTest, AnAutomaticUpdateTellsOnlyWhatIsNew) {
  Load();
  app->menuOtomatikClick();
  pages.pages[acquisition::SchedulePageUrl(kSchedule, "ELK")] = testing_support::SchedulePageBytes(
      {{"21001", "ELK 101", "Ders", "Ali Veli", "EEB", "Pazartesi", "0830/1029", "D1", "ELK"},
       {"21002", "ELK 102", "Ders", W("Ayşe Kaya"_w), "EEB", W("Salı"_w), "1030/1229", "D7", "ELK"}});
  Pick(4, "ELK");
  Settle();
  ASSERT_EQ(view.Dialog().apply_questions.size(), 1u);
  EXPECT_NE(view.Dialog().apply_questions[0].text.find("ELK 102 (21002): derslik D1 -> D7"), std::string::npos);
  EXPECT_NE(Warning(2), "");
  Pick(7, "ELK");
  Settle();
  EXPECT_EQ(view.Dialog().apply_questions.size(), 1u) << "the student knows of it already";
  EXPECT_NE(Warning(2), "");
}

class FullUpdateTest : public StalePlanTest {
 protected:
  // The server's term: ELK 102 in room D7, the rest as before.
  void ServeNewTerm() {
    const auto page = [](std::vector<PageRow> rows) { return testing_support::SchedulePageBytes(rows); };
    pages.pages[acquisition::DepartmentIndexUrl(kSchedule)] = testing_support::IndexPageBytes({"ELK", "MAT"});
    const std::string elk =
        page({{"21001", "ELK 101", "Ders", "Ali Veli", "EEB", "Pazartesi", "0830/1029", "D1", "ELK"},
              {"21002", "ELK 102", "Ders", W("Ayşe Kaya"_w), "EEB", W("Salı"_w), "1030/1229", "D7", "ELK"}});
    const std::string mat =
        page({{"31001", "MAT 101", "Ders", "Can Er", "MKB", "Cuma", "0930/1129", "D2", W("TÜM"_w)}});
    for (const char* code : {"ELK", "elk"}) pages.pages[acquisition::SchedulePageUrl(kSchedule, code)] = elk;
    for (const char* code : {"MAT", "mat"}) pages.pages[acquisition::SchedulePageUrl(kSchedule, code)] = mat;
  }
  void WaitForTheEnd() {
    ASSERT_TRUE(dispatcher.RunUntil([&] { return !app->Updates().Full().Running(); }, std::chrono::seconds(20)));
    dispatcher.RunPending();
  }
};

TEST_F(FullUpdateTest, GivesThePlanBackAndChecksIt) {
  ServeNewTerm();
  const std::string caption = view.Caption().Text();
  app->menuVeriAlClick();
  WaitForTheEnd();

  ASSERT_EQ(app->Updates().Full().Outcome(), acquisition::UpdateOutcome::Succeeded);
  EXPECT_EQ(app->Plan().Ders(1).CRN, "21001");
  EXPECT_EQ(view.Caption().Text(), caption);
  EXPECT_FALSE(app->PlanModified()) << "the plan is the saved one";
  ASSERT_EQ(view.Dialog().apply_questions.size(), 1u);
  EXPECT_NE(view.Dialog().apply_questions[0].text.find(W("ELK 102 (21002): derslik D1 -> D7"_w)), std::string::npos);
  EXPECT_EQ(Warning(1), "");
  EXPECT_NE(Warning(2), "");
}

TEST_F(FullUpdateTest, APlanOpenedMeanwhileIsNotReplacedButChecked) {
  // Another plan: ELK 101 and ELK 102 only.
  const std::string other = folder / "other.dkf";
  app->Grid1SelectCell(5, planner::SlotOfHour(9));  // MAT 101 on Friday
  app->btnCikarClick();
  view.Dialog().next_save_names.push_back(other);
  app->menuKaydetClick();
  Load();
  ASSERT_EQ(app->Plan().Ders(3).CRN, "31001");

  ServeNewTerm();
  app->menuVeriAlClick();
  ASSERT_TRUE(dispatcher.RunUntil([&] { return app->Plan().Ders(1).CRN.empty(); }, std::chrono::seconds(20)))
      << "the update resets the plan once its workers run";
  view.Dialog().next_open_names.push_back(other);
  app->menuAcClick();
  WaitForTheEnd();
  EXPECT_EQ(app->Plan().Ders(1).CRN, "21001");
  EXPECT_EQ(app->Plan().Ders(3).CRN, "") << "the plan opened meanwhile stays";
  ASSERT_EQ(view.Dialog().apply_questions.size(), 1u);
  EXPECT_NE(view.Dialog().apply_questions[0].text.find(W("ELK 102 (21002): derslik D1 -> D7"_w)), std::string::npos);
}

}  // namespace
}  // namespace kiremo::app::testing
