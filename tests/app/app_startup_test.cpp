#include <gtest/gtest.h>

#include <filesystem>

#include "app/app_fixture.h"
#include "catalogue/file_system.h"
#include "support/desktop_session.h"
#include "text/program.h"

namespace kiremo::app::testing {
namespace {

using StartupTest = AppTest;

TEST_F(StartupTest, FirstStartShowsTheResetWindowAndTheDefaults) {
  App& started = Start();
  EXPECT_EQ(started.VersionText(), "1.51");
  EXPECT_EQ(view.Caption().Text(), ProgramTitle());
  EXPECT_EQ(view.ComboBox(1).Items(), (std::vector<std::string>{std::string("Seçin"_w), "ELK", "MAT"}));
  EXPECT_EQ(view.ComboBox(28).Count(), 3);
  EXPECT_EQ(view.Edit1().Text(), "ELK");
  EXPECT_TRUE(view.CheckBox1().Checked());
  EXPECT_FALSE(view.MenuOtomatik().Checked());
  EXPECT_EQ(view.EditSt().Text(), "9");
  EXPECT_EQ(view.EditEnd().Text(), "19");
  EXPECT_EQ(view.Edit2().Text(), "MKB,ISB,MMB,GDB");
  EXPECT_TRUE(view.Dialog().errors.empty());
  EXPECT_TRUE(view.Dialog().messages.empty());
  EXPECT_EQ(started.Query1().ConnectionString(), catalogue.ConnectionString());
  EXPECT_EQ(site.asked.size(), 2u) << "the version check asked for both files";
  EXPECT_FALSE(std::filesystem::exists(SettingsFile())) << "nothing is written before a change or a close";
}

TEST_F(StartupTest, StoredSettingsComeBackAndEdit1IsWrittenBackNormalised) {
  WriteFileAtomically(SettingsFile(),
                      "[ayarlar]\r\nbolum_kodu= mat \r\notomatik_guncelleme=1\r\nsaat_ust_limit=18\r\n");
  Start();
  EXPECT_EQ(view.Edit1().Text(), "mat");
  EXPECT_TRUE(view.MenuOtomatik().Checked());
  EXPECT_EQ(view.EditEnd().Text(), "18");
  // Setting Edit1 raised its change event, which stored the text upper-cased.
  EXPECT_EQ(IniFile(SettingsFile()).ReadString("ayarlar", "bolum_kodu", "hata"), "MAT");
}

TEST_F(StartupTest, MissingDepartmentListEndsTheSequenceButNotTheProgram) {
  catalogue.RemoveDepartmentList();
  Start(folder / "plan.dkf");
  ASSERT_EQ(view.Dialog().errors.size(), 1u);
  EXPECT_NE(view.Dialog().errors[0].find("kodlar.dat"), std::string::npos) << view.Dialog().errors[0];
  EXPECT_TRUE(site.asked.empty()) << "no version check after the failed step";
  EXPECT_TRUE(view.Dialog().messages.empty()) << "no load after the failed step";
  EXPECT_EQ(view.Caption().Text(), ProgramTitle());
}

// A catalogue that cannot be read is said at start, with what rebuilds it
// (reinstalling the program does not touch it); the window stays usable.
TEST_F(StartupTest, ADamagedCatalogueIsSaidAtStartWithTheWayOut) {
  WriteFileAtomically(folder / "DataBase/dbase.dbs", std::string(5000, 'x'));
  Start();
  ASSERT_EQ(view.Dialog().messages.size(), 1u);
  EXPECT_EQ(view.Dialog().messages[0].caption, "HATA");
  EXPECT_EQ(view.Dialog().messages[0].icon, Icon::Error);
  EXPECT_NE(view.Dialog().messages[0].text.find("\"Program > Veri Al/Güncelle\""_w), std::string::npos);
  EXPECT_TRUE(view.Dialog().errors.empty());
  EXPECT_EQ(view.ComboBox(1).Count(), 3) << "the department lists are filled all the same";
}

TEST_F(StartupTest, NewerVersionIsAnnouncedAndAnUnreachableSiteIsNot) {
  site.pages[std::string(kSite) + "/kiremo/version.txt"] = "1.52";
  Start();
  ASSERT_EQ(view.Dialog().messages.size(), 1u);
  EXPECT_EQ(view.Dialog().messages[0].caption, std::string("Güncelleme"_w));

  ui::MemoryView quiet;
  site.pages.clear();
  App offline(quiet, dispatcher, Options());
  offline.FormCreate();
  EXPECT_TRUE(quiet.Dialog().messages.empty());
  EXPECT_TRUE(quiet.Dialog().errors.empty());
}

TEST_F(StartupTest, PlanNamedOnTheCommandLineIsLoaded) {
  Start();
  Pick(1, "ELK");
  Pick(2, "ELK 101");
  Pick(3, view.ComboBox(3).Item(1));
  app->KaydetClick(1);
  view.Dialog().next_save_names.push_back(folder / "plan 1.dkf");
  app->menuKaydetClick();
  ASSERT_TRUE(std::filesystem::exists(folder / "plan 1.dkf"));

  ui::MemoryView next;
  App reopened(next, dispatcher, Options(folder / "plan 1.dkf"));
  reopened.FormCreate();
  EXPECT_TRUE(next.Dialog().errors.empty());
  EXPECT_EQ(next.ComboBox(2).Text(), "ELK 101");
  EXPECT_EQ(reopened.Plan().Ders(1).CRN, "21001");
  EXPECT_TRUE(reopened.StartupFile().empty()) << "the start-up file is read once";
  EXPECT_TRUE(next.Dialog().filters_asked.empty()) << "no dialog for the start-up file";
}

TEST_F(StartupTest, UnreadablePlanOnTheCommandLineLeavesTheResetPlan) {
  Start(folder / "missing.dkf");
  EXPECT_EQ(view.Dialog().messages.size(), 1u) << "the load says why";
  EXPECT_EQ(view.ComboBox(1).Text(), std::string("Seçin"_w));
  EXPECT_EQ(view.Caption().Text(), ProgramTitle());
}

// On a machine where the program's package is installed too, the copy
// started takes over the plans.
TEST_F(StartupTest, EveryStartRegistersTheAssociationAndDeletesTheHistoryFolder) {
  const testing_support::DesktopSession session{xdg / "data", xdg / "config", xdg / "system/share", xdg / "system/xdg"};
  ASSERT_TRUE(testing_support::InstallPackagedEntry(session));
  std::filesystem::create_directories(folder / "__history/x");
  StartupOptions options = Options();
  options.executable_path = testing_support::MakeExecutable(xdg / "copy/kiremo");
  StartWith(std::move(options));
  EXPECT_FALSE(std::filesystem::exists(folder / "__history"));
  EXPECT_EQ(session.DefaultForPlans(), "kiremo.desktop");
  WriteFileAtomically(folder / "plan.dkf", "x");
  EXPECT_EQ(session.TypeOf(folder / "plan.dkf"), "application/x-kiremo-plan");
  EXPECT_NE(ReadWholeFile(xdg / "data/applications/kiremo.desktop").find("Exec=" + xdg / "copy/kiremo %f"),
            std::string::npos);
}

TEST_F(StartupTest, AssociationThatCannotBeWrittenIsSilent) {
  WriteFileAtomically(xdg / "file", "x");
  StartupOptions options = Options();
  options.xdg = {xdg / "file/data", xdg / "file/config"};
  StartWith(std::move(options));
  EXPECT_TRUE(view.Dialog().errors.empty());
  EXPECT_EQ(view.ComboBox(1).Count(), 3) << "start-up went on";
}

// An installed program keeps its data in the user's home and leaves the
// association to its package.
TEST_F(StartupTest, InstalledFirstStartMakesAnEmptyCatalogueAndSaysHowToFetchOne) {
  testing_support::TempFolder data;
  auto start_installed = [&] {
    StartupOptions options = Options();
    options.program_folder = data.Path();
    options.installed = true;
    StartWith(std::move(options));
  };
  start_installed();
  EXPECT_TRUE(view.Dialog().errors.empty());
  ASSERT_EQ(view.Dialog().messages.size(), 1u);
  EXPECT_NE(view.Dialog().messages[0].text.find("Veri Al/Güncelle"_w), std::string::npos);
  EXPECT_EQ(view.ComboBox(1).Count(), 1) << "only \"Seçin\"";
  EXPECT_TRUE(std::filesystem::exists(data / "DataBase/dbase.dbs"));
  EXPECT_EQ(ReadWholeFile(data / "DataBase/kodlar.dat"), "");
  EXPECT_TRUE(site.asked.empty()) << "the system's packages update an installed program";
  EXPECT_FALSE(std::filesystem::exists(xdg / "data")) << "the package registers the association";
  EXPECT_FALSE(std::filesystem::exists(xdg / "config"));

  // The next start finds the catalogue and says nothing.
  view.Dialog().messages.clear();
  start_installed();
  EXPECT_TRUE(view.Dialog().messages.empty());
  EXPECT_TRUE(view.Dialog().errors.empty());
}

// A packaged program asks for a newer version only once the student turned
// the check on; the choice is stored at once and kept for the next start.
TEST_F(StartupTest, InstalledProgramChecksForANewVersionOnlyWhenTurnedOn) {
  site.pages[std::string(kSite) + "/kiremo/version.txt"] = "1.52";
  auto start = [&](bool installed) {
    StartupOptions options = Options();
    options.installed = installed;
    site.asked.clear();
    view.Dialog().messages.clear();
    return &StartWith(std::move(options));
  };
  App* started = start(true);
  EXPECT_TRUE(started->VersionCheckMenuShown());
  EXPECT_FALSE(started->VersionCheckAtStart());
  EXPECT_TRUE(site.asked.empty());
  EXPECT_TRUE(view.Dialog().messages.empty());

  started->VersionCheckClick();
  EXPECT_TRUE(started->VersionCheckAtStart());
  EXPECT_EQ(IniFile(SettingsFile()).ReadString("ayarlar", "acilista_surum_denetimi", "yok"), "1");
  started = start(true);
  EXPECT_EQ(site.asked.size(), 2u);
  ASSERT_EQ(view.Dialog().messages.size(), 1u);
  EXPECT_EQ(view.Dialog().messages[0].caption, std::string("Güncelleme"_w));

  started->VersionCheckClick();
  EXPECT_FALSE(IniFile(SettingsFile()).ReadBool("ayarlar", "acilista_surum_denetimi", true));
  EXPECT_TRUE(started->FormClose());
  start(true);
  EXPECT_TRUE(site.asked.empty()) << "turned off again, and kept off by the close";

  // A copy run from its own folder asks at every start, whatever is stored.
  started = start(false);
  EXPECT_FALSE(started->VersionCheckMenuShown());
  EXPECT_EQ(site.asked.size(), 2u);
}

TEST_F(StartupTest, InstalledStartWithACatalogueShowsItsDepartments) {
  StartupOptions options = Options();
  options.installed = true;
  StartWith(std::move(options));
  EXPECT_TRUE(view.Dialog().messages.empty());
  EXPECT_EQ(view.ComboBox(1).Count(), 3);
  EXPECT_FALSE(std::filesystem::exists(xdg / "data"));
}

}  // namespace
}  // namespace kiremo::app::testing
