#include <gtest/gtest.h>

#include "app/app_fixture.h"
#include "app/constraint_texts.h"
#include "planner/colours.h"
#include "planner/markers.h"

namespace kiremo::app::testing {
namespace {

using ConstraintEventsTest = AppTest;

std::vector<std::string> Texts(const MenuEntries& entries) {
  std::vector<std::string> texts;
  for (const MenuEntry& entry : entries) texts.push_back(entry.text);
  return texts;
}

std::vector<std::string> W(std::initializer_list<std::string_view> texts) { return {texts.begin(), texts.end()}; }

ui::Colour StateColour(int state) { return WidgetColour(*planner::CellColour(state)); }

TEST_F(ConstraintEventsTest, SectionMenuLocksAndExcludesTheItemAndTheWindowShowsIt) {
  Start();
  Pick(1, "ELK");
  Pick(2, "ELK 101");
  const ui::ChoiceList& sections = view.SectionCombo(1);
  ASSERT_EQ(sections.Count(), 2);
  EXPECT_TRUE(app->SectionMenu(1, 0).empty()) << "no actions for " << sections.Item(0);
  EXPECT_TRUE(app->SectionMenu(1, 5).empty());

  EXPECT_EQ(Texts(app->SectionMenu(1, 1)), W({kLockSection, kExcludeSection}));
  app->SectionMenu(1, 1)[0].run();
  EXPECT_EQ(app->Plan().StudentConstraints().locked[0], "21001");
  EXPECT_EQ(view.Shape(1).LockNote(), std::string(kLockedNote) + "21001");
  EXPECT_EQ(Texts(app->SectionMenu(1, 1)), W({kUnlockSection, kExcludeSection}));

  // Excluding the locked section unlocks it.
  app->SectionMenu(1, 1)[1].run();
  EXPECT_EQ(view.Shape(1).LockNote(), "");
  EXPECT_TRUE(sections.ItemCrossedOut(1));
  EXPECT_FALSE(sections.ItemCrossedOut(0));
  const std::string tip = sections.ItemTip(1);
  EXPECT_TRUE(tip.ends_with("\n" + std::string(kExcludedNote))) << tip;
  EXPECT_GT(tip.size(), kExcludedNote.size() + 1) << "the meetings stay in the tip";
  EXPECT_EQ(Texts(app->SectionMenu(1, 1)), W({kLockSection, kIncludeSection}));

  app->SectionMenu(1, 1)[1].run();
  EXPECT_FALSE(sections.ItemCrossedOut(1));
  EXPECT_EQ(sections.ItemTip(1), app->Plan().Row(1).section.items[1].tip);
  EXPECT_TRUE(app->Plan().StudentConstraints().Empty());
  EXPECT_TRUE(view.Dialog().errors.empty());
}

TEST_F(ConstraintEventsTest, AnExclusionMadeBeforeTheListIsFilledShowsOnceItIs) {
  Start();
  app->Plan().Exclude("21002");
  Pick(1, "ELK");
  Pick(2, "ELK 102");
  EXPECT_TRUE(view.SectionCombo(1).ItemCrossedOut(1));
  Pick(2, "ELK 101");
  EXPECT_FALSE(view.SectionCombo(1).ItemCrossedOut(1));
}

TEST_F(ConstraintEventsTest, SwatchMenuLocksTheCommittedSectionOnly) {
  Start();
  MenuEntries empty_row = app->SwatchMenu(1);
  ASSERT_EQ(empty_row.size(), 1u);
  EXPECT_EQ(empty_row[0].text, kLockSection);
  EXPECT_FALSE(empty_row[0].enabled) << "nothing to lock on an empty row";
  app->SwatchLockClick(1);
  EXPECT_TRUE(app->Plan().StudentConstraints().Empty());

  Pick(1, "ELK");
  Pick(2, "ELK 102");
  Pick(3, view.SectionCombo(1).Item(1));
  app->KaydetClick(1);
  ASSERT_EQ(app->Plan().Ders(1).CRN, "21002");
  ASSERT_TRUE(app->SwatchMenu(1)[0].enabled);
  app->SwatchMenu(1)[0].run();
  EXPECT_EQ(app->Plan().StudentConstraints().locked[0], "21002");
  EXPECT_EQ(view.Shape(1).LockNote(), std::string(kLockedNote) + "21002");
  EXPECT_EQ(Texts(app->SwatchMenu(1)), W({kUnlockSection}));
  app->SwatchMenu(1)[0].run();
  EXPECT_EQ(view.Shape(1).LockNote(), "");
}

TEST_F(ConstraintEventsTest, CellMenuOffersWhatTheCellsLack) {
  Start();
  EXPECT_TRUE(app->CellMenu({{0, 3}, {2, 0}}).empty()) << "header cells";
  EXPECT_EQ(Texts(app->CellMenu({{2, 3}})), W({kKeepHourFree}));
  app->CellMenu({{2, 3}, {2, 4}, {0, 4}})[0].run();
  EXPECT_TRUE(view.Grid1().CellBusy(2, 3));
  EXPECT_TRUE(view.Grid1().CellBusy(2, 4));
  EXPECT_FALSE(view.Grid1().CellBusy(2, 5));
  EXPECT_EQ(Texts(app->CellMenu({{2, 3}})), W({kFreeHourAgain}));
  EXPECT_EQ(Texts(app->CellMenu({{2, 4}, {2, 5}})),
            (std::vector<std::string>{std::string(kKeepHoursFree) + " (2 saat)", std::string(kFreeHourAgain)}));
  EXPECT_EQ(Texts(app->CellMenu({{4, 1}, {4, 2}, {4, 3}, {5, 1}, {5, 2}, {5, 3}})),
            std::vector<std::string>{std::string(kKeepHoursFree) + " (6 saat)"})
      << "a rectangle names its hours";

  app->BusyCellsClick({{2, 3}, {2, 4}}, false);
  EXPECT_FALSE(view.Grid1().CellBusy(2, 3));
  EXPECT_TRUE(app->Plan().StudentConstraints().Empty());
}

// Marking a busy hour under the section previewed blocks it at once, and
// freeing it again lets it in.
TEST_F(ConstraintEventsTest, ABusyHourUnderThePreviewTurnsItRedAndEkleFollows) {
  Start();
  Pick(1, "ELK");
  Pick(2, "ELK 101");
  Pick(3, view.SectionCombo(1).Item(1));  // Monday 08:30-10:29
  ASSERT_TRUE(view.Kaydet(1).Enabled());
  const std::string status = view.StatusBar().Text();

  app->BusyCellsClick({{1, 2}}, true);
  EXPECT_FALSE(view.Kaydet(1).Enabled());
  EXPECT_EQ(view.Grid1().CellColour(1, 2), StateColour(planner::kPreview + 1));
  EXPECT_EQ(view.Grid1().CellColour(1, 1), StateColour(planner::kPreview));
  EXPECT_TRUE(view.StatusBar().Text().starts_with(planner::kOnBusyHours)) << view.StatusBar().Text();

  app->KaydetClick(1);
  EXPECT_EQ(app->Plan().Ders(1).CRN, "") << "a busy hour is never committed";

  app->BusyCellsClick({{1, 2}}, false);
  EXPECT_TRUE(view.Kaydet(1).Enabled());
  EXPECT_EQ(view.Grid1().CellColour(1, 2), StateColour(planner::kPreview));
  EXPECT_EQ(view.StatusBar().Text(), status) << "the note went with the busy hour";
  app->KaydetClick(1);
  EXPECT_EQ(app->Plan().Ders(1).CRN, "21001");

  // With nothing previewed any more, a busy hour changes no row.
  app->BusyCellsClick({{1, 1}}, true);
  EXPECT_EQ(app->Plan().Ders(1).CRN, "21001");
  EXPECT_EQ(view.Grid1().CellColour(1, 1), StateColour(1));
  EXPECT_TRUE(view.Grid1().CellBusy(1, 1));
}

TEST_F(ConstraintEventsTest, EveryChangeMarksThePlanModified) {
  Start();
  Pick(1, "ELK");
  Pick(2, "ELK 102");
  const struct {
    const char* what;
    std::function<void()> change;
  } changes[] = {
      {"lock", [&] { app->LockSectionClick(1, 1); }},
      {"exclusion", [&] { app->ExcludeSectionClick(1, 1); }},
      {"busy hour",
       [&] {
         app->BusyCellsClick({{5, 14}}, true);
       }},
  };
  for (const auto& [what, change] : changes) {
    app->Plan().SetConstraints({});
    view.Dialog().next_save_names.push_back(folder / "plan.dkf");
    app->menuKaydetClick();
    ASSERT_FALSE(app->PlanModified()) << what;

    change();
    EXPECT_TRUE(app->PlanModified()) << what;
    EXPECT_TRUE(view.Caption().Text().starts_with("*")) << what;
  }
}

}  // namespace
}  // namespace kiremo::app::testing
