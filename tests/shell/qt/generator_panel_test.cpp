#include <QProgressDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "acquisition/text/cp1254.h"
#include "shell/qt/gui_fixture.h"
#include "shell/qt/qt_text.h"
#include "shell/qt/result_list.h"
#include "shell/qt/search_progress_box.h"

namespace kiremo::qt::testing {
namespace {

using GeneratorPanelTest = GuiTest;

TEST_F(GeneratorPanelTest, CreateListsTheTimetablesAndChoosingOneCommitsIt) {
  Start();
  Pick(Find<QComboBox>("ComboBox1"), 1);  // ELK
  Pick(Find<QComboBox>("ComboBox2"), Find<QComboBox>("ComboBox2")->findText("ELK 101"));
  Pick(Find<QComboBox>("ComboBox4"), 1);
  Pick(Find<QComboBox>("ComboBox5"), Find<QComboBox>("ComboBox5")->findText("ELK 102"));
  QTest::mouseClick(Find<QPushButton>("btnYerlestir"), Qt::LeftButton);
  EXPECT_TRUE(dialogs.errors.empty());

  // 21001 (Monday 08:30) clashes with 21003 (Monday 09:30); 21002 does not.
  auto* results = Find<QComboBox>("ComboBox31");
  ASSERT_EQ(results->count(), 2);
  EXPECT_EQ(results->itemText(0), QString::fromUtf8("1 farklı program yaptım!"));
  EXPECT_EQ(results->itemText(1), "1. Alternatif");
  EXPECT_EQ(results->currentIndex(), 0);
  Pick(results, 1);
  EXPECT_EQ(form->Application().Plan().Dersler[1].CRN, "21002");
  EXPECT_EQ(form->Application().Plan().Dersler[2].CRN, "21003");
}

TEST_F(GeneratorPanelTest, InvalidHourFieldEndsInTheStandardErrorBox) {
  Start();
  for (int row = 1; row <= 2; ++row) {
    Pick(Find<QComboBox>(("ComboBox" + std::to_string(3 * row - 2)).c_str()), 1);
    Pick(Find<QComboBox>(("ComboBox" + std::to_string(3 * row - 1)).c_str()), 1);
  }
  Find<QLineEdit>("EditSt")->setText("dokuz");
  QTest::mouseClick(Find<QPushButton>("btnYerlestir"), Qt::LeftButton);
  EXPECT_EQ(dialogs.errors, (std::vector<std::string>{"'dokuz' is not a valid integer value"}));
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST(ResultListModel, MillionAlternativesListWithoutMakingTheirTexts) {
  QComboBox combo;
  QtResultList list(&combo);
  list.ShowResults(1'000'000);
  EXPECT_EQ(list.Count(), 1'000'001);
  EXPECT_EQ(list.ItemIndex(), 0);
  EXPECT_EQ(FromQString(combo.itemText(0)), std::string("1000000 farklı program yaptım!"_w));
  EXPECT_EQ(list.Item(999'999), "999999. Alternatif");
  list.SetItemIndex(1'000'001);
  EXPECT_EQ(list.ItemIndex(), -1);
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(combo.currentIndex(), -1);
}

TEST(SearchProgressBox, AppearsAfterHalfASecondAndItsButtonStopsTheSearch) {
  QWidget owner;
  SearchProgressBox monitor(&owner);
  EXPECT_FALSE(monitor.Poll({0.1, 1000, 10}));
  EXPECT_EQ(monitor.Box(), nullptr) << "a short search shows nothing";
  EXPECT_FALSE(monitor.Poll({0.6, 50000, 200}));
  ASSERT_NE(monitor.Box(), nullptr);
  EXPECT_TRUE(monitor.Box()->isVisible());
  EXPECT_TRUE(monitor.Box()->labelText().contains("200"));
  EXPECT_FALSE(monitor.Poll({0.7, 60000, 4321}));
  EXPECT_TRUE(monitor.Box()->labelText().contains("4321"));

  auto* stop = monitor.Box()->findChild<QPushButton*>();
  ASSERT_NE(stop, nullptr);
  EXPECT_EQ(stop->text(), "Durdur");
  QTest::mouseClick(stop, Qt::LeftButton);
  EXPECT_TRUE(monitor.Poll({0.8, 70000, 5000}));
  monitor.Finished();
  EXPECT_EQ(monitor.Box(), nullptr);
  EXPECT_FALSE(monitor.Poll({0.1, 10, 0})) << "the next search starts afresh";
}

}  // namespace
}  // namespace kiremo::qt::testing
