#include "acquisition/full_update.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <set>

#include "acquisition/curl_fetcher.h"
#include "acquisition/messages.h"
#include "acquisition/queue_dispatcher.h"
#include "acquisition_fixture.h"
#include "catalogue/catalogue_files.h"
#include "catalogue/department_list.h"
#include "catalogue/file_system.h"
#include "catalogue/folder_lock.h"
#include "support/child_process.h"
#include "support/silent_server.h"
#include "text/cp1254.h"

namespace kiremo::acquisition {
namespace {

using namespace std::chrono_literals;
using testing::IndexPage;
using testing::SchedulePage;
using testing::SectionRow;

// The window thread is the test's own: it drains the dispatcher.
class FullUpdateTest : public ::testing::Test {
 protected:
  void Prepare(const std::string& host, FetchTimeouts timeouts = {1000ms, 3000ms}) {
    fetcher = std::make_unique<CurlFetcher>(timeouts);
    update = std::make_unique<FullUpdate>(folder.Path(), host, report, dispatcher, query1, *fetcher, [this] {
      ++resets;
      update->ClearConnectionErrorShown();  // what the planner's reset does
    });
  }
  void Serve(std::map<std::string, std::string> pages, demo::ServerOptions options = {}) {
    server = testing::StartServer(std::move(pages), std::move(options));
    Prepare(server->Url());
  }
  void RunToEnd() {
    update->menuVeriAlClick();
    ASSERT_TRUE(dispatcher.RunUntil([&] { return !update->Running(); }, 30s));
    dispatcher.RunPending();
  }
  std::vector<std::string> AskedCodes() const {
    std::vector<std::string> codes;
    for (const auto& seen : server->Requests()) {
      if (seen.fb) codes.push_back(*seen.fb);
    }
    std::sort(codes.begin(), codes.end());
    return codes;
  }
  // The catalogue folder's files: at rest only the catalogue and its list.
  std::set<std::string> CatalogueFiles() const {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder.Path() + "DataBase")) {
      names.insert(entry.path().filename().string());
    }
    return names;
  }
  // The tables of the main catalogue.
  std::vector<std::string> TableNames() const {
    catalogue::Database main(folder.MainConnection());
    return main.TableNames();
  }
  // The old pair, byte for byte, and nothing beside it.
  void ExpectOldPair() const {
    EXPECT_TRUE(testing::FileBytes(folder.MainPath()) == main_before);
    EXPECT_EQ(testing::FileBytes(folder.ListPath()), list_before);
    EXPECT_EQ(CatalogueFiles(), kAtRest);
  }

  const std::set<std::string> kAtRest{"dbase.dbs", "kodlar.dat"};
  testing::ProgramFolder folder;
  const std::string main_before = testing::FileBytes(folder.MainPath());
  const std::string list_before = testing::FileBytes(folder.ListPath());
  testing::RecordingReport report;
  QueueDispatcher dispatcher;
  catalogue::CatalogueQuery query1{folder.MainConnection()};
  std::unique_ptr<demo::ScheduleServer> server;
  std::unique_ptr<CurlFetcher> fetcher;
  std::unique_ptr<FullUpdate> update;
  int resets = 0;
};

std::map<std::string, std::string> ThreeDepartments() {
  return {{"index", IndexPage({"ELK", "MAT", "FIZ"})},
          {"ELK", SchedulePage({SectionRow("21011", "ELK 101", "Devre'ler"), SectionRow("21012", "ELK 102")})},
          {"MAT", SchedulePage({SectionRow("31021", "MAT 101")})},
          {"FIZ", SchedulePage({})}};
}

TEST_F(FullUpdateTest, ThreeDepartmentsReplaceTheCatalogueAndTheListAndCountThree) {
  Serve(ThreeDepartments());
  query1.Db();  // the window has the old catalogue open
  RunToEnd();

  EXPECT_EQ(update->Outcome(), UpdateOutcome::Succeeded);
  EXPECT_EQ(folder.Crns("elk"), (std::vector<std::string>{"21011", "21012"}));
  EXPECT_EQ(folder.Crns("mat"), (std::vector<std::string>{"31021"}));
  EXPECT_TRUE(folder.Crns("fiz").empty());  // no section table: counted, and empty
  EXPECT_EQ(TableNames(), (std::vector<std::string>{"elk_tb", "fiz_tb", "mat_tb"}));  // unlisted ESK: dropped
  EXPECT_EQ(testing::FileBytes(folder.ListPath()), "ELK\r\nMAT\r\nFIZ\r\n");
  EXPECT_EQ(CatalogueFiles(), kAtRest);
  EXPECT_EQ(AskedCodes(), (std::vector<std::string>{"ELK", "FIZ", "MAT"}));
  EXPECT_EQ(resets, 1);
  EXPECT_TRUE(report.notices.empty());

  const auto& history = report.statuses;
  ASSERT_GE(history.size(), 5u);
  EXPECT_EQ(history[0], std::string(kDepartmentListUpdated));
  EXPECT_EQ(history[1], std::string("Geçici Tablolar Yaratıldı"_w));
  EXPECT_NE(std::find(history.begin(), history.end(), std::string("elk güncellendi."_w)), history.end());
  EXPECT_NE(std::find(history.begin(), history.end(), std::string("mat güncellendi."_w)), history.end());
  EXPECT_EQ(std::find(history.begin(), history.end(), std::string("fiz güncellendi."_w)), history.end());
  EXPECT_EQ(history.back(), CompletedText(3));
  EXPECT_EQ(history.back(),
            std::string("3 tane sayfayı tek tek dolaşıp ne var ne yok alarak güncelleme işlemini tamamladım!"_w));

  // Query1 reads the new catalogue.
  EXPECT_EQ(query1.ConnectionString(), folder.MainConnection());
  ASSERT_EQ(query1.Db().Sections("elk").size(), 2u);
  EXPECT_EQ(query1.Db().Sections("elk")[0].ders_adi, "Devre'ler");
}

TEST_F(FullUpdateTest, TheWindowReadsTheOldCatalogueAndListWhileTheUpdateRuns) {
  demo::ServerOptions slow;
  slow.delay = 150ms;
  Serve(ThreeDepartments(), slow);
  update->menuVeriAlClick();
  ASSERT_TRUE(update->Running());
  ASSERT_TRUE(dispatcher.RunUntil([&] { return resets == 1; }, 30s));  // the workers have started
  EXPECT_EQ(query1.Db().Sections("elk")[0].crn, "OLD-ELK");
  EXPECT_EQ(testing::FileBytes(folder.ListPath()), list_before);
  ASSERT_TRUE(dispatcher.RunUntil([&] { return !update->Running(); }, 30s));
  EXPECT_EQ(query1.Db().Sections("elk")[0].crn, "21011");
}

TEST_F(FullUpdateTest, EveryCodeIsFetchedOnceWhateverTheCount) {
  std::map<std::string, std::string> pages;
  std::vector<std::string> codes;
  for (char a = 'A'; a <= 'C'; ++a) {
    for (char b = 'A'; b <= 'L'; ++b) {
      const std::string code = std::string("D") + a + b;
      codes.push_back(code);
      pages[code] = SchedulePage({SectionRow("10001", code + " 101")});
    }
  }
  codes.push_back("");  // an empty option: fetched with an empty "fb", stored in "_tb"
  pages[""] = SchedulePage({SectionRow("10000", "BOS 100")});
  pages["index"] = IndexPage(codes);
  Serve(pages);
  RunToEnd();
  EXPECT_EQ(update->Outcome(), UpdateOutcome::Succeeded);
  std::sort(codes.begin(), codes.end());
  EXPECT_EQ(AskedCodes(), codes);
  EXPECT_EQ(report.LastStatus(), CompletedText(37));
  EXPECT_EQ(folder.Crns(""), (std::vector<std::string>{"10000"}));
  EXPECT_EQ(folder.Crns("dcl"), (std::vector<std::string>{"10001"}));
}

TEST_F(FullUpdateTest, FewerCodesThanWorkersStillEnds) {
  Serve({{"index", IndexPage({"ELK"})}, {"ELK", SchedulePage({SectionRow("10001", "ELK 101")})}});
  RunToEnd();
  EXPECT_EQ(update->Outcome(), UpdateOutcome::Succeeded);
  EXPECT_EQ(report.LastStatus(), CompletedText(1));
}

// The list step failing ends the update: the old list is not fetched again
// (which would empty every department), and the message says once what
// happened.
TEST_F(FullUpdateTest, AFailedDepartmentListStepEndsTheUpdateWithOneMessage) {
  Prepare(testing::RefusingUrl());
  RunToEnd();
  EXPECT_EQ(update->Outcome(), UpdateOutcome::Failed);
  EXPECT_EQ(report.notices,
            (std::vector<Notice>{{std::string(kCaptionError), std::string(kConnectionFailed), Icon::None}}));
  EXPECT_EQ(resets, 0);
  ExpectOldPair();
}

// A page the server would not give is named by what it holds, not by its
// address; the status line says the update did not happen.
TEST_F(FullUpdateTest, AFailedPageIsNamedByWhatItHolds) {
  demo::ServerOptions failing;
  failing.failure = demo::Failure::Status;
  failing.failure_status = 500;
  Serve({{"index", IndexPage({"ELK"})}}, failing);
  RunToEnd();
  ASSERT_EQ(report.notices.size(), 1u);
  EXPECT_EQ(report.notices[0].text,
            std::string("Sunucu ELK bölümünün ders programı sayfası için HTTP 500 hatası verdi. "
                        "Ders bilgileri olduğu gibi duruyor."_w));
  EXPECT_EQ(report.LastStatus(), kUpdateNotDone);

  report.notices.clear();
  Serve({{"ELK", SchedulePage({})}});  // no index page
  RunToEnd();
  ASSERT_EQ(report.notices.size(), 1u);
  EXPECT_EQ(report.notices[0].text, std::string("Sunucu bölüm listesi sayfası için HTTP 404 hatası verdi. Ders "
                                                "bilgileri olduğu gibi duruyor."_w));
  EXPECT_EQ(report.LastStatus(), kUpdateNotDone);
  ExpectOldPair();
}

// The department list file missing is no reason to give up: the update
// makes it.
TEST_F(FullUpdateTest, AMissingDepartmentListIsMadeByTheUpdate) {
  std::filesystem::remove(folder.ListPath());
  Serve(ThreeDepartments());
  RunToEnd();
  EXPECT_EQ(update->Outcome(), UpdateOutcome::Succeeded);
  EXPECT_EQ(testing::FileBytes(folder.ListPath()), "ELK\r\nMAT\r\nFIZ\r\n");
}

// The update needs nothing of the old catalogue: one that is missing,
// empty, not a catalogue, under another password or a pipe is rebuilt. The
// damaged file waits as dbase.dbs.bozuk while the pages come, and the
// switch removes it.
TEST_F(FullUpdateTest, ADamagedCatalogueIsRebuiltAndSetAsideUntilTheSwitch) {
  const std::string aside = folder.MainPath() + ".bozuk";
  const struct {
    const char* what;
    std::function<void(const std::string&)> damage;
    bool kept;  // a file to set aside
  } cases[] = {
      {"missing", [](const std::string& path) { std::filesystem::remove(path); }, false},
      {"empty", [](const std::string& path) { std::filesystem::resize_file(path, 0); }, true},
      {"not a catalogue", [](const std::string& path) { WriteFileAtomically(path, std::string(8192, 'x')); }, true},
      {"another password",
       [](const std::string& path) {
         std::filesystem::remove(path);
         catalogue::Database::CreateEmpty(path, "1234567");
       },
       true},
      {"a pipe",
       [](const std::string& path) {
         std::filesystem::remove(path);
         ::mkfifo(path.c_str(), 0644);
       },
       true},
  };
  demo::ServerOptions slow;
  slow.delay = 100ms;
  Serve(ThreeDepartments(), slow);
  for (const auto& c : cases) {
    c.damage(folder.MainPath());
    report = {};
    update->menuVeriAlClick();
    ASSERT_TRUE(dispatcher.RunUntil([&] { return resets > 0 || !update->Running(); }, 30s)) << c.what;
    EXPECT_EQ(testing::Exists(aside), c.kept) << c.what;
    EXPECT_FALSE(testing::Exists(folder.MainPath())) << c.what;
    ASSERT_TRUE(dispatcher.RunUntil([&] { return !update->Running(); }, 30s)) << c.what;
    resets = 0;
    EXPECT_EQ(update->Outcome(), UpdateOutcome::Succeeded) << c.what;
    EXPECT_TRUE(report.notices.empty()) << c.what;
    EXPECT_EQ(folder.Crns("elk"), (std::vector<std::string>{"21011", "21012"})) << c.what;
    EXPECT_EQ(TableNames(), (std::vector<std::string>{"elk_tb", "fiz_tb", "mat_tb"})) << c.what;
    EXPECT_EQ(CatalogueFiles(), kAtRest) << c.what;
  }
}

// An update that fails puts the damaged file back where it was, unchanged.
TEST_F(FullUpdateTest, AFailedUpdateOfADamagedCatalogueLeavesItAsItWas) {
  WriteFileAtomically(folder.MainPath(), std::string(8192, 'x'));
  demo::ServerOptions failing;
  failing.failure = demo::Failure::Status;
  failing.failure_status = 500;
  Serve(ThreeDepartments(), failing);
  RunToEnd();
  EXPECT_EQ(update->Outcome(), UpdateOutcome::Failed);
  EXPECT_EQ(testing::FileBytes(folder.MainPath()), std::string(8192, 'x'));
  EXPECT_EQ(testing::FileBytes(folder.ListPath()), list_before);
  EXPECT_EQ(CatalogueFiles(), kAtRest);
}

// Something the update cannot set aside (a folder where the catalogue
// should be) is named, and nothing is said of a new department list.
TEST_F(FullUpdateTest, AFolderInTheCataloguesPlaceIsNamedAndNothingChanges) {
  std::filesystem::remove(folder.MainPath());
  std::filesystem::create_directory(folder.MainPath());
  Serve(ThreeDepartments());
  RunToEnd();
  EXPECT_EQ(update->Outcome(), UpdateOutcome::Failed);
  ASSERT_EQ(report.notices.size(), 1u);
  EXPECT_NE(report.notices[0].text.find("dbase.dbs\" bir klasör"_w), std::string::npos) << report.notices[0].text;
  EXPECT_NE(report.notices[0].text.find("olduğu gibi duruyor"_w), std::string::npos) << report.notices[0].text;
  EXPECT_EQ(std::find(report.statuses.begin(), report.statuses.end(), std::string(kDepartmentListUpdated)),
            report.statuses.end());
  EXPECT_EQ(server->DepartmentPagesAsked(), 0);
  EXPECT_EQ(testing::FileBytes(folder.ListPath()), list_before);
  EXPECT_TRUE(std::filesystem::is_directory(folder.MainPath()));
}

// What a killed or failed update left (a cut-off temporary catalogue, a new
// list) is never used by the next one.
TEST_F(FullUpdateTest, LeftoversOfAnEarlierUpdateAreNeverUsed) {
  WriteFileAtomically(folder.TempPath(), main_before.substr(0, 4096));
  WriteFileAtomically(folder.TempPath() + "-wal", "not a log");
  WriteFileAtomically(folder.Path() + std::string(catalogue::kDepartmentListNew), "XYZ\r\n");
  Serve(ThreeDepartments());
  RunToEnd();
  EXPECT_EQ(update->Outcome(), UpdateOutcome::Succeeded);
  EXPECT_EQ(folder.Crns("elk"), (std::vector<std::string>{"21011", "21012"}));
  EXPECT_EQ(testing::FileBytes(folder.ListPath()), "ELK\r\nMAT\r\nFIZ\r\n");
  EXPECT_EQ(CatalogueFiles(), kAtRest);
}

TEST_F(FullUpdateTest, ChoosingTheCommandAgainWhileItRunsStartsNothing) {
  demo::ServerOptions slow;
  slow.delay = 200ms;
  Serve(ThreeDepartments(), slow);
  update->menuVeriAlClick();
  update->menuVeriAlClick();
  EXPECT_EQ(report.NoticesSaying(kUpdateAlreadyRunning), 1);
  ASSERT_TRUE(dispatcher.RunUntil([&] { return !update->Running(); }, 30s));
  EXPECT_EQ(update->Outcome(), UpdateOutcome::Succeeded);
  EXPECT_EQ(AskedCodes(), (std::vector<std::string>{"ELK", "FIZ", "MAT"}));
  EXPECT_EQ(resets, 1);

  RunToEnd();  // once it has ended, the command works again
  EXPECT_EQ(update->Outcome(), UpdateOutcome::Succeeded);
  EXPECT_EQ(server->DepartmentPagesAsked(), 6);
}

// Another program (or window) updating the same folder holds its lock.
TEST_F(FullUpdateTest, AnUpdateOfAnotherProgramIsWaitedForNotJoined) {
  Serve(ThreeDepartments());
  auto other = catalogue::FolderLock::TryAcquire(folder.Path() + "DataBase/");
  ASSERT_TRUE(other.has_value());
  RunToEnd();
  EXPECT_EQ(update->Outcome(), UpdateOutcome::Failed);
  EXPECT_EQ(
      report.notices,
      (std::vector<Notice>{{std::string(kCaptionNotice), std::string(kUpdateAlreadyRunning), Icon::Information}}));
  EXPECT_TRUE(server->Requests().empty());
  other.reset();
  EXPECT_EQ(CatalogueFiles(), kAtRest);
  RunToEnd();
  EXPECT_EQ(update->Outcome(), UpdateOutcome::Succeeded);
}

TEST_F(FullUpdateTest, AReadOnlyCatalogueFolderIsSaidAndLeftAlone) {
  Serve(ThreeDepartments());
  const std::string data = folder.Path() + "DataBase";
  ::chmod(data.c_str(), 0555);
  RunToEnd();
  ::chmod(data.c_str(), 0755);
  EXPECT_EQ(update->Outcome(), UpdateOutcome::Failed);
  ASSERT_EQ(report.notices.size(), 1u);
  EXPECT_EQ(report.notices[0].text, ReadOnlyFolderText(data));
  EXPECT_TRUE(server->Requests().empty());
  ExpectOldPair();
}

// A catalogue folder that is a file or a pipe is no read-only folder and no
// damaged catalogue: the box says what it is.
TEST_F(FullUpdateTest, ACatalogueFolderThatIsNoFolderIsNamedAsSuch) {
  Serve(ThreeDepartments());
  const std::string data = folder.Path() + "DataBase";
  const std::string kept = folder.Path() + "DataBase.saklanan";
  std::filesystem::rename(data, kept);
  for (const bool pipe : {false, true}) {
    if (pipe) {
      ASSERT_EQ(::mkfifo(data.c_str(), 0644), 0);
    } else {
      WriteFileAtomically(data, "x");
    }
    report = {};
    RunToEnd();
    EXPECT_EQ(update->Outcome(), UpdateOutcome::Failed);
    ASSERT_EQ(report.notices.size(), 1u);
    EXPECT_EQ(report.notices[0].text,
              "\"" + data + std::string("\" bir klasör değil; ders bilgileri bu adda bir klasörde durur."_w));
    std::filesystem::remove(data);
  }
  std::filesystem::rename(kept, data);
  EXPECT_TRUE(server->Requests().empty());
  ExpectOldPair();
}

// The department list is fetched off the window's thread: the window keeps
// serving the student while a silent server keeps it waiting, and giving up
// ends the fetch at once and changes nothing.
TEST_F(FullUpdateTest, GivingUpOnASilentServerEndsAtOnceAndChangesNothing) {
  testing_support::SilentServer silent;
  Prepare(silent.Url(), {1000ms, 60000ms});
  update->menuVeriAlClick();
  EXPECT_TRUE(update->Running());
  ASSERT_TRUE(dispatcher.RunUntil([&] { return silent.Connections() > 0; }, 5s));
  dispatcher.RunUntil([] { return false; }, 200ms);
  const auto started = std::chrono::steady_clock::now();
  EXPECT_TRUE(update->Cancel());
  EXPECT_LT(std::chrono::steady_clock::now() - started, 1s);
  EXPECT_FALSE(update->Running());
  EXPECT_EQ(update->Outcome(), UpdateOutcome::Failed);
  EXPECT_EQ(report.LastStatus(), kUpdateCancelled);
  EXPECT_TRUE(report.notices.empty());
  ExpectOldPair();
  EXPECT_FALSE(update->Cancel());
}

TEST_F(FullUpdateTest, StoppingAbortsTheTransfersAndKeepsTheOldCatalogue) {
  demo::ServerOptions stalled;
  stalled.failure = demo::Failure::Stall;
  server = testing::StartServer(ThreeDepartments(), stalled);
  Prepare(server->Url(), {1000ms, 60000ms});
  update->menuVeriAlClick();
  ASSERT_TRUE(dispatcher.RunUntil([&] { return server->DepartmentPagesAsked() >= 3; }, 10s));
  const auto started = std::chrono::steady_clock::now();
  update->Stop();
  EXPECT_LT(std::chrono::steady_clock::now() - started, 1s);
  dispatcher.RunPending();
  EXPECT_FALSE(update->Running());
  EXPECT_EQ(update->Outcome(), UpdateOutcome::Failed);
  EXPECT_TRUE(report.notices.empty());
  ExpectOldPair();
}

// The workers' five closes come at about the same time, and the temporary
// file's log is folded in only by a close that sees itself as the last one;
// a reader kept open on the file makes every worker's close one of many.
TEST_F(FullUpdateTest, RowsStillInTheTemporaryLogReachTheMainCatalogue) {
  demo::ServerOptions slow;
  slow.delay = 100ms;
  Serve(ThreeDepartments(), slow);
  update->menuVeriAlClick();
  ASSERT_TRUE(dispatcher.RunUntil([&] { return resets == 1; }, 30s));
  catalogue::Database reader(catalogue::MakeConnectionString(folder.Path(), catalogue::kTempCatalogue));
  ASSERT_TRUE(dispatcher.RunUntil([&] { return !update->Running(); }, 30s));
  EXPECT_EQ(update->Outcome(), UpdateOutcome::Succeeded);
  EXPECT_EQ(folder.Crns("elk"), (std::vector<std::string>{"21011", "21012"}));
  EXPECT_EQ(folder.Crns("mat"), (std::vector<std::string>{"31021"}));
}

// A worker waiting for its message box must not hold up the window's close.
TEST_F(FullUpdateTest, StoppingWhileTheFailureMessageWaitsDoesNotHang) {
  demo::ServerOptions failing;
  failing.failure = demo::Failure::Status;
  failing.failure_status = 404;
  Serve({{"index", IndexPage({"ELK", "MAT"})}}, failing);
  update->menuVeriAlClick();
  ASSERT_TRUE(dispatcher.RunUntil([&] { return resets == 1; }, 30s));
  while (server->DepartmentPagesAsked() < 2) std::this_thread::sleep_for(10ms);
  std::this_thread::sleep_for(100ms);  // the message is handed over, nobody runs it
  update->Stop();
  EXPECT_EQ(update->Outcome(), UpdateOutcome::Failed);
  dispatcher.RunPending();
  EXPECT_TRUE(report.notices.empty());  // the window has closed: no box
  ExpectOldPair();
}

// An index that lists a department twice, or in two cases, names one
// table: each department is fetched and stored once.
TEST_F(FullUpdateTest, ADepartmentListedTwiceOrInTwoCasesIsTakenOnce) {
  std::map<std::string, std::string> pages = ThreeDepartments();
  pages["index"] = IndexPage({"ELK", "MAT", "ELK", "elk", "FIZ", "Mat", "MAT"});
  Serve(pages);
  RunToEnd();
  EXPECT_EQ(update->Outcome(), UpdateOutcome::Succeeded);
  EXPECT_EQ(AskedCodes(), (std::vector<std::string>{"ELK", "FIZ", "MAT"}));
  EXPECT_EQ(folder.Crns("elk"), (std::vector<std::string>{"21011", "21012"}));
  EXPECT_EQ(testing::FileBytes(folder.ListPath()), "ELK\r\nMAT\r\nFIZ\r\n");
  EXPECT_EQ(report.LastStatus(), CompletedText(3));
}

// Ten thousand departments are no university's: the update says so at once
// and fetches nothing.
TEST_F(FullUpdateTest, AnIndexOfTooManyDepartmentsIsRefusedAtOnce) {
  std::vector<std::string> codes;
  constexpr char kSigns[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  for (int k = 0; k < 10000; ++k) codes.push_back({kSigns[k / 1296], kSigns[k / 36 % 36], kSigns[k % 36]});
  Serve({{"index", IndexPage(codes)}});
  const auto started = std::chrono::steady_clock::now();
  RunToEnd();
  EXPECT_LT(std::chrono::steady_clock::now() - started, 10s);
  EXPECT_EQ(update->Outcome(), UpdateOutcome::Failed);
  ASSERT_EQ(report.notices.size(), 1u);
  EXPECT_EQ(report.notices[0].text, TooManyDepartmentsText(10000));
  EXPECT_EQ(server->DepartmentPagesAsked(), 0);
  EXPECT_EQ(resets, 0);
  ExpectOldPair();
}

// A code that cannot name a table (a zero byte would cut its name; a byte
// the code page leaves undefined can be shown nowhere) is left out, and the
// end of the update says how many were; so are rows whose CRN is no CRN.
TEST_F(FullUpdateTest, CodesAndRowsThatCannotBeStoredAreLeftOutAndCounted) {
  std::map<std::string, std::string> pages = ThreeDepartments();
  pages["index"] = IndexPage({"ELK", std::string("E\0K", 3), "MAT", "X\x81Y", "FIZ"});
  pages["MAT"] = SchedulePage({SectionRow("31021", "MAT 101"), SectionRow("1,alert(1)", "MAT 102"),
                               SectionRow("3102", "MAT 103"), SectionRow("31024", "MAT 104")});
  Serve(pages);
  RunToEnd();
  EXPECT_EQ(update->Outcome(), UpdateOutcome::Succeeded);
  EXPECT_TRUE(report.notices.empty());
  EXPECT_EQ(AskedCodes(), (std::vector<std::string>{"ELK", "FIZ", "MAT"}));
  EXPECT_EQ(testing::FileBytes(folder.ListPath()), "ELK\r\nMAT\r\nFIZ\r\n");
  EXPECT_EQ(folder.Crns("mat"), (std::vector<std::string>{"31021", "31024"}));
  EXPECT_EQ(report.LastStatus(), CompletedText(3) + LeftOutText(2, 2));
  EXPECT_NE(report.LastStatus().find("2 kod"), std::string::npos);
  EXPECT_NE(report.LastStatus().find("2 satır"_w), std::string::npos);
}

// A department the server no longer lists leaves the catalogue with the
// update, so that nothing still finds its sections.
TEST_F(FullUpdateTest, ADepartmentNoLongerListedIsDropped) {
  std::map<std::string, std::string> pages = ThreeDepartments();
  pages["index"] = IndexPage({"ELK", "MAT"});
  Serve(pages);
  RunToEnd();
  EXPECT_EQ(update->Outcome(), UpdateOutcome::Succeeded);
  EXPECT_EQ(TableNames(), (std::vector<std::string>{"elk_tb", "mat_tb"}));
  EXPECT_EQ(testing::FileBytes(folder.ListPath()), "ELK\r\nMAT\r\n");
}

// Pages compressed by the server, asked for or not, are stored as the pages
// they are; a body that cannot be decoded, or a page that stops inside its
// table although its length was honest, fails the update like a page that
// never came.
TEST_F(FullUpdateTest, CompressedPagesAreDecodedAndCutOrUndecodableOnesFailTheUpdate) {
  std::vector<std::vector<std::string>> rows;
  for (int k = 0; k < 80; ++k) rows.push_back(SectionRow(std::to_string(21000 + k), "ELK " + std::to_string(100 + k)));
  std::map<std::string, std::string> pages = ThreeDepartments();
  pages["ELK"] = SchedulePage(rows);
  const struct {
    demo::Failure failure;
    const char* says;  // nothing: the update succeeds
  } cases[] = {{demo::Failure::Gzip, nullptr},
               {demo::Failure::Deflate, nullptr},
               {demo::Failure::Garbled, "açamadığım bir sıkıştırmayla"},
               {demo::Failure::Truncated, "eksik gönderdi"}};
  for (const auto& c : cases) {
    demo::ServerOptions options;
    options.failure = c.failure;
    Serve(pages, options);
    report = {};
    RunToEnd();
    if (!c.says) {
      EXPECT_EQ(update->Outcome(), UpdateOutcome::Succeeded);
      EXPECT_EQ(folder.Crns("elk").size(), 80u);
      EXPECT_EQ(folder.Crns("mat"), (std::vector<std::string>{"31021"}));
      continue;
    }
    EXPECT_EQ(update->Outcome(), UpdateOutcome::Failed) << c.says;
    ASSERT_EQ(report.notices.size(), 1u) << c.says;
    EXPECT_NE(report.notices[0].text.find(std::string(Utf8ToCp1254(c.says))), std::string::npos)
        << report.notices[0].text;
    EXPECT_TRUE(report.notices[0].text.ends_with(kNothingChanged)) << report.notices[0].text;
    EXPECT_EQ(folder.Crns("elk").size(), 80u) << c.says;  // the last good update's
    EXPECT_EQ(CatalogueFiles(), kAtRest) << c.says;
  }
}

// A disk that fills up at any step of the update (the new list, the copy of
// the catalogue, its tables, the stored pages) is said as such, and leaves
// the old pair as it was. Each step runs in a child whose files may not
// grow past the limit. The child starts its own server: a fork taken while
// the server's threads run may copy a lock one of them held (the sanitizers'
// allocator's, for one) and the child would wait on it for ever.
TEST_F(FullUpdateTest, AFullDiskAtAnyStepIsSaidAndChangesNothing) {
  std::map<std::string, std::string> pages = ThreeDepartments();
  std::vector<std::vector<std::string>> rows;
  for (int k = 0; k < 2000; ++k)
    rows.push_back(SectionRow(std::to_string(20000 + k), "ELK 1" + std::to_string(k % 50)));
  pages["ELK"] = SchedulePage(rows);
  const auto size = static_cast<rlim_t>(main_before.size());
  for (const rlim_t limit : {rlim_t{1}, rlim_t{100}, size / 2, size + 4096, size + 100000}) {
    const int outcome = testing_support::InChildWithFileSizeLimit(limit, [&] {
      Serve(pages);
      RunToEnd();
      const int result = update->Outcome() != UpdateOutcome::Failed                      ? 1
                         : report.NoticesSaying(kDiskFull) == 1 && report.errors.empty() ? 0
                                                                                         : 2;
      update.reset();  // joins the update's thread before the child ends
      server.reset();
      return result;
    });
    EXPECT_EQ(outcome, 0) << "limit " << limit;
    ExpectOldPair();
  }
}

}  // namespace
}  // namespace kiremo::acquisition
