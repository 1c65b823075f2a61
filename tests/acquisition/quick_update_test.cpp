#include "acquisition/quick_update.h"

#include <gtest/gtest.h>
#include <sqlcipher/sqlite3.h>

#include "acquisition/curl_fetcher.h"
#include "acquisition/messages.h"
#include "text/cp1254.h"
#include "text/errors.h"
#include "acquisition_fixture.h"
#include "catalogue/catalogue_files.h"

namespace kiremo::acquisition {
namespace {

using namespace std::chrono_literals;
using testing::SchedulePage;
using testing::SectionRow;

// Runs statements on a catalogue file behind the store's back.
void ExecuteRaw(const std::string& path, const std::string& sql) {
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
  const std::string key = "PRAGMA key = '" + std::string(catalogue::kPassword) + "';";
  char* error = nullptr;
  const int rc = sqlite3_exec(db, (key + sql).c_str(), nullptr, nullptr, &error);
  EXPECT_EQ(rc, SQLITE_OK) << (error ? error : "");
  sqlite3_free(error);
  sqlite3_close(db);
}

class QuickUpdateTest : public ::testing::Test {
 protected:
  void SetUp() override {
    server = testing::StartServer({{"ELK", SchedulePage({SectionRow("11", "ELK 101"), SectionRow("12", "ELK 102")})},
                                   {"MAT", SchedulePage({})}});
  }
  // Row `row` has the department chosen, and stale course and section lists.
  void Choose(int row, const std::string& department) {
    auto& combo = view.DepartmentCombo(row);
    combo.Clear();
    combo.Add(std::string("Seçin"_w));
    combo.Add(department);
    combo.SetItemIndex(department == std::string("Seçin"_w) ? 0 : 1);
    view.CourseCombo(row).Add("ELK 999");
    view.SectionCombo(row).Add("99999");
  }
  QuickUpdateResult Run(int row, const std::string& host) {
    return QuickUpdate(row, view, query1, fetcher, host);
  }

  testing::ProgramFolder folder;
  testing::RecordingView view;
  catalogue::CatalogueQuery query1{folder.MainConnection()};
  CurlFetcher fetcher{{1000ms, 2000ms}};
  std::unique_ptr<demo::ScheduleServer> server;
};

TEST_F(QuickUpdateTest, ReplacesTheDepartmentsTableWithItsPage) {
  Choose(3, "ELK");
  EXPECT_EQ(Run(3, server->Url()), QuickUpdateResult::Updated);
  EXPECT_EQ(folder.Crns("elk"), (std::vector<std::string>{"11", "12"}));
  EXPECT_EQ(folder.Crns("mat"), (std::vector<std::string>{"OLD-MAT"}));
  EXPECT_EQ(view.StatusBar().Text(), std::string("elk güncellendi."_w));
  EXPECT_EQ(view.CourseCombo(3).Count(), 0);
  EXPECT_EQ(view.SectionCombo(3).Count(), 0);
  EXPECT_EQ(view.CourseCombo(2).Count(), 0);  // other rows untouched (they were empty)
}

TEST_F(QuickUpdateTest, TheChoiceIsSentUnchangedAndTheTableIsItsLowerCase) {
  Choose(1, "Elk");
  EXPECT_EQ(Run(1, server->Url()), QuickUpdateResult::Updated);
  ASSERT_EQ(server->Requests().size(), 1u);
  EXPECT_EQ(server->Requests()[0].fb, "Elk");
  EXPECT_EQ(folder.Crns("elk"), (std::vector<std::string>{"11", "12"}));
  EXPECT_EQ(view.StatusBar().Text(), std::string("elk güncellendi."_w));
}

TEST_F(QuickUpdateTest, SecinEmptiesTheRowsListsAndFetchesNothing) {
  Choose(2, std::string("Seçin"_w));
  EXPECT_EQ(Run(2, server->Url()), QuickUpdateResult::Skipped);
  EXPECT_EQ(view.CourseCombo(2).Count(), 0);
  EXPECT_EQ(view.SectionCombo(2).Count(), 0);
  EXPECT_TRUE(server->Requests().empty());
}

TEST_F(QuickUpdateTest, APageWithoutSectionTableKeepsTheOldRows) {
  Choose(1, "MAT");
  EXPECT_EQ(Run(1, server->Url()), QuickUpdateResult::NoTable);
  EXPECT_EQ(folder.Crns("mat"), (std::vector<std::string>{"OLD-MAT"}));
  EXPECT_TRUE(view.StatusBar().history.empty());
}

TEST_F(QuickUpdateTest, AnUnreachableServerWarnsOnEveryChoiceAndChangesNothing) {
  view.MenuOtomatik().SetChecked(true);
  const std::string refusing = testing::RefusingUrl();
  for (int k = 0; k < 2; ++k) {
    Choose(1, "ELK");
    EXPECT_EQ(Run(1, refusing), QuickUpdateResult::FetchFailed);
  }
  ASSERT_EQ(view.Dialog().messages.size(), 2u);
  for (const auto& shown : view.Dialog().messages) {
    EXPECT_EQ(shown.caption, "HATA");
    EXPECT_EQ(shown.text, std::string(kQuickUpdateFailed));
    EXPECT_EQ(shown.icon, ui::Icon::Warning);
  }
  EXPECT_TRUE(view.MenuOtomatik().Checked());
  EXPECT_EQ(folder.Crns("elk"), (std::vector<std::string>{"OLD-ELK"}));
}

TEST_F(QuickUpdateTest, NothingHappensWhileTheCatalogueIsBeingSwitched) {
  query1.SetConnectionString({});
  Choose(1, "ELK");
  EXPECT_EQ(Run(1, server->Url()), QuickUpdateResult::Skipped);
  EXPECT_EQ(view.CourseCombo(1).Count(), 1);
  EXPECT_TRUE(server->Requests().empty());
}

// A store that fails halfway must not leave a half-filled table behind.
TEST_F(QuickUpdateTest, AnInsertFailingHalfwayLeavesTheTableAsItWas) {
  // "kim_tb" is a view whose inserts land in a real table and whose second
  // insert fails: dropping and creating "kim_tb" fail (ignored), the first
  // INSERT goes through, the second raises.
  ExecuteRaw(folder.MainPath(),
             "CREATE TABLE kim_rows (crn TEXT);"
             "INSERT INTO kim_rows VALUES ('OLD-KIM');"
             "CREATE VIEW kim_tb AS SELECT rowid AS id, crn AS CRN, '' AS ders_kodu, '' AS ders_adi, '' AS ogretmen, '' AS bina,"
             " '' AS gun, '' AS saat, '' AS derslik, 0 AS blok, '' AS alabilenler FROM kim_rows;"
             "CREATE TRIGGER kim_insert INSTEAD OF INSERT ON kim_tb BEGIN"
             " SELECT RAISE(ABORT, 'disk dolu') WHERE NEW.crn = '32';"
             " INSERT INTO kim_rows VALUES (NEW.crn); END;");
  auto kim = testing::StartServer({{"KIM", SchedulePage({SectionRow("31", "KIM 101"), SectionRow("32", "KIM 102")})}});
  Choose(1, "KIM");
  EXPECT_THROW(Run(1, kim->Url()), DatabaseError);
  EXPECT_EQ(folder.Crns("kim"), (std::vector<std::string>{"OLD-KIM"}));
  EXPECT_TRUE(view.StatusBar().history.empty());
  // The window's connection is still usable afterwards.
  Choose(1, "ELK");
  EXPECT_EQ(Run(1, server->Url()), QuickUpdateResult::Updated);
}

TEST(MenuOtomatikClickTest, FlipsTheCheckMark) {
  ui::MemoryView view;
  menuOtomatikClick(view);
  EXPECT_TRUE(view.MenuOtomatik().Checked());
  menuOtomatikClick(view);
  EXPECT_FALSE(view.MenuOtomatik().Checked());
}

}  // namespace
}  // namespace kiremo::acquisition
