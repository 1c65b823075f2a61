#include "acquisition/quick_update.h"

#include <gtest/gtest.h>
#include <sqlcipher/sqlite3.h>

#include "acquisition/addresses.h"
#include "acquisition/curl_fetcher.h"
#include "acquisition/messages.h"
#include "acquisition_fixture.h"
#include "catalogue/catalogue_files.h"
#include "catalogue/file_system.h"
#include "text/cp1254.h"
#include "text/errors.h"
#include "text/notice.h"

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
    server =
        testing::StartServer({{"ELK", SchedulePage({SectionRow("21011", "ELK 101"), SectionRow("21012", "ELK 102")})},
                              {"MAT", SchedulePage({})}});
  }
  // The department's page fetched (its text sent unchanged in the address),
  // then stored, as the window's thread gets it.
  QuickUpdateResult Run(const std::string& department, const std::string& host) {
    FetchResult fetched;
    try {
      fetched.page = fetcher.Get(SchedulePageUrl(host, department));
    } catch (const FetchError& e) {
      fetched.error = e;
    }
    return StoreDepartmentPage(department, fetched, query1, report);
  }

  testing::ProgramFolder folder;
  testing::RecordingReport report;
  catalogue::CatalogueQuery query1{folder.MainConnection()};
  CurlFetcher fetcher{{1000ms, 2000ms}};
  std::unique_ptr<demo::ScheduleServer> server;
};

TEST_F(QuickUpdateTest, ReplacesTheDepartmentsTableWithItsPage) {
  EXPECT_EQ(Run("ELK", server->Url()), QuickUpdateResult::Updated);
  EXPECT_EQ(folder.Crns("elk"), (std::vector<std::string>{"21011", "21012"}));
  EXPECT_EQ(folder.Crns("mat"), (std::vector<std::string>{"OLD-MAT"}));
  EXPECT_EQ(report.statuses, (std::vector<std::string>{std::string("elk güncellendi."_w)}));
  EXPECT_TRUE(report.notices.empty());
}

TEST_F(QuickUpdateTest, TheChoiceIsSentUnchangedAndTheTableIsItsLowerCase) {
  EXPECT_EQ(Run("Elk", server->Url()), QuickUpdateResult::Updated);
  ASSERT_EQ(server->Requests().size(), 1u);
  EXPECT_EQ(server->Requests()[0].fb, "Elk");
  EXPECT_EQ(folder.Crns("elk"), (std::vector<std::string>{"21011", "21012"}));
  EXPECT_EQ(report.LastStatus(), std::string("elk güncellendi."_w));
}

TEST_F(QuickUpdateTest, APageWithoutSectionTableKeepsTheOldRows) {
  EXPECT_EQ(Run("MAT", server->Url()), QuickUpdateResult::NoTable);
  EXPECT_EQ(folder.Crns("mat"), (std::vector<std::string>{"OLD-MAT"}));
  EXPECT_TRUE(report.statuses.empty());
  EXPECT_TRUE(report.notices.empty());
}

TEST_F(QuickUpdateTest, AnUnreachableServerWarnsOnEveryChoiceAndChangesNothing) {
  const std::string refusing = testing::RefusingUrl();
  for (int k = 0; k < 2; ++k) EXPECT_EQ(Run("ELK", refusing), QuickUpdateResult::FetchFailed);
  const Notice warning{"HATA", std::string(kQuickUpdateFailed), Icon::Warning};
  EXPECT_EQ(report.notices, (std::vector<Notice>{warning, warning}));
  EXPECT_TRUE(report.statuses.empty());
  EXPECT_EQ(folder.Crns("elk"), (std::vector<std::string>{"OLD-ELK"}));
}

// A page whose body stops inside its table is a failed fetch: the warning,
// and the table as it was. A compressed one is the page it holds.
TEST_F(QuickUpdateTest, ACutOffPageWarnsAndKeepsTheTableAndACompressedOneIsStored) {
  std::vector<std::vector<std::string>> rows;
  for (int k = 0; k < 40; ++k) rows.push_back(SectionRow(std::to_string(21000 + k), "ELK " + std::to_string(100 + k)));
  for (const demo::Failure failure : {demo::Failure::Truncated, demo::Failure::Garbled, demo::Failure::Gzip}) {
    demo::ServerOptions options;
    options.failure = failure;
    auto odd = testing::StartServer({{"ELK", SchedulePage(rows)}}, options);
    report = {};
    if (failure == demo::Failure::Gzip) {
      EXPECT_EQ(Run("ELK", odd->Url()), QuickUpdateResult::Updated);
      EXPECT_EQ(folder.Crns("elk").size(), 40u);
      continue;
    }
    EXPECT_EQ(Run("ELK", odd->Url()), QuickUpdateResult::FetchFailed);
    EXPECT_EQ(report.notices, (std::vector<Notice>{{"HATA", std::string(kQuickUpdateFailed), Icon::Warning}}));
    EXPECT_EQ(folder.Crns("elk"), (std::vector<std::string>{"OLD-ELK"}));
  }
}

TEST_F(QuickUpdateTest, RowsWithoutACrnAreLeftOutAndCounted) {
  auto page =
      testing::StartServer({{"ELK", SchedulePage({SectionRow("21011", "ELK 101"), SectionRow("<script>", "ELK 102"),
                                                  SectionRow("2101", "ELK 103")})}});
  EXPECT_EQ(Run("ELK", page->Url()), QuickUpdateResult::Updated);
  EXPECT_EQ(folder.Crns("elk"), (std::vector<std::string>{"21011"}));
  EXPECT_EQ(report.LastStatus(), std::string("elk güncellendi. CRN'si beş rakamdan oluşmayan 2 satır alınmadı."_w));
}

// A catalogue that cannot be read is not written to: the reader that
// follows says so, and the full update rebuilds it.
TEST_F(QuickUpdateTest, ADamagedCatalogueIsLeftAloneAndNothingIsSaid) {
  WriteFileAtomically(folder.MainPath(), std::string(8192, 'x'));
  EXPECT_EQ(Run("ELK", server->Url()), QuickUpdateResult::Unreadable);
  EXPECT_EQ(testing::FileBytes(folder.MainPath()), std::string(8192, 'x'));
  EXPECT_TRUE(report.notices.empty());
  EXPECT_TRUE(report.statuses.empty());
}

// A store that fails halfway must not leave a half-filled table behind.
TEST_F(QuickUpdateTest, AnInsertFailingHalfwayLeavesTheTableAsItWas) {
  // "kim_tb" is a view whose inserts land in a real table and whose second
  // insert fails: dropping and creating "kim_tb" fail (ignored), the first
  // INSERT goes through, the second raises.
  ExecuteRaw(folder.MainPath(),
             "CREATE TABLE kim_rows (crn TEXT);"
             "INSERT INTO kim_rows VALUES ('OLD-KIM');"
             "CREATE VIEW kim_tb AS SELECT rowid AS id, crn AS CRN, '' AS ders_kodu, '' AS ders_adi, '' AS ogretmen, "
             "'' AS bina,"
             " '' AS gun, '' AS saat, '' AS derslik, 0 AS blok, '' AS alabilenler FROM kim_rows;"
             "CREATE TRIGGER kim_insert INSTEAD OF INSERT ON kim_tb BEGIN"
             " SELECT RAISE(ABORT, 'disk dolu') WHERE NEW.crn = '31032';"
             " INSERT INTO kim_rows VALUES (NEW.crn); END;");
  auto kim =
      testing::StartServer({{"KIM", SchedulePage({SectionRow("31031", "KIM 101"), SectionRow("31032", "KIM 102")})}});
  EXPECT_THROW(Run("KIM", kim->Url()), DatabaseError);
  EXPECT_EQ(folder.Crns("kim"), (std::vector<std::string>{"OLD-KIM"}));
  EXPECT_TRUE(report.statuses.empty());
  // The window's connection is still usable afterwards.
  EXPECT_EQ(Run("ELK", server->Url()), QuickUpdateResult::Updated);
}

}  // namespace
}  // namespace kiremo::acquisition
