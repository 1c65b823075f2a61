#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <utility>

#include "acquisition/addresses.h"
#include "acquisition/messages.h"
#include "app/app_fixture.h"
#include "cli/page_fixture.h"

// Choosing a department while "Otomatik güncelleme" is on: the quick update's
// steps around the acquisition, then the course-code fill.
namespace kiremo::app::testing {
namespace {

// Hands every request to another fetcher after letting the test look at the
// window as it is at that moment.
class WatchingFetcher : public acquisition::Fetcher {
 public:
  WatchingFetcher(acquisition::Fetcher& inner, std::function<void()> watch) : inner_(inner), watch_(std::move(watch)) {}

 private:
  std::string DoGet(const std::string& url, std::stop_token stop) override {
    watch_();
    return inner_.Get(url, stop);
  }

  acquisition::Fetcher& inner_;
  std::function<void()> watch_;
};

std::string PageUrl(const std::string& department) { return acquisition::SchedulePageUrl(kSchedule, department); }

std::string PageOf(const std::vector<std::string>& course_codes) {
  std::vector<testing_support::PageRow> rows;
  int crn = 40001;
  for (const std::string& code : course_codes) {
    rows.push_back({std::to_string(crn++), code, "Ders", "Ali Veli", "EEB", "Pazartesi", "0830/1029", "D1", "ELK"});
  }
  return testing_support::SchedulePageBytes(rows);
}

class DepartmentChoiceTest : public AppTest {
 protected:
  // Starts with the switch on and row 2 holding MAT's course and section
  // lists from the catalogue as it was.
  void StartWithRowTwoFilled(std::chrono::milliseconds settle = {}) {
    StartupOptions options = Options();
    options.network.emplace(NetworkParts{watching, site, acquisition::Hosts{kSchedule, kSite}, settle});
    StartWith(std::move(options));
    Pick(4, "MAT");
    Pick(5, "MAT 101");
    ASSERT_EQ(view.ComboBox(6).Count(), 2);
    app->menuOtomatikClick();
    ASSERT_TRUE(view.MenuOtomatik().Checked());
  }

  // The row-2 course and section list sizes at each request.
  std::vector<std::pair<int, int>> lists_at_fetch;
  WatchingFetcher watching{pages,
                           [this] { lists_at_fetch.emplace_back(view.ComboBox(5).Count(), view.ComboBox(6).Count()); }};
};

TEST_F(DepartmentChoiceTest, TheDepartmentIsRefreshedWithEmptiedListsBeforeItsCoursesAreListed) {
  pages.pages[PageUrl("MAT")] = PageOf({"MAT 201", "MAT 202"});
  StartWithRowTwoFilled();
  Pick(4, "MAT");
  Settle();
  EXPECT_EQ(pages.asked, (std::vector<std::string>{PageUrl("MAT")}));
  EXPECT_EQ(lists_at_fetch, (std::vector<std::pair<int, int>>{{0, 0}}));
  EXPECT_EQ(view.StatusBar().Text(), std::string("mat güncellendi."_w));
  EXPECT_EQ(view.ComboBox(5).Items(), (std::vector<std::string>{std::string("Seçin"_w), "MAT 201", "MAT 202"}));
  EXPECT_TRUE(view.Dialog().messages.empty());
}

TEST_F(DepartmentChoiceTest, SecinEmptiesTheRowsListsAndFetchesNothing) {
  StartWithRowTwoFilled();
  Pick(4, "Seçin"_w);
  EXPECT_TRUE(pages.asked.empty());
  EXPECT_EQ(view.ComboBox(5).Count(), 0);
  EXPECT_EQ(view.ComboBox(6).Count(), 0);
}

TEST_F(DepartmentChoiceTest, NothingIsFetchedWhileTheCatalogueIsBeingSwitched) {
  StartWithRowTwoFilled();
  app->Query1().SetConnectionString({});
  Pick(4, "MAT");
  EXPECT_TRUE(pages.asked.empty());
}

TEST_F(DepartmentChoiceTest, AFailedFetchWarnsKeepsTheSwitchOnAndListsTheOldCourses) {
  StartWithRowTwoFilled();
  Pick(4, "MAT");
  Settle();
  ASSERT_EQ(view.Dialog().messages.size(), 1u);
  EXPECT_EQ(view.Dialog().messages[0].caption, "HATA");
  EXPECT_EQ(view.Dialog().messages[0].text, std::string(acquisition::kQuickUpdateFailed));
  EXPECT_EQ(view.Dialog().messages[0].icon, ui::Icon::Warning);
  EXPECT_TRUE(view.MenuOtomatik().Checked());
  EXPECT_EQ(view.ComboBox(5).Items(), (std::vector<std::string>{std::string("Seçin"_w), "MAT 101"}));
}

// A mouse wheel over the list chooses one department per notch: only the
// one it stops at is fetched, and every row keeps its own choice.
TEST_F(DepartmentChoiceTest, ChoicesInQuickSuccessionFetchOnlyTheDepartmentSettledOn) {
  pages.pages[PageUrl("MAT")] = PageOf({"MAT 201"});
  pages.pages[PageUrl("ELK")] = PageOf({"ELK 301"});
  StartWithRowTwoFilled(std::chrono::milliseconds(200));
  Pick(4, "ELK");
  Pick(4, "MAT");
  Pick(4, "ELK");
  Pick(4, "MAT");
  Pick(1, "ELK");
  Settle();
  EXPECT_EQ(pages.asked, (std::vector<std::string>{PageUrl("MAT"), PageUrl("ELK")}));
  EXPECT_EQ(view.ComboBox(5).Items(), (std::vector<std::string>{std::string("Seçin"_w), "MAT 201"}));
  EXPECT_EQ(view.ComboBox(2).Items(), (std::vector<std::string>{std::string("Seçin"_w), "ELK 301"}));
  EXPECT_TRUE(view.Dialog().messages.empty());
}

// Given up before the page came: nothing fetched is stored, and the row
// lists the courses the catalogue already has.
TEST_F(DepartmentChoiceTest, CancellingAWaitingUpdateListsTheCataloguesCourses) {
  pages.pages[PageUrl("MAT")] = PageOf({"MAT 201"});
  StartWithRowTwoFilled(std::chrono::seconds(30));
  Pick(4, "MAT");
  ASSERT_TRUE(app->FetchBusy());
  EXPECT_EQ(view.ComboBox(5).Count(), 0);
  app->CancelFetch();
  EXPECT_FALSE(app->FetchBusy());
  EXPECT_TRUE(pages.asked.empty());
  EXPECT_EQ(view.ComboBox(5).Items(), (std::vector<std::string>{std::string("Seçin"_w), "MAT 101"}));
  EXPECT_EQ(view.StatusBar().Text(), acquisition::DepartmentNotUpdatedText("MAT"));
}

// A store that fails ends the event: the standard error box, and no
// course-code fill after it (the lists stay as the quick update left them).
TEST_F(DepartmentChoiceTest, AFailingStoreEndsTheEventBeforeTheCourseCodesAreListed) {
  // Names beginning with "sqlite_" are the engine's own: the table can be
  // neither dropped nor made, so the first INSERT fails.
  catalogue.ListedOnly("SQLITE_X");
  pages.pages[PageUrl("SQLITE_X")] = PageOf({"SQL 101"});
  StartWithRowTwoFilled();
  Pick(4, "SQLITE_X");
  Settle();
  ASSERT_EQ(view.Dialog().errors.size(), 1u);
  EXPECT_NE(view.Dialog().errors[0].find("sqlite_x_tb"), std::string::npos) << view.Dialog().errors[0];
  EXPECT_TRUE(view.Dialog().messages.empty());
  EXPECT_EQ(view.ComboBox(5).Count(), 0);
  EXPECT_EQ(view.ComboBox(6).Count(), 0);
}

}  // namespace
}  // namespace kiremo::app::testing
