#include "app/recent_plans.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/app_fixture.h"

// Saving like a desktop program: the save dialog starts at the plan's own
// file, the caption names the file at once, and "Son açılanlar" lists the
// plans used last.
namespace kiremo::app::testing {
namespace {

std::string W(std::string_view cp1254) { return std::string(cp1254); }

class RecentPlansTest : public AppTest {
 protected:
  void Commit(int row, const std::string& department, const std::string& course) {
    Pick(3 * row - 2, department);
    Pick(3 * row - 1, course);
    Pick(3 * row, view.ComboBox(3 * row).Item(1));
    app->KaydetClick(row);
  }
  void SaveAs(const std::string& file) {
    view.Dialog().next_save_names.push_back(file);
    app->menuKaydetClick();
  }
};

TEST(RecentPlansList, KeepsTheLastEightNewestFirstEachOnce) {
  testing_support::TempFolder folder;
  IniFile settings(folder / "config.ini");
  RecentPlans recent(settings);
  EXPECT_TRUE(recent.Files().empty());
  for (int k = 1; k <= 9; ++k) recent.Add("/plans/p" + std::to_string(k) + ".dkf");
  recent.Add("/plans/p5.dkf");
  const std::vector<std::string> expected{"/plans/p5.dkf", "/plans/p9.dkf", "/plans/p8.dkf", "/plans/p7.dkf",
                                          "/plans/p6.dkf", "/plans/p4.dkf", "/plans/p3.dkf", "/plans/p2.dkf"};
  EXPECT_EQ(recent.Files(), expected);
  EXPECT_EQ(RecentPlans(settings).Files(), expected) << "kept in the settings file";
  recent.Remove("/plans/p9.dkf");
  EXPECT_EQ(recent.Files().size(), 7u);
  EXPECT_EQ(recent.Files()[1], "/plans/p8.dkf");
  // A name that the settings file could not give back is not kept.
  recent.Add("/plans/two\nlines.dkf");
  recent.Add("/plans/ends in a blank.dkf ");
  EXPECT_EQ(recent.Files().size(), 7u);
  EXPECT_EQ(settings.ReadString("ayarlar", "bolum_kodu", "none"), "none") << "nothing else written";
}

TEST_F(RecentPlansTest, TheSaveDialogStartsAtThePlansFileOrTheLastFolder) {
  Start();
  Commit(1, "ELK", "ELK 101");
  SaveAs(folder / "a.dkf");
  EXPECT_EQ(view.Dialog().save_starts.back(), "") << "nothing used yet";
  EXPECT_EQ(view.Caption().Text(), app->Plan().Caption());
  EXPECT_TRUE(view.Caption().Text().ends_with(" - " + (folder / "a.dkf"))) << view.Caption().Text();

  SaveAs(folder / "b.dkf");
  EXPECT_EQ(view.Dialog().save_starts.back(), folder / "a.dkf");
  EXPECT_TRUE(view.Caption().Text().ends_with(" - " + (folder / "b.dkf"))) << "the new name at once";

  app->Sifirla();
  SaveAs(folder / "c.dkf");
  EXPECT_EQ(view.Dialog().save_starts.back(), folder.Path()) << "no file: the last folder";

  // A new session starts in the folder of the plan used last.
  Start();
  app->menuKaydetClick();  // cancelled
  EXPECT_EQ(view.Dialog().save_starts.back(), folder.Path());
}

TEST_F(RecentPlansTest, OpenedAndSavedPlansAreListedAndOneThatIsGoneIsToldAndDropped) {
  Start();
  Commit(1, "ELK", "ELK 101");
  SaveAs(folder / "a.dkf");
  Commit(2, "ELK", "ELK 102");
  SaveAs(folder / "b.dkf");
  app->Sifirla();
  view.Dialog().next_open_names.push_back(folder / "a.dkf");
  app->menuAcClick();
  EXPECT_EQ(app->RecentPlanFiles(), (std::vector<std::string>{folder / "a.dkf", folder / "b.dkf"}));

  app->RecentPlanClick(folder / "b.dkf");
  EXPECT_EQ(app->Plan().Ders(2).CRN, "21002");
  EXPECT_TRUE(view.Caption().Text().ends_with(" - " + (folder / "b.dkf")));
  EXPECT_EQ(view.MenuGeriAl().Text(), W("Geri al: b.dkf açma"_w));
  EXPECT_EQ(app->RecentPlanFiles().front(), folder / "b.dkf");

  std::filesystem::remove(folder / "a.dkf");
  const planner::PlanSnapshot before = app->Plan().Snapshot();
  app->RecentPlanClick(folder / "a.dkf");
  ASSERT_EQ(view.Dialog().messages.size(), 1u);
  EXPECT_NE(view.Dialog().messages[0].text.find(W("artık yok"_w)), std::string::npos);
  EXPECT_EQ(app->Plan().Snapshot(), before) << "the plan on screen stays";
  EXPECT_EQ(app->RecentPlanFiles(), (std::vector<std::string>{folder / "b.dkf"}));
}

}  // namespace
}  // namespace kiremo::app::testing
