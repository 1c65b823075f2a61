#include "acquisition/full_update.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>

#include "acquisition/curl_fetcher.h"
#include "acquisition/messages.h"
#include "acquisition/queue_dispatcher.h"
#include "acquisition_fixture.h"
#include "catalogue/catalogue_files.h"
#include "catalogue/department_list.h"
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

  testing::ProgramFolder folder;
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
          {"ELK", SchedulePage({SectionRow("11", "ELK 101", "Devre'ler"), SectionRow("12", "ELK 102")})},
          {"MAT", SchedulePage({SectionRow("21", "MAT 101")})},
          {"FIZ", SchedulePage({})}};
}

TEST_F(FullUpdateTest, ThreeDepartmentsReplaceTheCatalogueAndCountThree) {
  Serve(ThreeDepartments());
  query1.Db();  // the window has the old catalogue open
  RunToEnd();

  EXPECT_EQ(update->Outcome(), UpdateOutcome::Succeeded);
  EXPECT_EQ(folder.Crns("elk"), (std::vector<std::string>{"11", "12"}));
  EXPECT_EQ(folder.Crns("mat"), (std::vector<std::string>{"21"}));
  EXPECT_TRUE(folder.Crns("fiz").empty());                               // no section table: counted, and empty
  EXPECT_EQ(folder.Crns("esk"), (std::vector<std::string>{"OLD-ESK"}));  // unlisted: kept
  EXPECT_FALSE(testing::Exists(folder.TempPath()));
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

TEST_F(FullUpdateTest, TheWindowReadsTheOldCatalogueWhileWorkersRun) {
  demo::ServerOptions slow;
  slow.delay = 150ms;
  Serve(ThreeDepartments(), slow);
  update->menuVeriAlClick();
  ASSERT_TRUE(update->Running());
  EXPECT_EQ(query1.Db().Sections("elk")[0].crn, "OLD-ELK");
  ASSERT_TRUE(dispatcher.RunUntil([&] { return !update->Running(); }, 30s));
  EXPECT_EQ(query1.Db().Sections("elk")[0].crn, "11");
}

TEST_F(FullUpdateTest, EveryCodeIsFetchedOnceWhateverTheCount) {
  std::map<std::string, std::string> pages;
  std::vector<std::string> codes;
  for (char a = 'A'; a <= 'C'; ++a) {
    for (char b = 'A'; b <= 'L'; ++b) {
      const std::string code = std::string("D") + a + b;
      codes.push_back(code);
      pages[code] = SchedulePage({SectionRow("1", code + " 101")});
    }
  }
  codes.push_back("");  // an empty option: fetched with an empty "fb", stored in "_tb"
  pages[""] = SchedulePage({SectionRow("0", "BOS 100")});
  pages["index"] = IndexPage(codes);
  Serve(pages);
  RunToEnd();
  EXPECT_EQ(update->Outcome(), UpdateOutcome::Succeeded);
  std::sort(codes.begin(), codes.end());
  EXPECT_EQ(AskedCodes(), codes);
  EXPECT_EQ(report.LastStatus(), CompletedText(37));
  EXPECT_EQ(folder.Crns(""), (std::vector<std::string>{"0"}));
  EXPECT_EQ(folder.Crns("dcl"), (std::vector<std::string>{"1"}));
}

TEST_F(FullUpdateTest, FewerCodesThanWorkersStillEnds) {
  Serve({{"index", IndexPage({"ELK"})}, {"ELK", SchedulePage({SectionRow("1", "ELK 101")})}});
  RunToEnd();
  EXPECT_EQ(update->Outcome(), UpdateOutcome::Succeeded);
  EXPECT_EQ(report.LastStatus(), CompletedText(1));
}

struct BrokenServer {
  const char* name;
  demo::Failure failure;
  int status;
  int fail_after;
  bool refused;
};

class FullUpdateFailureTest : public FullUpdateTest, public ::testing::WithParamInterface<BrokenServer> {};

// Whatever goes wrong with the pages, the main catalogue stays as it was
// byte for byte, the temporary one is gone, and the workers' connection
// message comes once.
TEST_P(FullUpdateFailureTest, LeavesTheMainCatalogueAsItWas) {
  const BrokenServer broken = GetParam();
  std::map<std::string, std::string> pages{{"index", IndexPage({"ELK", "MAT", "FIZ", "KIM", "BIO", "TAR", "COG"})}};
  for (const char* code : {"ELK", "MAT", "FIZ", "KIM", "BIO", "TAR", "COG"}) {
    pages[code] = SchedulePage({SectionRow("1", std::string(code) + " 101")});
  }
  const std::string before = testing::FileBytes(folder.MainPath());
  if (broken.refused) {
    Prepare(testing::RefusingUrl());
  } else {
    demo::ServerOptions options;
    options.failure = broken.failure;
    options.failure_status = broken.status;
    options.fail_after = broken.fail_after;
    Serve(pages, options);
  }
  const std::string list_before = testing::FileBytes(folder.ListPath());
  RunToEnd();

  EXPECT_EQ(update->Outcome(), UpdateOutcome::Failed);
  EXPECT_EQ(testing::FileBytes(folder.MainPath()), before);
  EXPECT_FALSE(testing::Exists(folder.TempPath()));
  // The department list update says it once more when even the index fails.
  EXPECT_EQ(report.NoticesSaying(kConnectionFailed), broken.refused ? 2 : 1);
  for (const auto& shown : report.notices) EXPECT_EQ(shown.icon, Icon::None);
  EXPECT_TRUE(report.errors.empty());
  EXPECT_EQ(report.LastStatus().find(kCompletedSuffix), std::string::npos);
  if (broken.refused) {
    EXPECT_EQ(testing::FileBytes(folder.ListPath()), list_before);
  }
  EXPECT_EQ(folder.Crns("elk"), (std::vector<std::string>{"OLD-ELK"}));
}

INSTANTIATE_TEST_SUITE_P(
    Servers, FullUpdateFailureTest,
    ::testing::Values(BrokenServer{"Refused", demo::Failure::None, 0, 0, true},
                      BrokenServer{"NotFound", demo::Failure::Status, 404, 0, false},
                      BrokenServer{"Redirect", demo::Failure::Redirect, 0, 0, false},
                      BrokenServer{"ServerErrorAfterTwoPages", demo::Failure::Status, 500, 2, false},
                      BrokenServer{"ClosedMidBodyAfterThreePages", demo::Failure::Close, 0, 3, false},
                      BrokenServer{"StalledAfterOnePage", demo::Failure::Stall, 0, 1, false}),
    [](const auto& info) { return std::string(info.param.name); });

// A store that fails must end the update, not leave it waiting for ever.
TEST_F(FullUpdateTest, AFailingInsertEndsTheUpdateWithoutTouchingTheMainCatalogue) {
  // With the index unreachable the old list is used as it stands: its
  // trailing blank makes the table "yen _tb", while the worker stores into
  // "yen_tb", which does not exist.
  catalogue::WriteDepartmentList(folder.ListPath(), {"ELK", "YEN "});
  Serve({{"ELK", SchedulePage({SectionRow("1", "ELK 101")})}, {"YEN", SchedulePage({SectionRow("2", "YEN 101")})}});
  const std::string before = testing::FileBytes(folder.MainPath());
  RunToEnd();
  EXPECT_EQ(update->Outcome(), UpdateOutcome::Failed);
  EXPECT_EQ(testing::FileBytes(folder.MainPath()), before);
  EXPECT_FALSE(testing::Exists(folder.TempPath()));
  ASSERT_EQ(report.errors.size(), 1u);
  EXPECT_EQ(report.errors[0].rfind(std::string(kStoreFailedIntro), 0), 0u);
  EXPECT_EQ(report.NoticesSaying(kConnectionFailed), 1);  // from the index page only
}

TEST_F(FullUpdateTest, AMissingDepartmentListIsReportedAndNothingStarts) {
  std::filesystem::remove(folder.ListPath());
  Serve({});  // no index page either
  const std::string before = testing::FileBytes(folder.MainPath());
  RunToEnd();
  EXPECT_EQ(update->Outcome(), UpdateOutcome::Failed);
  EXPECT_EQ(report.NoticesSaying(kDepartmentListMissing), 1);
  EXPECT_EQ(report.notices.back().icon, Icon::Error);
  EXPECT_EQ(resets, 0);
  EXPECT_EQ(server->DepartmentPagesAsked(), 0);
  EXPECT_EQ(testing::FileBytes(folder.MainPath()), before);
}

TEST_F(FullUpdateTest, AMissingMainCatalogueIsReportedAsDamaged) {
  std::filesystem::remove(folder.MainPath());
  Serve(ThreeDepartments());
  RunToEnd();
  EXPECT_EQ(update->Outcome(), UpdateOutcome::Failed);
  EXPECT_EQ(report.NoticesSaying(kCatalogueDamaged), 1);
  EXPECT_EQ(report.notices.back().icon, Icon::Error);
  EXPECT_EQ(server->DepartmentPagesAsked(), 0);
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

TEST_F(FullUpdateTest, StoppingAbortsTheTransfersAndKeepsTheOldCatalogue) {
  demo::ServerOptions stalled;
  stalled.failure = demo::Failure::Stall;
  server = testing::StartServer(ThreeDepartments(), stalled);
  Prepare(server->Url(), {1000ms, 60000ms});
  const std::string before = testing::FileBytes(folder.MainPath());
  update->menuVeriAlClick();
  while (server->DepartmentPagesAsked() < 3) std::this_thread::sleep_for(10ms);
  const auto started = std::chrono::steady_clock::now();
  update->Stop();
  EXPECT_LT(std::chrono::steady_clock::now() - started, 5s);
  dispatcher.RunPending();
  EXPECT_FALSE(update->Running());
  EXPECT_EQ(update->Outcome(), UpdateOutcome::Failed);
  EXPECT_EQ(testing::FileBytes(folder.MainPath()), before);
  EXPECT_FALSE(testing::Exists(folder.TempPath()));
  EXPECT_TRUE(report.notices.empty());
}

// The workers' five closes come at about the same time, and the temporary
// file's log is folded in only by a close that sees itself as the last one;
// a reader kept open on the file makes every worker's close one of many.
TEST_F(FullUpdateTest, RowsStillInTheTemporaryLogReachTheMainCatalogue) {
  std::filesystem::copy_file(folder.MainPath(), folder.TempPath());  // a stale one is used as it is
  catalogue::Database reader(catalogue::MakeConnectionString(folder.Path(), catalogue::kTempCatalogue));
  Serve(ThreeDepartments());
  RunToEnd();

  EXPECT_EQ(update->Outcome(), UpdateOutcome::Succeeded);
  EXPECT_EQ(folder.Crns("elk"), (std::vector<std::string>{"11", "12"}));
  EXPECT_EQ(folder.Crns("mat"), (std::vector<std::string>{"21"}));
}

// A worker waiting for its message box must not hold up the window's close.
TEST_F(FullUpdateTest, StoppingWhileTheConnectionMessageWaitsDoesNotHang) {
  Serve({{"index", IndexPage({"ELK", "MAT"})}}, [] {
    demo::ServerOptions options;
    options.failure = demo::Failure::Status;
    options.failure_status = 404;
    return options;
  }());
  update->menuVeriAlClick();
  while (server->DepartmentPagesAsked() < 2) std::this_thread::sleep_for(10ms);
  std::this_thread::sleep_for(100ms);  // the message is handed over, nobody runs it
  update->Stop();
  EXPECT_EQ(update->Outcome(), UpdateOutcome::Failed);
  EXPECT_FALSE(testing::Exists(folder.TempPath()));
  dispatcher.RunPending();
  EXPECT_EQ(report.NoticesSaying(kConnectionFailed), 0);  // the window has closed: no box
}

}  // namespace
}  // namespace kiremo::acquisition
