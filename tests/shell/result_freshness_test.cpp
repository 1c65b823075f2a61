#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <functional>

#include "shell/gui_fixture.h"

namespace kiremo::shell::testing {
namespace {

// The generator's alternatives are section positions of the moment they
// were made; once anything they were made from changes, the list empties,
// so that no old alternative can commit a section nobody checked.
class ResultFreshnessTest : public GuiTest {
 protected:
  // Rows 1 and 2: ELK 101 and ELK 102; "Oluştur" lists one alternative.
  void Generate() {
    Start();
    Choose(1, "ELK", "ELK 101");
    Choose(2, "ELK", "ELK 102");
    QTest::mouseClick(Find<QPushButton>("btnYerlestir"), Qt::LeftButton);
    ASSERT_EQ(Results()->count(), 2);
  }
  void Choose(int row, const char* department, const char* course) {
    auto* departments = Find<QComboBox>(("ComboBox" + std::to_string(3 * row - 2)).c_str());
    Pick(departments, departments->findText(department));
    auto* courses = Find<QComboBox>(("ComboBox" + std::to_string(3 * row - 1)).c_str());
    Pick(courses, courses->findText(course));
  }
  QComboBox* Results() { return Find<QComboBox>("ComboBox31"); }
};

TEST_F(ResultFreshnessTest, AnyChangeOfRowsOrConstraintsEmptiesTheList) {
  struct Case {
    const char* what;
    std::function<void()> change;
  };
  const Case cases[] = {
      {"another course in row 2", [&] { Choose(2, "MAT", "MAT 101"); }},
      {"the same department chosen again (lists refilled)", [&] { Choose(2, "ELK", "ELK 102"); }},
      {"a section added by hand",
       [&] {
         Pick(Find<QComboBox>("ComboBox3"), 1);
         QTest::mouseClick(Find<QPushButton>("Kaydet1"), Qt::LeftButton);
       }},
      {"a course removed",
       [&] {
         Pick(Results(), 1);
         ASSERT_EQ(Results()->count(), 2) << "applying an alternative keeps the list";
         auto* grid = Find<QTableWidget>("Grid1");
         QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualItemRect(grid->item(2, 1)).center());
         QTest::mouseClick(Find<QPushButton>("btnCikar"), Qt::LeftButton);
       }},
      {"Sıfırla", [&] { QTest::mouseClick(Find<QPushButton>("btnReset"), Qt::LeftButton); }},
      {"first hour", [&] { QTest::keyClicks(Find<QLineEdit>("EditSt"), "0"); }},
      {"end hour", [&] { Find<QLineEdit>("EditEnd")->setText("20"); }},
      {"a free day", [&] { QTest::mouseClick(Find<QCheckBox>("chk3"), Qt::LeftButton); }},
      {"unwanted buildings", [&] { QTest::keyClicks(Find<QLineEdit>("Edit2"), ",EEB"); }},
      {"department filter", [&] { QTest::mouseClick(Find<QCheckBox>("CheckBox1"), Qt::LeftButton); }},
      {"a preferred teacher", [&] { Pick(Find<QComboBox>("HocaCombo1"), 1); }},
      {"a lock", [&] { form->Application().LockSectionClick(1, 1); }},
      {"an exclusion", [&] { form->Application().ExcludeSectionClick(2, 1); }},
      {"a busy hour",
       [&] {
         form->Application().BusyCellsClick({{5, 14}}, true);
       }},
      // Last: the code is stored at once, and the next start would read it.
      {"own department code", [&] { QTest::keyClicks(Find<QLineEdit>("Edit1"), "E"); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Generate();
    c.change();
    EXPECT_EQ(Results()->count(), 0);
  }
  EXPECT_TRUE(dialogs.errors.empty());
}

TEST_F(ResultFreshnessTest, PreviewingAndApplyingKeepTheList) {
  Generate();
  Pick(Find<QComboBox>("ComboBox3"), 2);  // a preview only
  EXPECT_EQ(Results()->count(), 2);
  Pick(Results(), 1);
  EXPECT_EQ(form->Application().Plan().Ders(1).CRN, "21002");
  Pick(Results(), 0);
  Pick(Results(), 1);
  EXPECT_EQ(Results()->count(), 2);
  EXPECT_EQ(form->Application().Plan().Ders(2).CRN, "21003");
}

}  // namespace
}  // namespace kiremo::shell::testing
