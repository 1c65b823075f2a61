#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTest>

#include "generator/hour_window.h"
#include "generator/result_texts.h"
#include "shell/gui_fixture.h"
#include "shell/qt_text.h"
#include "shell/result_list.h"
#include "shell/search_progress_box.h"
#include "text/cp1254.h"

namespace kiremo::shell::testing {
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
  EXPECT_EQ(form->Application().Plan().Ders(1).CRN, "21002");
  EXPECT_EQ(form->Application().Plan().Ders(2).CRN, "21003");
}

// Two courses of two clash-free sections each give four alternatives;
// choosing the second after the first leaves only the second's sections.
TEST_F(GeneratorPanelTest, ChoosingAnotherAlternativeReplacesTheCommittedCourses) {
  using testing_support::Section;
  catalogue.Department(
      "FIZ",
      {Section("41001", "FIZ 101", "Ali Veli", "Pazartesi", "0930/1029", "EEB", "D1", std::string("TÜM"_w)),
       Section("41002", "FIZ 101", "Can Er", std::string("Salı"_w), "0930/1029", "EEB", "D1", std::string("TÜM"_w)),
       Section("41003", "FIZ 102", "Can Er", std::string("Çarşamba"_w), "0930/1029", "EEB", "D1", std::string("TÜM"_w)),
       Section("41004", "FIZ 102", "Ali Veli", std::string("Perşembe"_w), "0930/1029", "EEB", "D1",
               std::string("TÜM"_w))});
  Start();
  for (int row = 1; row <= 2; ++row) {
    auto* department = Find<QComboBox>(("ComboBox" + std::to_string(3 * row - 2)).c_str());
    Pick(department, department->findText("FIZ"));
    auto* course = Find<QComboBox>(("ComboBox" + std::to_string(3 * row - 1)).c_str());
    Pick(course, course->findText(row == 1 ? "FIZ 101" : "FIZ 102"));
  }
  QTest::mouseClick(Find<QPushButton>("btnYerlestir"), Qt::LeftButton);
  auto* results = Find<QComboBox>("ComboBox31");
  ASSERT_EQ(results->count(), 5);
  EXPECT_EQ(results->itemText(0), QString::fromUtf8("4 farklı program yaptım!"));
  EXPECT_EQ(results->itemText(4), "4. Alternatif");

  auto& plan = form->Application().Plan();
  Pick(results, 1);
  EXPECT_EQ(plan.Ders(1).CRN, "41001");
  EXPECT_EQ(plan.Ders(2).CRN, "41003");
  Pick(results, 2);
  EXPECT_EQ(plan.Ders(1).CRN, "41001");
  EXPECT_EQ(plan.Ders(2).CRN, "41004");
  EXPECT_EQ(plan.Cell(3, 2), 0) << "the first alternative's Wednesday section is gone";
  EXPECT_EQ(plan.Cell(4, 2), 2);
  EXPECT_EQ(plan.Cell(1, 2), 1);
  int committed = 0;
  for (int row = 1; row <= 10; ++row) committed += plan.Ders(row).CRN.empty() ? 0 : 1;
  EXPECT_EQ(committed, 2);
  Pick(results, 0);  // the summary applies nothing
  EXPECT_EQ(plan.Ders(2).CRN, "41004");
  EXPECT_TRUE(dialogs.errors.empty());
}

// An impossible hour window is the student's typing, not a course's fault:
// the box names the field and says what it may hold.
TEST_F(GeneratorPanelTest, ImpossibleHourWindowIsRefusedNamingTheField) {
  Start();
  for (int row = 1; row <= 2; ++row) {
    Pick(Find<QComboBox>(("ComboBox" + std::to_string(3 * row - 2)).c_str()), 1);
    Pick(Find<QComboBox>(("ComboBox" + std::to_string(3 * row - 1)).c_str()), 1);
  }
  const std::pair<const char*, const char*> windows[] = {{"dokuz", "19"}, {"25", "3"}, {"9", "24"}};
  for (const auto& [first, end] : windows) {
    dialogs.messages.clear();
    Find<QLineEdit>("EditSt")->setText(first);
    Find<QLineEdit>("EditEnd")->setText(end);
    QTest::mouseClick(Find<QPushButton>("btnYerlestir"), Qt::LeftButton);
    ASSERT_EQ(dialogs.messages.size(), 1u) << first;
    EXPECT_EQ(dialogs.messages[0].caption, "HATA");
    EXPECT_EQ(dialogs.messages[0].icon, Icon::Warning);
    const std::string field(std::string(first) == "9" ? generator::kPanelHourFields.end
                                                      : generator::kPanelHourFields.first);
    EXPECT_EQ(dialogs.messages[0].text.rfind(field, 0), 0u) << dialogs.messages[0].text;
    EXPECT_EQ(Find<QComboBox>("ComboBox31")->count(), 0);
  }
  EXPECT_TRUE(dialogs.errors.empty());
}

// The summary of a large result shows whole in the narrow box and in its
// open list.
TEST_F(GeneratorPanelTest, SummaryOfManyResultsIsNotCut) {
  Start();
  form->show();
  auto* combo = Find<QComboBox>("ComboBox31");
  form->View().ComboBox31().ShowResults(2909, generator::ResultItemText);
  QStyleOptionComboBox option;
  option.initFrom(combo);
  const QRect field = combo->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, combo);
  EXPECT_LE(combo->fontMetrics().horizontalAdvance(combo->itemText(0)), field.width());
  combo->showPopup();
  EXPECT_GT(combo->view()->width(), combo->view()->fontMetrics().horizontalAdvance(combo->itemText(0)));
  combo->hidePopup();
}

TEST(ResultListModel, MillionAlternativesListWithoutMakingTheirTexts) {
  QComboBox combo;
  QtResultList list(&combo);
  list.ShowResults(1'000'000, generator::ResultItemText);
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
  const int title = monitor.Box()->fontMetrics().horizontalAdvance(monitor.Box()->windowTitle());
  EXPECT_GE(monitor.Box()->width(), title + 100) << "room for the title beside the title bar's buttons";
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
}  // namespace kiremo::shell::testing
