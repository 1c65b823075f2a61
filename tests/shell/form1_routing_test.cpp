#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeDatabase>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTableWidget>
#include <QTest>
#include <QThread>
#include <QTimer>

#include "catalogue/file_system.h"
#include "shell/form2.h"
#include "shell/gui_fixture.h"
#include "shell/qt_text.h"
#include "text/cp1254.h"

namespace kiremo::shell::testing {
namespace {

using RoutingTest = GuiTest;

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

// The point of a grid cell inside the grid's viewport.
QPoint CellPoint(QTableWidget* grid, int column, int row) {
  return grid->visualItemRect(grid->item(row, column)).center();
}

TEST_F(RoutingTest, StudentPicksFillTheRowAndCodeSelectionsRaiseNothing) {
  Start();
  auto* department = Find<QComboBox>("ComboBox4");
  auto* course = Find<QComboBox>("ComboBox5");
  auto* section = Find<QComboBox>("ComboBox6");
  department->setCurrentIndex(1);  // from code: no event, no course codes
  EXPECT_EQ(course->count(), 0);

  Pick(department, department->findText("ELK"));
  ASSERT_GE(course->count(), 3);
  Pick(course, course->findText("ELK 101"));
  ASSERT_GE(section->count(), 2);
  EXPECT_EQ(section->currentIndex(), 0) << "Seçin";
  Pick(section, 1);
  auto* grid = Find<QTableWidget>("Grid1");
  EXPECT_EQ(form->Application().Plan().Cell(1, 1), 15) << "previewed";
  EXPECT_NE(grid->item(1, 1)->background().color(), QColor(Qt::white)) << "the preview shows in the grid";
  ASSERT_TRUE(Find<QPushButton>("Kaydet2")->isEnabled());
  QTest::mouseClick(Find<QPushButton>("Kaydet2"), Qt::LeftButton);
  EXPECT_EQ(form->Application().Plan().Ders(2).CRN, "21001");
  EXPECT_TRUE(dialogs.errors.empty());
}

TEST_F(RoutingTest, GridClicksSelectCellsEvenTheSameOneAgain) {
  Start();
  Pick(Find<QComboBox>("ComboBox1"), 1);
  Pick(Find<QComboBox>("ComboBox2"), 1);
  Pick(Find<QComboBox>("ComboBox3"), 1);
  QTest::mouseClick(Find<QPushButton>("Kaydet1"), Qt::LeftButton);
  auto* grid = Find<QTableWidget>("Grid1");
  auto* status = form->statusBar()->findChild<QLabel*>();
  ASSERT_NE(status, nullptr);
  status->clear();

  QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, CellPoint(grid, 1, 2));
  EXPECT_EQ(form->Application().Plan().SeciliSatir(), 2);
  EXPECT_EQ(form->Application().Plan().SeciliSutun(), 1);
  EXPECT_FALSE(status->text().isEmpty()) << "the details of the committed section";
  status->clear();
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, CellPoint(grid, 1, 2));
  EXPECT_FALSE(status->text().isEmpty()) << "the same cell again";

  QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, CellPoint(grid, 0, 5));
  EXPECT_EQ(form->Application().Plan().SeciliSatir(), 2) << "a header cell selects nothing";

  QTest::mouseClick(Find<QPushButton>("btnCikar"), Qt::LeftButton);
  EXPECT_TRUE(form->Application().Plan().Ders(1).CRN.empty()) << "removed from the selected cell";
}

TEST_F(RoutingTest, InfoButtonOpensTheLookupMenuForItsRow) {
  Start();
  form->show();
  Pick(Find<QComboBox>("ComboBox7"), 1);
  Pick(Find<QComboBox>("ComboBox8"), 1);
  Pick(Find<QComboBox>("ComboBox9"), 1);
  QTest::mouseClick(Find<QPushButton>("Button3"), Qt::LeftButton);
  auto* popup = Find<QMenu>("PopupMenu1");
  EXPECT_TRUE(popup->isVisible());
  EXPECT_EQ(form->Application().Plan().BilgiSatiri(), 3);
  popup->hide();
  Find<QAction>("popHoca")->trigger();
  ASSERT_EQ(browser.opened.size(), 1u);
  EXPECT_NE(browser.opened[0].find("ou=Ali"), std::string::npos) << browser.opened[0];

  QTest::mouseClick(Find<QPushButton>("btnCRN"), Qt::LeftButton);
  EXPECT_TRUE(Find<QMenu>("PopupMenu2")->isVisible());
  Find<QMenu>("PopupMenu2")->hide();
}

TEST_F(RoutingTest, ErrorInAnEventShowsTheStandardErrorBoxAndTheWindowGoesOn) {
  Start();
  catalogue.RemoveDepartmentList();
  QTest::mouseClick(Find<QPushButton>("btnReset"), Qt::LeftButton);
  ASSERT_EQ(dialogs.errors.size(), 1u);
  EXPECT_NE(dialogs.errors[0].find("kodlar.dat"), std::string::npos);
  Find<QAction>("Yardim")->trigger();
  EXPECT_EQ(browser.opened.size(), 1u);
}

TEST_F(RoutingTest, MissingDepartmentListAtStartStillOpensTheWindow) {
  catalogue.RemoveDepartmentList();
  Start();
  form->ShowCentred();
  EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
  ASSERT_EQ(dialogs.errors.size(), 1u);
  EXPECT_TRUE(network.Asked().empty()) << "the sequence ended before the version check";
  EXPECT_EQ(form->windowTitle(), U("ZEMÜ Kiremo 1.51"));
}

TEST_F(RoutingTest, AutomaticUpdateMenuFlipsOnce) {
  Start();
  auto* item = Find<QAction>("menuOtomatik");
  item->trigger();
  EXPECT_TRUE(item->isChecked());
  Pick(Find<QComboBox>("ComboBox1"), 1);
  // The department's page is fetched off the window's thread.
  for (int i = 0; i < 500 && Find<QComboBox>("ComboBox2")->count() == 0; ++i) QTest::qWait(10);
  const std::vector<std::string> asked = network.Asked();
  ASSERT_EQ(asked.size(), 2u) << "the version file at start, then the department's page";
  EXPECT_NE(asked[1].find("fb=ELK"), std::string::npos);
  item->trigger();
  EXPECT_FALSE(item->isChecked());
}

TEST_F(RoutingTest, FullUpdateWithoutNetworkEndsOnTheWindowThreadAndKeepsTheCatalogue) {
  Start();
  form->show();
  Find<QAction>("menuVeriAl")->trigger();
  const acquisition::FullUpdate& update = form->Application().Updates().Full();
  for (int i = 0; i < 2000 && update.Running(); ++i) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QThread::msleep(5);
  }
  ASSERT_FALSE(update.Running());
  EXPECT_EQ(update.Outcome(), acquisition::UpdateOutcome::Failed);
  EXPECT_FALSE(dialogs.messages.empty()) << "the student hears of the connection";
  EXPECT_TRUE(dialogs.errors.empty());
  auto* department = Find<QComboBox>("ComboBox1");
  Pick(department, department->findText("MAT"));
  EXPECT_GE(Find<QComboBox>("ComboBox2")->findText("MAT 101"), 0) << "the old catalogue is still there";
}

TEST_F(RoutingTest, StayOnTopTogglesAndTwiceReturnsToNormal) {
  Start();
  form->show();
  auto* item = Find<QAction>("menuOndeKalsin");
  item->trigger();
  EXPECT_TRUE(item->isChecked());
  EXPECT_TRUE(form->windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_TRUE(form->isVisible());
  item->trigger();
  EXPECT_FALSE(item->isChecked());
  EXPECT_FALSE(form->windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_TRUE(form->isVisible());
  EXPECT_TRUE(form->windowFlags() & Qt::WindowMaximizeButtonHint);
}

TEST_F(RoutingTest, ScrollAreaFollowsTheWindowAndNeverShrinksBelowTheDefault) {
  Start();
  form->ShowCentred();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
  auto* scroll = Find<QScrollArea>("ScrollBox1");
  EXPECT_EQ(scroll->size(), QSize(813, form->height() - 36)) << "outer size less 15 and 75";
  EXPECT_FALSE(scroll->verticalScrollBar()->isVisible());
  EXPECT_FALSE(scroll->horizontalScrollBar()->isVisible());

  const QSize opening = form->size();
  form->resize(500, 400);
  QCoreApplication::processEvents();
  EXPECT_EQ(form->size(), opening) << "the default size is the smallest";
  EXPECT_FALSE(scroll->verticalScrollBar()->isVisible());
  EXPECT_EQ(Find<QPushButton>("Kaydet1")->geometry().topLeft(), QPoint(710, 40)) << "widgets keep their places";

  form->resize(1000, 800);
  QCoreApplication::processEvents();
  EXPECT_EQ(scroll->size(), QSize(1001, 764));
  EXPECT_FALSE(scroll->verticalScrollBar()->isVisible());
  EXPECT_FALSE(scroll->horizontalScrollBar()->isVisible());
}

TEST_F(RoutingTest, AboutBoxShowsTheVersionAndOpensThePage) {
  ::setenv("KIREMO_SITE_URL", "http://site.test", 1);
  Start();
  form->show();
  TForm2& about = form->AboutBox();
  EXPECT_FALSE(about.isVisible());
  EXPECT_EQ(about.findChild<QLabel*>("Label1")->text(), U("ZEMÜ Kiremo 1.51"));
  EXPECT_EQ(about.findChild<QLabel*>("Label4")->text(), U("İstek ve önerileriniz için mail falan atmayınız."));
  EXPECT_EQ(about.findChild<QLabel*>("Label5")->text(),
            U("Atanlar, feci şekilde can verme tehlikesiyle karşı karşıya kalacaklardır."));
  EXPECT_EQ(about.windowTitle(), U("Hakkında"));
  EXPECT_EQ(about.size(), QSize(346, 161));
  EXPECT_EQ(about.findChild<QPushButton*>("Button1")->width(), 192);
  EXPECT_EQ(about.findChild<QPushButton*>("Button2")->width(), 66);

  for (int time = 1; time <= 2; ++time) {
    bool seen = false;
    QTimer::singleShot(0, [&] {
      seen = about.isVisible() && about.isModal();
      EXPECT_EQ(about.pos(), QPoint(272, 186));
      QTest::mouseClick(about.findChild<QPushButton*>("Button1"), Qt::LeftButton);
      if (time == 1) {
        QTest::mouseClick(about.findChild<QPushButton*>("Button2"), Qt::LeftButton);
      } else {
        about.close();  // the title bar's close button
      }
    });
    QTimer::singleShot(5000, &about, &QDialog::reject);  // never hang
    Find<QAction>("menuHakkinda")->trigger();
    EXPECT_TRUE(seen) << time;
    EXPECT_FALSE(about.isVisible());
  }
  EXPECT_EQ(browser.opened, (std::vector<std::string>(2, "http://site.test/yazilar/zemu-kiremo/")));

  Find<QAction>("Yardim")->trigger();
  ::unsetenv("KIREMO_SITE_URL");
  EXPECT_EQ(browser.opened.size(), 3u);
  EXPECT_EQ(browser.opened.back(), "http://site.test/yazilar/zemu-kiremo/");
}

TEST_F(RoutingTest, PlanFilesAreOfTheProgramsTypeAfterAStart) {
  Start();
  WriteFileAtomically(folder / "plan.dkf", std::string(410, '\0'));
  const QMimeType type = QMimeDatabase().mimeTypeForFile(QString::fromStdString(folder / "plan.dkf"));
  EXPECT_EQ(type.name(), "application/x-kiremo-plan");
}

}  // namespace
}  // namespace kiremo::shell::testing
