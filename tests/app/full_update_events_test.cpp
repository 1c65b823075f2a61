#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>

#include "acquisition/addresses.h"
#include "acquisition/messages.h"
#include "app/app_fixture.h"
#include "cli/page_fixture.h"
#include "planner/markers.h"

// The window while "Veri Al/Güncelle" runs: the rows the update reset, the
// results and the panel it cleared, and what the status line says at its end.
namespace kiremo::app::testing {
namespace {

using namespace std::chrono_literals;

std::string W(std::string_view cp1254) { return std::string(cp1254); }

// Gives the department index at once and keeps every department page
// waiting until its fetch is given up, so the update runs until cancelled.
class HangingPages : public acquisition::Fetcher {
 public:
  HangingPages() : index_url_(acquisition::DepartmentIndexUrl(kSchedule)) {}

 private:
  std::string DoGet(const std::string& url, std::stop_token stop) override {
    if (url == index_url_) return testing_support::IndexPageBytes({"ELK", "MAT"});
    std::mutex mutex;
    std::condition_variable_any never;
    std::unique_lock lock(mutex);
    never.wait(lock, stop, [] { return false; });
    throw acquisition::FetchError("stopped");
  }

  const std::string index_url_;
};

// Rows 1 ELK 101, 2 ELK 102 and 3 MAT 101 committed; the department pages
// of an update never come.
class FullUpdateEventsTest : public AppTest {
 protected:
  // The App goes before the fetcher it uses.
  ~FullUpdateEventsTest() override { app.reset(); }

  void SetUp() override {
    StartupOptions options = Options();
    options.network.emplace(NetworkParts{hanging, site, acquisition::Hosts{kSchedule, kSite}});
    StartWith(std::move(options));
    Commit(1, "ELK", "ELK 101");
    Commit(2, "ELK", "ELK 102");
    Commit(3, "MAT", "MAT 101");
  }

  void Commit(int row, const std::string& department, const std::string& course) {
    Pick(3 * row - 2, department);
    Pick(3 * row - 1, course);
    Pick(3 * row, view.ComboBox(3 * row).Item(1));
    app->KaydetClick(row);
  }

  // "Veri Al/Güncelle", until its workers run and the plan is reset.
  void StartUpdate() {
    app->menuVeriAlClick();
    ASSERT_TRUE(dispatcher.RunUntil([&] { return app->RowsWaitForUpdate(); }, 20s));
    ASSERT_EQ(app->Plan().Ders(1).CRN, "");
  }

  HangingPages hanging;
};

TEST_F(FullUpdateEventsTest, TheRowsStayAsTheResetLeftThemUntilThePlanComesBack) {
  StartUpdate();
  EXPECT_EQ(view.RowsReadOnly(), W("Güncelleme bitene kadar ders satırları değiştirilemez."_w));
  Pick(10, "MAT");  // a choice that reaches the program anyway
  EXPECT_EQ(app->Plan().Row(4).department.Text(), planner::kSecin);
  EXPECT_TRUE(app->CellMenu({{1, 1}}).empty()) << "busy hours belong to the plan that comes back";
  EXPECT_TRUE(app->SwatchMenu(1).empty());

  app->CancelFetch();
  EXPECT_FALSE(app->Updates().Full().Running());
  EXPECT_EQ(view.RowsReadOnly(), "");
  EXPECT_EQ(app->Plan().Ders(1).CRN, "21001");
  EXPECT_EQ(app->Plan().Ders(3).CRN, "31001");
  EXPECT_EQ(view.StatusBar().Text(), acquisition::kUpdateCancelled);
  EXPECT_FALSE(app->CellMenu({{1, 1}}).empty());
}

TEST_F(FullUpdateEventsTest, AnUpdateGivenUpKeepsTheResultsAndThePanelTheyWereMadeWith) {
  view.EditSt().SetText("8");
  view.Edit2().SetText("ISB");
  view.Chk(4).SetChecked(true);
  app->btnYerlestirClick();
  ASSERT_EQ(view.ComboBox31().Count(), 2);
  view.ComboBox31().SetItemIndex(1);
  app->ComboBox31Change();
  const std::size_t candidates = app->Generator().Candidates.size();
  ASSERT_EQ(candidates, 3u);

  StartUpdate();
  EXPECT_EQ(view.ComboBox31().Count(), 0);
  EXPECT_TRUE(app->Generator().Candidates.empty());
  EXPECT_EQ(view.EditSt().Text(), "9");
  EXPECT_FALSE(view.Chk(4).Checked());

  app->CancelFetch();
  app->GeneratorInputChanged();  // the next event finds the results still fresh
  ASSERT_EQ(view.ComboBox31().Count(), 2);
  EXPECT_EQ(view.ComboBox31().ItemIndex(), 1);
  EXPECT_EQ(view.EditSt().Text(), "8");
  EXPECT_EQ(view.Edit2().Text(), "ISB");
  EXPECT_TRUE(view.Chk(4).Checked());
  EXPECT_EQ(app->Generator().Candidates.size(), candidates) << "what the alternatives are applied from";
}

// The department list could not be fetched: the status line no longer
// promises a fetch that Esc could give up.
TEST_F(AppTest, AFailedUpdateEndsTheFetchingLine) {
  Start();
  app->menuVeriAlClick();
  ASSERT_TRUE(dispatcher.RunUntil([&] { return !app->Updates().Full().Running(); }, 20s));
  dispatcher.RunPending();
  EXPECT_EQ(view.StatusBar().Text(), acquisition::kUpdateNotDone);
  ASSERT_EQ(view.Dialog().messages.size(), 1u);
  EXPECT_EQ(view.Dialog().messages[0].text, acquisition::kConnectionFailed);
}

}  // namespace
}  // namespace kiremo::app::testing
