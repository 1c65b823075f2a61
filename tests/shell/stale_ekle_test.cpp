#include <QApplication>
#include <QClipboard>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "planner/markers.h"
#include "shell/gui_fixture.h"
#include "shell/qt_text.h"

namespace kiremo::shell::testing {
namespace {

using StaleEkleTest = GuiTest;

QColor Background(QTableWidget* grid, int column, int row) { return grid->item(row, column)->background().color(); }

// Every committed cell belongs to a row that holds a section and shows that
// row's course code; every other cell is empty.
void ExpectGridAgreesWithTheRows(const planner::Planner& plan, QTableWidget* grid) {
  for (int day = 1; day <= 5; ++day) {
    for (int slot = 1; slot <= 14; ++slot) {
      const int owner = planner::OwnerOf(plan.Cell(day, slot));
      const QString text = grid->item(slot, day)->text();
      if (owner == 0) {
        EXPECT_EQ(text, "") << day << "," << slot;
        continue;
      }
      EXPECT_FALSE(plan.Ders(owner).CRN.empty()) << day << "," << slot;
      EXPECT_EQ(FromQString(text), plan.Ders(owner).DersKodu) << day << "," << slot;
    }
  }
}

// The student previews a section in row 1 without adding it, then adds a
// section in row 2 over the same hour (choosing it removed row 1's
// preview). Row 1's "Ekle" is still enabled from its own preview; pressing
// it must not put two courses in one cell.
TEST_F(StaleEkleTest, EkleOfAnEarlierPreviewShowsTheClashAndCommitsNothing) {
  Start();
  auto* grid = Find<QTableWidget>("Grid1");
  const QColor red(255, 0, 0), preview(0xE3, 0xD0, 0x7A), row2(0xB4, 0xE5, 0xC6);

  Pick(Find<QComboBox>("ComboBox1"), Find<QComboBox>("ComboBox1")->findText("ELK"));
  Pick(Find<QComboBox>("ComboBox2"), Find<QComboBox>("ComboBox2")->findText("ELK 102"));
  Pick(Find<QComboBox>("ComboBox3"), 1);  // 21003, Monday 09:30-11:29, only previewed
  ASSERT_TRUE(Find<QPushButton>("Kaydet1")->isEnabled());

  Pick(Find<QComboBox>("ComboBox4"), Find<QComboBox>("ComboBox4")->findText("ELK"));
  Pick(Find<QComboBox>("ComboBox5"), Find<QComboBox>("ComboBox5")->findText("ELK 101"));
  Pick(Find<QComboBox>("ComboBox6"), 1);  // 21001, Monday 08:30-10:29
  QTest::mouseClick(Find<QPushButton>("Kaydet2"), Qt::LeftButton);
  ASSERT_EQ(form->Application().Plan().Ders(2).CRN, "21001");
  ASSERT_TRUE(Find<QPushButton>("Kaydet1")->isEnabled()) << "the button of the earlier preview";

  QTest::mouseClick(Find<QPushButton>("Kaydet1"), Qt::LeftButton);
  const planner::Planner& plan = form->Application().Plan();
  EXPECT_EQ(plan.Ders(1).CRN, "") << "nothing committed";
  EXPECT_FALSE(Find<QPushButton>("Kaydet1")->isEnabled());
  EXPECT_FALSE(Find<QComboBox>("ComboBox3")->currentText().endsWith("----------Kaydedildi"));
  EXPECT_EQ(Background(grid, 1, 1), row2);
  EXPECT_EQ(Background(grid, 1, 2), red) << "the clash shows as choosing the section shows it";
  EXPECT_EQ(Background(grid, 1, 3), preview);
  EXPECT_EQ(grid->item(2, 1)->text(), "ELK 101");
  EXPECT_EQ(plan.StatusText(), std::string(planner::kCommitClash));
  ExpectGridAgreesWithTheRows(plan, grid);

  Find<QAction>("CRNListeKopyala")->trigger();
  EXPECT_EQ(QApplication::clipboard()->text(), "21001\r\n");

  // Removing the course through the red cell leaves grid and rows agreeing.
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualItemRect(grid->item(2, 1)).center());
  QTest::mouseClick(Find<QPushButton>("btnCikar"), Qt::LeftButton);
  EXPECT_EQ(plan.Ders(2).CRN, "");
  ExpectGridAgreesWithTheRows(plan, grid);
  for (int slot = 1; slot <= 3; ++slot) EXPECT_EQ(plan.Cell(1, slot), 0) << slot;
  EXPECT_TRUE(dialogs.errors.empty());
}

}  // namespace
}  // namespace kiremo::shell::testing
