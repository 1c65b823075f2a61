// A choice of courses with hundreds of millions of timetables, ranked by a
// key that bounds nothing: the window lists the best found so far while the
// ranking goes on, and "Durdur" keeps them.
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "generator/generated_catalogue.h"
#include "shell/gui_fixture.h"

namespace kiremo::shell::testing {
namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

using HugeTermTest = GuiTest;

TEST_F(HugeTermTest, BestSoFarIsListedWithinASecondAndStoppingKeepsIt) {
  catalogue.Department(
      "BYK", generator::testing::GeneratedSections(
                 "BYK", generator::testing::GeneratedTerm(7, 8, 30, generator::testing::TermShape::FreeHours)));
  Start();
  for (int row = 1; row <= 8; ++row) {
    auto* department = Find<QComboBox>(("ComboBox" + std::to_string(3 * row - 2)).c_str());
    Pick(department, department->findText("BYK"));
    auto* course = Find<QComboBox>(("ComboBox" + std::to_string(3 * row - 1)).c_str());
    Pick(course, course->findText(QString::fromStdString("BYK " + std::to_string(100 + row))));
  }
  auto* order = Find<QComboBox>("Sirala");
  Pick(order, order->findText(U("En az boşluk")));
  auto* results = Find<QComboBox>("ComboBox31");

  // A second after "Oluştur", while the box still shows.
  bool searching = false;
  int listed = 0;
  QString summary;
  QTimer::singleShot(1000, form.get(), [&] {
    auto* box = form->findChild<QProgressDialog*>(QStringLiteral("SearchProgress"));
    searching = box && box->isVisible();
    listed = results->count();
    summary = results->itemText(0);
    if (box) QTest::mouseClick(box->findChild<QPushButton*>(), Qt::LeftButton);
  });
  QTest::mouseClick(Find<QPushButton>("btnYerlestir"), Qt::LeftButton);

  EXPECT_TRUE(searching) << "the ranking was still going on";
  EXPECT_GT(listed, 1) << "its best so far were listed";
  EXPECT_TRUE(summary.startsWith(U("Sıralanıyor: şimdiye kadar "))) << summary.toStdString();
  EXPECT_EQ(form->findChild<QProgressDialog*>(QStringLiteral("SearchProgress")), nullptr);
  ASSERT_GT(results->count(), 1) << "stopping keeps them";
  EXPECT_TRUE(results->itemText(0).startsWith(U("Durdurulana kadar "))) << results->itemText(0).toStdString();
  EXPECT_TRUE(results->itemText(0).contains(U(" program sıralandı; en iyi ")));
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(QString::fromStdString(Cp1254ToUtf8(dialogs.messages[0].text)).left(43),
            U("Aramayı durdurdun; o ana kadar sıraladığım "));
  Pick(results, 1);
  int committed = 0;
  for (int row = 1; row <= 10; ++row) committed += form->Application().Plan().Ders(row).CRN.empty() ? 0 : 1;
  EXPECT_EQ(committed, 8) << "the best kept applies like any alternative";
  EXPECT_TRUE(dialogs.errors.empty());
}

}  // namespace
}  // namespace kiremo::shell::testing
