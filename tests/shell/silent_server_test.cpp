#include "support/silent_server.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <chrono>

#include "acquisition/curl_fetcher.h"
#include "acquisition/messages.h"
#include "catalogue/file_system.h"
#include "shell/gui_fixture.h"
#include "shell/qt_text.h"
#include "text/cp1254.h"

namespace kiremo::shell::testing {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// The window's pages come from a server that takes the connection and never
// answers; a timer of the window's thread counts how often the event loop
// gets to it.
class SilentServerTest : public GuiTest {
 protected:
  SilentServerTest() {
    QObject::connect(&ticker, &QTimer::timeout, [this] { ++ticks; });
    ticker.start(10);
  }
  // The window goes before the fetcher it uses.
  ~SilentServerTest() override { form.reset(); }

  void StartOnSilentServer() {
    app::StartupOptions options = Options();
    options.network.emplace(app::NetworkParts{pages, network, {silent.Url(), silent.Url()}});
    form = std::make_unique<TForm1>(std::move(options));
    form->show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  }

  // Runs the event loop for a while: how often the timer fired meanwhile.
  int TicksDuring(std::chrono::milliseconds time) {
    const int before = ticks;
    QTest::qWait(static_cast<int>(time.count()));
    return ticks - before;
  }

  // Waits (the event loop running) until nothing is fetched any more; the
  // time it took.
  Clock::duration WaitUntilIdle(Clock::time_point since) {
    while (form->Application().FetchBusy() && Clock::now() - since < 5s) QTest::qWait(5);
    return Clock::now() - since;
  }

  std::string StatusText() { return FromQString(form->statusBar()->findChild<QLabel*>()->text()); }

  testing_support::SilentServer silent;
  acquisition::CurlFetcher pages;  // the window's own time-outs: about a minute
  QTimer ticker;
  int ticks = 0;
};

TEST_F(SilentServerTest, TheQuickUpdateRunsOffTheWindowThreadAndEscGivesItUp) {
  StartOnSilentServer();
  Find<QAction>("menuOtomatik")->trigger();
  const Clock::time_point picked = Clock::now();
  Pick(Find<QComboBox>("ComboBox1"), 1);
  EXPECT_LT(Clock::now() - picked, 500ms) << "the choice returns before the page comes";

  EXPECT_GT(TicksDuring(400ms), 10) << "the event loop keeps running while the page is awaited";
  ASSERT_TRUE(form->Application().FetchBusy());
  EXPECT_GE(silent.Connections(), 1);
  EXPECT_NE(StatusText().find(acquisition::FetchingDepartmentText("ELK")), std::string::npos) << StatusText();
  EXPECT_TRUE(Find<QPushButton>("btnVazgec")->isVisible());

  const Clock::time_point cancelled = Clock::now();
  QTest::keyClick(form.get(), Qt::Key_Escape);
  EXPECT_LT(WaitUntilIdle(cancelled), 1s);
  EXPECT_EQ(StatusText(), acquisition::DepartmentNotUpdatedText("ELK"));
  // Given up, the row lists the courses the catalogue already has.
  EXPECT_GT(Find<QComboBox>("ComboBox2")->count(), 1);
  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_TRUE(dialogs.errors.empty());
}

// Esc typed in a list that is open belongs to the list: it closes it, and
// only the next Esc, which nothing else takes, gives up the update.
TEST_F(SilentServerTest, EscClosesAnOpenListBeforeItGivesUpTheUpdate) {
  StartOnSilentServer();
  Find<QAction>("menuVeriAl")->trigger();
  ASSERT_TRUE(form->Application().FetchBusy());
  auto* list = Find<QComboBox>("ComboBox1");
  list->setFocus();
  list->showPopup();
  ASSERT_TRUE(list->view()->isVisible());

  // The key goes where the focus is: the open list's view.
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
  QTest::qWait(50);
  EXPECT_FALSE(list->view()->isVisible());
  EXPECT_TRUE(form->Application().Updates().Full().Running()) << "the open list took Esc";

  // Back in the closed list, Esc is nobody's but the window's.
  const Clock::time_point cancelled = Clock::now();
  QTest::keyClick(list, Qt::Key_Escape);
  EXPECT_LT(WaitUntilIdle(cancelled), 1s);
  EXPECT_FALSE(form->Application().Updates().Full().Running());
}

TEST_F(SilentServerTest, TheDepartmentListStepRunsOffTheWindowThreadAndTheButtonGivesItUp) {
  const std::string list = folder / "DataBase/kodlar.dat";
  const std::string main = folder / "DataBase/dbase.dbs";
  const std::string list_before = ReadWholeFile(list);
  const std::string main_before = ReadWholeFile(main);
  StartOnSilentServer();
  const Clock::time_point chosen = Clock::now();
  Find<QAction>("menuVeriAl")->trigger();
  EXPECT_LT(Clock::now() - chosen, 500ms);

  EXPECT_GT(TicksDuring(400ms), 10);
  ASSERT_TRUE(form->Application().FetchBusy());
  EXPECT_NE(StatusText().find(acquisition::kFetchingDepartmentList), std::string::npos) << StatusText();
  auto* button = Find<QPushButton>("btnVazgec");
  ASSERT_TRUE(button->isVisible());

  const Clock::time_point cancelled = Clock::now();
  QTest::mouseClick(button, Qt::LeftButton);
  EXPECT_LT(WaitUntilIdle(cancelled), 1s);
  EXPECT_FALSE(form->Application().Updates().Full().Running());
  EXPECT_EQ(ReadWholeFile(list), list_before);
  EXPECT_EQ(ReadWholeFile(main), main_before);
  QTest::qWait(200);
  EXPECT_FALSE(button->isVisible());
}

}  // namespace
}  // namespace kiremo::shell::testing
