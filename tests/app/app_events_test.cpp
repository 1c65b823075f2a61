#include <gtest/gtest.h>

#include <filesystem>

#include "app/app_fixture.h"
#include "catalogue/file_system.h"
#include "text/cp1254.h"
#include "text/text_helpers.h"

namespace kiremo::app::testing {
namespace {

using EventsTest = AppTest;

TEST_F(EventsTest, CloseWritesTheSettingsAndAnInvalidHourKeepsTheWindow) {
  Start();
  view.EditSt().SetText("");
  EXPECT_FALSE(app->FormClose());
  EXPECT_EQ(view.Dialog().errors, (std::vector<std::string>{"'' is not a valid integer value"}));
  view.EditSt().SetText("10");
  EXPECT_TRUE(app->FormClose());
  EXPECT_EQ(IniFile(SettingsFile()).ReadInteger("ayarlar", "saat_alt_limit", 0), 10);
}

// A settings file that cannot be written is told once per run, in Turkish:
// on the status line while the student types (a box would take the next
// key), in one box at the close, which closes the window all the same.
TEST_F(EventsTest, SettingsFileThatCannotBeWrittenIsToldOnceAndTheWindowCloses) {
  std::filesystem::create_directory(SettingsFile());
  Start();
  for (const char* typed : {"M", "MA", "MAT"}) view.Edit1().SetText(typed);
  EXPECT_EQ(view.Edit1().Text(), "MAT") << "the edit keeps its new text";
  EXPECT_TRUE(view.Dialog().messages.empty());
  EXPECT_TRUE(view.Dialog().errors.empty());
  const std::string told = "\"" + SettingsFile() + std::string("\" ayar dosyasına yazılamadı: Bu bir klasör."_w);
  EXPECT_EQ(view.StatusBar().Text(), told);
  EXPECT_TRUE(app->FormClose());
  EXPECT_TRUE(app->FormClose());
  ASSERT_EQ(view.Dialog().messages.size(), 1u);
  EXPECT_EQ(view.Dialog().messages[0].caption, "Ayarlar");
  EXPECT_EQ(view.Dialog().messages[0].icon, ui::Icon::Warning);
  EXPECT_TRUE(view.Dialog().messages[0].text.starts_with(told)) << view.Dialog().messages[0].text;
  EXPECT_TRUE(view.Dialog().errors.empty());
}

TEST_F(EventsTest, ResetAppliesTheStoredSettingsAgain) {
  Start();
  view.Edit2().SetText("");
  view.EditEnd().SetText("15");
  WriteFileAtomically(SettingsFile(), "[ayarlar]\nsaat_alt_limit=11\n");
  app->Sifirla();
  EXPECT_EQ(view.Edit2().Text(), "MKB,ISB,MMB,GDB");
  EXPECT_EQ(view.EditSt().Text(), "11");
  EXPECT_EQ(view.EditEnd().Text(), "19");
}

TEST_F(EventsTest, ErrorOfAnEventIsShownAndTheNextEventWorks) {
  Start();
  catalogue.RemoveDepartmentList();
  app->Sifirla();
  ASSERT_EQ(view.Dialog().errors.size(), 1u);
  EXPECT_NE(view.Dialog().errors[0].find("kodlar.dat"), std::string::npos);
  app->YardimClick();
  EXPECT_EQ(view.Browser().opened.size(), 1u);
}

TEST_F(EventsTest, DepartmentPickRefreshesFirstOnlyWithAutomaticUpdate) {
  Start();
  Pick(1, "ELK");
  EXPECT_TRUE(pages.asked.empty());
  EXPECT_EQ(view.ComboBox(2).Count(), 3) << "Seçin and the two course codes";

  app->menuOtomatikClick();
  ASSERT_TRUE(view.MenuOtomatik().Checked());
  Pick(4, "MAT");
  Settle();
  ASSERT_EQ(pages.asked.size(), 1u);
  EXPECT_NE(pages.asked[0].find("fb=MAT"), std::string::npos) << pages.asked[0];
  // The fetch failed: the warning box, then the course codes all the same.
  ASSERT_EQ(view.Dialog().messages.size(), 1u);
  EXPECT_EQ(view.Dialog().messages[0].icon, ui::Icon::Warning);
  EXPECT_EQ(view.ComboBox(5).Count(), 2);

  app->menuOtomatikClick();
  EXPECT_FALSE(view.MenuOtomatik().Checked());
}

TEST_F(EventsTest, InfoButtonRemembersItsRowForTheLookupMenu) {
  Start();
  Pick(7, "ELK");
  Pick(8, "ELK 102");
  Pick(9, view.ComboBox(9).Item(1));
  app->ButtonClick(3);
  app->popHocaClick();
  ASSERT_EQ(view.Browser().opened.size(), 1u);
  EXPECT_NE(view.Browser().opened[0].find("ou="), std::string::npos) << view.Browser().opened[0];
  EXPECT_EQ(app->Plan().BilgiSatiri(), 3);
}

TEST_F(EventsTest, GridSelectionAndRemovalActOnTheLastSelectedCell) {
  Start();
  Pick(1, "ELK");
  Pick(2, "ELK 101");
  Pick(3, view.ComboBox(3).Item(1));
  app->KaydetClick(1);
  EXPECT_EQ(app->Plan().Cell(1, 1), 1);
  app->btnCikarClick();  // nothing selected yet: the header corner
  EXPECT_EQ(app->Plan().Ders(1).CRN, "21001");
  app->Grid1SelectCell(1, 1);
  EXPECT_EQ(app->Plan().SeciliSutun(), 1);
  app->btnCikarClick();
  EXPECT_TRUE(app->Plan().Ders(1).CRN.empty());
  EXPECT_TRUE(view.Dialog().errors.empty());
}

TEST_F(EventsTest, HelpOpensTheProgramPage) {
  ::setenv("KIREMO_SITE_URL", "http://127.0.0.1:9/", 1);
  Start();
  app->YardimClick();
  ::unsetenv("KIREMO_SITE_URL");
  EXPECT_EQ(view.Browser().opened, (std::vector<std::string>{"http://127.0.0.1:9/yazilar/zemu-kiremo/"}));
}

TEST_F(EventsTest, CrnCommandsAndFileMenuReachThePlanFiles) {
  Start();
  view.Clip().SetText(std::string("önceden kopyalanan"_w));
  app->CRNListeKopyalaClick();
  EXPECT_EQ(view.Clip().Text(), "önceden kopyalanan"_w) << "nothing to copy leaves the clipboard alone";
  EXPECT_EQ(view.StatusBar().Text(), "Kopyalanacak CRN yok: önce bir ders ekle."_w);
  Pick(1, "ELK");
  Pick(2, "ELK 101");
  Pick(3, view.ComboBox(3).Item(1));
  app->KaydetClick(1);
  app->CRNListeKopyalaClick();
  EXPECT_NE(view.Clip().Text().find("21001"), std::string::npos);
  EXPECT_TRUE(StartsWith(view.StatusBar().Text(), "1 dersin CRN listesi belleğe kopyalandı"_w));
  app->CRNScriptKopyalaClick();
  EXPECT_NE(view.Clip().Text().find("getElementById(\"crn_id\""), std::string::npos);

  view.Dialog().next_save_names.push_back(folder / "grid");
  app->menuExcelClick();
  EXPECT_TRUE(std::filesystem::exists(folder / "grid.xlsx")) << "the extension is added";

  app->menuAcClick();  // cancelled
  EXPECT_EQ(view.Dialog().filters_asked.back(), std::string("Ders Programları (*.dkf)|*.dkf"_w));
  EXPECT_EQ(app->Plan().Ders(1).CRN, "21001");
}

// "Veri Al/Güncelle" resets the plan once it runs: unsaved work is asked
// about first, and "Vazgeç" starts nothing.
TEST_F(EventsTest, CatalogueUpdateAsksAboutUnsavedWorkFirst) {
  Start();
  app->menuVeriAlClick();
  EXPECT_TRUE(view.Dialog().save_questions.empty()) << "nothing to lose";
  ASSERT_TRUE(app->Updates().Full().Running()) << "the update runs";
  while (app->Updates().Full().Running()) dispatcher.WaitAndRun(std::chrono::milliseconds(50));
  dispatcher.RunPending();
  ASSERT_FALSE(pages.asked.empty());

  Pick(1, "ELK");
  ASSERT_TRUE(app->PlanModified());
  const std::size_t asked = pages.asked.size();
  view.Dialog().next_save_choices = {ui::SaveChoice::Cancel};
  app->menuVeriAlClick();
  EXPECT_EQ(view.Dialog().save_questions.size(), 1u);
  EXPECT_FALSE(app->Updates().Full().Running());
  dispatcher.RunPending();
  EXPECT_EQ(pages.asked.size(), asked);
  EXPECT_EQ(view.ComboBox(1).Text(), "ELK");
}

}  // namespace
}  // namespace kiremo::app::testing
