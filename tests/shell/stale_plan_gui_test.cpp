#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QTest>
#include <QThread>
#include <algorithm>
#include <chrono>

#include "acquisition/curl_fetcher.h"
#include "cli/page_fixture.h"
#include "demo_server/schedule_server.h"
#include "files/plan_io.h"
#include "planner/planner.h"
#include "shell/gui_fixture.h"
#include "shell/qt_dialogs.h"
#include "shell/qt_text.h"
#include "shell/shape_widget.h"
#include "text/cp1254.h"

// A plan saved before the department changed its sections, loaded at
// start-up; then "Veri Al/Güncelle" against a local server with the new term.
namespace kiremo::shell::testing {
namespace {

using testing_support::PageRow;

std::string W(std::string_view cp1254) { return std::string(cp1254); }

demo::ServerOptions Delayed(std::chrono::milliseconds delay) {
  demo::ServerOptions options;
  options.delay = delay;
  return options;
}

class StalePlanGuiTest : public GuiTest {
 protected:
  // ELK 101 (21001) in row 1 and MAT 101 (31001) in row 2, from the catalogue as it is.
  void SavePlan() {
    catalogue::CatalogueQuery query1(catalogue.ConnectionString());
    planner::Planner planner(query1, folder.Path(), "http://127.0.0.1:9/", "Plan");
    planner.Sifirla();
    for (const auto& [row, course, crn] : {std::tuple{1, "ELK 101", "21001"}, std::tuple{2, "MAT 101", "31001"}}) {
      planner.SelectDepartment(row, planner.Row(row).department.IndexOf(std::string(course).substr(0, 3)));
      planner.DersKoduEkle(row);
      planner.SelectCourse(row, planner.Row(row).course.IndexOf(course));
      planner.AcilanDersEkle(row);
      const auto& items = planner.Row(row).section.items;
      for (std::size_t k = 0; k < items.size(); ++k) {
        if (items[k].crn == crn) planner.SelectSection(row, static_cast<int>(k));
      }
      planner.KaydetClick(row);
    }
    files::WritePlanFile(plan, planner.Snapshot());
  }

  // The new term: 21001 moved to Wednesday, 31001 in another room; every
  // department page comes after `delay`.
  void ServeNewTerm(std::chrono::milliseconds delay = {}) {
    const std::string elk = testing_support::SchedulePageBytes(
        {{"21001", "ELK 101", "Ders", "Ali Veli", "EEB", W("Çarşamba"_w), "1030/1229", "D1", "ELK"},
         {"21002", "ELK 101", "Ders", "Can Er", "EEB", W("Salı"_w), "1030/1229", "D1", "ELK"},
         {"21003", "ELK 102", "Ders", W("Ayşe Kaya"_w), "EEB", "Pazartesi", "0930/1129", "D1", "ELK"}});
    const std::string mat = testing_support::SchedulePageBytes(
        {{"31001", "MAT 101", "Ders", "Can Er", "MKB", "Cuma", "0930/1129", "D305", W("TÜM"_w)}});
    server = std::make_unique<demo::ScheduleServer>(
        demo::MemoryPages({{"index", testing_support::IndexPageBytes({"ELK", "MAT"})}, {"ELK", elk}, {"MAT", mat}}),
        Delayed(delay));
    server->Start();
  }

  void StartOnServer() {
    app::StartupOptions options = Options(plan);
    options.network.emplace(app::NetworkParts{pages, network, {server->Url(), "http://127.0.0.1:9"}});
    form = std::make_unique<TForm1>(std::move(options));
    form->show();
  }

  std::string Warning(int row) {
    return Utf8ToCp1254(Find<ShapeWidget>(("Shape" + std::to_string(row)).c_str())->toolTip().toStdString());
  }

  std::string plan = folder / "plan.dkf";
  std::unique_ptr<demo::ScheduleServer> server;
  acquisition::CurlFetcher pages;
};

TEST_F(StalePlanGuiTest, FullUpdateShowsTheChangesAndMarksTheRows) {
  SavePlan();
  ServeNewTerm();
  app::StartupOptions options = Options(plan);
  options.network.emplace(app::NetworkParts{pages, network, {server->Url(), "http://127.0.0.1:9"}});
  form = std::make_unique<TForm1>(std::move(options));
  form->show();
  EXPECT_TRUE(dialogs.apply_questions.empty()) << "the plan matches the catalogue it was loaded on";

  Find<QAction>("menuVeriAl")->trigger();
  const acquisition::FullUpdate& update = form->Application().Updates().Full();
  for (int i = 0; i < 4000 && update.Running(); ++i) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QThread::msleep(5);
  }
  QCoreApplication::processEvents();
  ASSERT_EQ(update.Outcome(), acquisition::UpdateOutcome::Succeeded);

  ASSERT_EQ(dialogs.apply_questions.size(), 1u);
  const std::string& text = dialogs.apply_questions[0].text;
  EXPECT_NE(text.find(W("ELK 101 (21001): Pazartesi 08:30-10:29 -> Çarşamba 10:30-12:29"_w)), std::string::npos)
      << Cp1254ToUtf8(text);
  EXPECT_NE(text.find("MAT 101 (31001): derslik D2 -> D305"), std::string::npos) << Cp1254ToUtf8(text);
  EXPECT_EQ(Warning(1), W("ELK 101 (21001): Pazartesi 08:30-10:29 -> Çarşamba 10:30-12:29"_w));
  EXPECT_EQ(Warning(2), "MAT 101 (31001): derslik D2 -> D305");
  EXPECT_EQ(Warning(3), "");
  // The plan is back on screen, as it was saved.
  EXPECT_EQ(form->Application().Plan().Ders(1).CRN, "21001");
  EXPECT_FALSE(form->Application().PlanModified());
}

// While the update's pages are awaited, the rows it reset stay as they are
// and the status bar says why; giving up brings the plan back.
TEST_F(StalePlanGuiTest, TheRowsWaitForTheUpdateAndTheStatusBarSaysWhy) {
  SavePlan();
  ServeNewTerm(std::chrono::minutes(1));
  StartOnServer();
  Find<QAction>("menuVeriAl")->trigger();
  for (int i = 0; i < 4000 && !form->Application().RowsWaitForUpdate(); ++i) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QThread::msleep(5);
  }
  ASSERT_TRUE(form->Application().RowsWaitForUpdate());
  auto* note = Find<QLabel>("RowsNote");
  EXPECT_TRUE(note->isVisible());
  EXPECT_EQ(FromQString(note->text()), W("Güncelleme bitene kadar ders satırları değiştirilemez."_w));
  for (const char* name : {"ComboBox1", "ComboBox2", "ComboBox3", "HocaCombo1", "ComboBox28", "HocaCombo10"}) {
    EXPECT_FALSE(Find<QComboBox>(name)->isEnabled()) << name;
  }
  EXPECT_TRUE(Find<QComboBox>("ComboBox31")->isEnabled()) << "only the rows wait";

  QTest::keyClick(form.get(), Qt::Key_Escape);
  EXPECT_FALSE(form->Application().Updates().Full().Running());
  EXPECT_FALSE(note->isVisible());
  EXPECT_TRUE(Find<QComboBox>("ComboBox1")->isEnabled());
  EXPECT_EQ(form->Application().Plan().Ders(1).CRN, "21001");
}

// Counts the boxes asked for, and whether the main window was on the
// screen at the time.
class WindowWatchingDialogs : public ui::MemoryDialogs {
 public:
  bool AskApplyUpdates(const std::string& caption, const std::string& text) override {
    over_window.push_back(WindowShown());
    return MemoryDialogs::AskApplyUpdates(caption, text);
  }

  std::vector<bool> over_window;

 private:
  static bool WindowShown() {
    const QWidgetList windows = QApplication::topLevelWidgets();
    return std::any_of(windows.begin(), windows.end(), [](const QWidget* window) {
      return window->objectName() == QStringLiteral("Form1") && window->isVisible();
    });
  }
};

// The plan named on the command line is checked once its window is on the
// screen, so the box opens over it instead of alone before it.
TEST_F(StalePlanGuiTest, TheBoxOfAStalePlanOpensOverTheShownWindow) {
  SavePlan();
  using testing_support::Section;
  catalogue.Refill("ELK", {Section("21001", "ELK 101", "Ali Veli", W("Çarşamba"_w), "1030/1229"),
                           Section("21002", "ELK 101", "Can Er", W("Salı"_w), "1030/1229")});
  WindowWatchingDialogs watching;
  QtDialogs::SetStandIn(&watching);
  Start(plan);
  EXPECT_TRUE(watching.over_window.empty()) << "nothing is asked before the window shows";
  form->ShowCentred();
  for (int i = 0; i < 100 && watching.over_window.empty(); ++i) QTest::qWait(10);
  QtDialogs::SetStandIn(&dialogs);
  ASSERT_EQ(watching.over_window.size(), 1u);
  EXPECT_TRUE(watching.over_window[0]);
  EXPECT_NE(watching.apply_questions[0].text.find("ELK 101 (21001)"), std::string::npos);
}

}  // namespace
}  // namespace kiremo::shell::testing
