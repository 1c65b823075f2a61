#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "acquisition/addresses.h"
#include "app/app_fixture.h"
#include "app/generator_panel.h"
#include "cli/page_fixture.h"

// Undo and redo over the plan: every change of the plan is one named step,
// and undo and redo bring back the plan exactly as it was on either side.
namespace kiremo::app::testing {
namespace {

using testing_support::Section;

std::string W(std::string_view cp1254) { return std::string(cp1254); }

// What undo must bring back: the plan as a file keeps it, the generator
// panel, the teacher choices and the caption.
struct Seen {
  planner::PlanSnapshot plan;
  generator::GeneratorPanel panel;
  std::vector<int> teachers;
  std::string caption;
  friend bool operator==(const Seen&, const Seen&) = default;
};

class UndoRedoTest : public AppTest {
 public:
  // The table of operations below drives the fixture from outside.
  using AppTest::app;
  using AppTest::Pick;
  using AppTest::view;

  Seen Now() {
    Seen seen{app->Plan().Snapshot(), ReadGeneratorPanel(view), {}, view.Caption().Text()};
    for (int row = 1; row <= planner::kRows; ++row) seen.teachers.push_back(view.HocaCombo(row).ItemIndex());
    return seen;
  }

  // Chooses the course's first section in the row and presses "Ekle".
  void Commit(int row, const std::string& department, const std::string& course) {
    Browse(row, department, course);
    app->KaydetClick(row);
  }
  // Chooses the course's first section in the row: a preview only.
  void Browse(int row, const std::string& department, const std::string& course) {
    Pick(3 * row - 2, department);
    Pick(3 * row - 1, course);
    Pick(3 * row, view.ComboBox(3 * row).Item(1));
  }

  // A plan file holding MAT 101 in row 3, written by an earlier session.
  void WriteOtherPlan() {
    Start();
    Commit(3, "MAT", "MAT 101");
    ASSERT_TRUE(app->Files().SaveFile(other));
  }

  std::string other = folder / "other.dkf";
};

// `prepare` browses and previews (no step); `run` is the step.
struct Operation {
  std::string step;  // the step's name in the "Düzen" menu
  std::function<void(UndoRedoTest&)> prepare;
  std::function<void(UndoRedoTest&)> run;
};

struct Sequence {
  const char* name;
  std::vector<Operation> operations;
};

Operation Add(int row, std::string department, std::string course) {
  return {course + " ekleme", [=](UndoRedoTest& t) { t.Browse(row, department, course); },
          [row](UndoRedoTest& t) { t.app->KaydetClick(row); }};
}

Operation Remove(const std::string& course, int day, int slot) {
  return {course + W(" çıkarma"_w), [=](UndoRedoTest& t) { t.app->Grid1SelectCell(day, slot); },
          [](UndoRedoTest& t) { t.app->btnCikarClick(); }};
}

Operation Lock(int row, const std::string& crn) {
  return {crn + " sabitleme", [](UndoRedoTest&) {}, [row](UndoRedoTest& t) { t.app->SwatchLockClick(row); }};
}

std::vector<Sequence> Sequences() {
  const Operation reset{W("Sıfırlama"_w),
                        [](UndoRedoTest& t) {
                          t.view.Chk(3).SetChecked(true);
                          t.view.EditSt().SetText("10");
                          t.Browse(5, "ELK", "ELK 102");
                        },
                        [](UndoRedoTest& t) { t.app->Sifirla(); }};
  const Operation exclude{"21002 hariç tutma", [](UndoRedoTest& t) { t.Browse(2, "ELK", "ELK 102"); },
                          [](UndoRedoTest& t) { t.app->ExcludeSectionClick(2, 1); }};
  const Operation busy{W("Boş saat ekleme"_w), [](UndoRedoTest&) {},
                       [](UndoRedoTest& t) {
                         t.app->BusyCellsClick({{3, 5}, {3, 6}, {4, 5}}, true);
                       }};
  const Operation apply{"1. alternatif",
                        [](UndoRedoTest& t) {
                          t.Pick(1, "ELK");
                          t.Pick(2, "ELK 102");
                          t.Pick(7, "MAT");
                          t.Pick(8, "MAT 101");
                          t.view.EditSt().SetText("8");
                          t.view.Edit2().SetText("ISB");  // not MAT 101's building
                          t.view.Chk(1).SetChecked(true);
                          t.app->btnYerlestirClick();
                          ASSERT_EQ(t.view.ComboBox31().Count(), 2);
                          t.view.ComboBox31().SetItemIndex(1);
                        },
                        [](UndoRedoTest& t) { t.app->ComboBox31Change(); }};
  const Operation open{W("other.dkf açma"_w),
                       [](UndoRedoTest& t) { t.view.Dialog().next_open_names.push_back(t.other); },
                       [](UndoRedoTest& t) { t.app->menuAcClick(); }};
  return {
      {"AddRemoveAdd",
       {Add(1, "ELK", "ELK 101"), Add(2, "ELK", "ELK 102"), Remove("ELK 101", 1, 1), Add(4, "MAT", "MAT 101")}},
      {"ResetBringsBackThePlanAndThePanel",
       {Add(1, "ELK", "ELK 101"), Add(4, "MAT", "MAT 101"), Lock(1, "21001"), reset}},
      {"ApplyingAnAlternative", {Add(1, "ELK", "ELK 101"), apply, Remove("ELK 102", 2, 3)}},
      {"LocksExclusionsAndBusyHours", {Add(1, "ELK", "ELK 101"), Lock(1, "21001"), exclude, busy}},
      {"OpeningAPlan", {Add(1, "ELK", "ELK 101"), busy, open, Add(2, "ELK", "ELK 102")}},
  };
}

class UndoRedoSequenceTest : public UndoRedoTest, public ::testing::WithParamInterface<Sequence> {};

TEST_P(UndoRedoSequenceTest, UndoAndRedoBringBackThePlanOnEitherSideOfEachStep) {
  WriteOtherPlan();
  Start();
  ASSERT_FALSE(view.MenuGeriAl().Enabled());
  std::vector<Seen> before;
  std::vector<Seen> after;
  const auto& operations = GetParam().operations;
  for (const Operation& operation : operations) {
    // The choices that lead to a step belong to it.
    before.push_back(Now());
    operation.prepare(*this);
    operation.run(*this);
    after.push_back(Now());
    ASSERT_EQ(view.MenuGeriAl().Text(), "Geri al: " + operation.step);
    ASSERT_TRUE(view.MenuGeriAl().Enabled());
    ASSERT_FALSE(view.MenuYinele().Enabled()) << "a new step drops what was undone";
    ASSERT_NE(after.back(), before.back()) << operation.step;
  }
  for (std::size_t k = operations.size(); k-- > 0;) {
    app->menuGeriAlClick();
    EXPECT_EQ(Now(), before[k]) << "undoing " << operations[k].step;
    EXPECT_EQ(view.MenuYinele().Text(), "Yinele: " + operations[k].step);
    EXPECT_EQ(view.ComboBox31().Count(), 0) << "results of another plan";
  }
  EXPECT_FALSE(view.MenuGeriAl().Enabled());
  EXPECT_EQ(view.MenuGeriAl().Text(), "Geri al");
  for (std::size_t k = 0; k < operations.size(); ++k) {
    app->menuYineleClick();
    EXPECT_EQ(Now(), after[k]) << "redoing " << operations[k].step;
  }
  EXPECT_FALSE(view.MenuYinele().Enabled());
  EXPECT_EQ(view.MenuYinele().Text(), "Yinele");
  EXPECT_TRUE(view.Dialog().errors.empty());
  EXPECT_TRUE(pages.asked.empty()) << "nothing is fetched";
}

INSTANTIATE_TEST_SUITE_P(Sequences, UndoRedoSequenceTest, ::testing::ValuesIn(Sequences()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(UndoRedoTest, BrowsingAndPreviewsAreNoSteps) {
  Start();
  Browse(1, "ELK", "ELK 101");
  app->Grid1SelectCell(2, 2);
  view.EditSt().SetText("10");
  app->GeneratorInputChanged();
  app->KaydetClick(3);  // nothing chosen in row 3: nothing changes
  EXPECT_FALSE(app->History().CanUndo());
  EXPECT_FALSE(view.MenuGeriAl().Enabled());
}

TEST_F(UndoRedoTest, UndoingAnAdditionTakesBackTheChoicesThatLedToIt) {
  Start();
  Commit(1, "ELK", "ELK 101");
  const Seen first = Now();
  Browse(2, "ELK", "ELK 102");
  app->KaydetClick(2);
  app->menuGeriAlClick();
  EXPECT_EQ(Now(), first);
  app->menuGeriAlClick();
  EXPECT_EQ(app->Plan().Ders(1).CRN, "");
  EXPECT_EQ(view.Grid1().CellText(1, 1), "");
  EXPECT_EQ(view.Shape(1).Fill(), ui::kWhite);
}

TEST_F(UndoRedoTest, BrowsingTheAlternativesOneAfterAnotherIsOneStep) {
  catalogue.Refill("MAT",
                   {Section("31001", "MAT 101", "Can Er", "Cuma", "0930/1129", "EEB", "D2", W("TÜM"_w)),
                    Section("31002", "MAT 101", "Can Er", W("Perşembe"_w), "0930/1129", "EEB", "D2", W("TÜM"_w))});
  Start();
  Commit(1, "ELK", "ELK 101");
  const Seen first = Now();
  Pick(4, "MAT");
  Pick(5, "MAT 101");
  view.EditSt().SetText("8");
  app->btnYerlestirClick();
  ASSERT_EQ(view.ComboBox31().Count(), 3);
  for (const int item : {1, 2, 1, 2}) {
    view.ComboBox31().SetItemIndex(item);
    app->ComboBox31Change();
  }
  const Seen browsed = Now();
  EXPECT_EQ(view.MenuGeriAl().Text(), "Geri al: 2. alternatif");
  app->menuGeriAlClick();
  EXPECT_EQ(Now(), first);
  EXPECT_EQ(view.MenuGeriAl().Text(), "Geri al: ELK 101 ekleme");
  app->menuYineleClick();
  EXPECT_EQ(Now(), browsed);
}

TEST_F(UndoRedoTest, TheCaptionsStarFollowsTheSavedState) {
  Start();
  Commit(1, "ELK", "ELK 101");
  const std::string saved = folder / "plan.dkf";
  view.Dialog().next_save_names.push_back(saved);
  app->menuKaydetClick();
  const std::string caption = view.Caption().Text();
  EXPECT_FALSE(caption.starts_with("*")) << caption;
  Commit(2, "ELK", "ELK 102");
  EXPECT_EQ(view.Caption().Text(), "*" + caption);
  app->menuGeriAlClick();
  EXPECT_EQ(view.Caption().Text(), caption) << "back at the saved plan";
  app->menuGeriAlClick();
  EXPECT_EQ(view.Caption().Text(), "*" + caption) << "before the saved plan";
  app->menuYineleClick();
  EXPECT_EQ(view.Caption().Text(), caption);
  app->menuYineleClick();
  EXPECT_EQ(view.Caption().Text(), "*" + caption);
}

TEST_F(UndoRedoTest, UndoingAnOpenBringsBackTheFileAndTheUnsavedWorkOfThePlanBefore) {
  WriteOtherPlan();
  Start();
  Commit(1, "ELK", "ELK 101");
  const std::string first = folder / "first.dkf";
  view.Dialog().next_save_names.push_back(first);
  app->menuKaydetClick();
  const std::string first_caption = view.Caption().Text();
  Commit(2, "ELK", "ELK 102");
  view.Dialog().next_open_names.push_back(other);
  app->menuAcClick();  // "Kaydetme"
  EXPECT_TRUE(view.Caption().Text().ends_with("other.dkf")) << view.Caption().Text();
  EXPECT_FALSE(app->PlanModified());

  app->menuGeriAlClick();
  EXPECT_EQ(view.Caption().Text(), "*" + first_caption);
  EXPECT_EQ(app->Plan().Ders(2).CRN, "21002");
  // "Kaydet" offers the plan's own file again.
  view.Dialog().next_save_names.push_back(first);
  app->menuKaydetClick();
  EXPECT_EQ(view.Dialog().save_starts.back(), first);
  EXPECT_EQ(view.Caption().Text(), first_caption);
}

class UndoAndUpdatesTest : public UndoRedoTest {
 protected:
  static std::string PageUrl(const std::string& department) {
    return acquisition::SchedulePageUrl(kSchedule, department);
  }
  static std::string PageOf(const std::string& crn, const std::string& code) {
    return testing_support::SchedulePageBytes(
        {{crn, code, "Ders", "Ali Veli", "EEB", "Pazartesi", "0830/1029", "D1", "ELK"}});
  }
};

TEST_F(UndoAndUpdatesTest, AQuickUpdateOfADepartmentOfTheStepsClearsThemAndSaysSo) {
  Start();
  Commit(1, "ELK", "ELK 101");
  app->menuOtomatikClick();
  pages.pages[PageUrl("MAT")] = PageOf("31001", "MAT 101");
  Pick(7, "MAT");
  Settle();
  EXPECT_TRUE(app->History().CanUndo()) << "no step names MAT";

  pages.pages[PageUrl("ELK")] = PageOf("21009", "ELK 109");
  Pick(4, "ELK");
  Settle();
  EXPECT_FALSE(app->History().CanUndo());
  EXPECT_FALSE(view.MenuGeriAl().Enabled());
  EXPECT_NE(view.StatusBar().Text().find(W("geri alınacak adımlar silindi"_w)), std::string::npos)
      << view.StatusBar().Text();
  EXPECT_EQ(app->Plan().Ders(1).CRN, "21001") << "the plan itself stays";
}

}  // namespace
}  // namespace kiremo::app::testing
