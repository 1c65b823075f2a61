#include <QPaintEvent>
#include <QPushButton>
#include <QRegion>
#include <QTableWidget>
#include <QTest>

#include "shell/gui_fixture.h"
#include "shell/qt_text.h"
#include "shell/week_painter.h"
#include "text/cp1254.h"

namespace kiremo::shell::testing {
namespace {

using ManualPlanningTest = GuiTest;

QColor Background(QTableWidget* grid, int column, int row) { return grid->item(row, column)->background().color(); }
QString Text(QTableWidget* grid, int column, int row) { return grid->item(row, column)->text(); }

// Two courses planned by hand through the real widgets: previews, "Ekle",
// a clash that shows red and blocks "Ekle", and removal from a red cell.
TEST_F(ManualPlanningTest, TwoCoursesByHandWithAClashAndARemoval) {
  Start();
  auto* grid = Find<QTableWidget>("Grid1");
  const QColor white(255, 255, 255), row1(0xD9, 0xE5, 0xB4), row2(0xB4, 0xE5, 0xC6), preview(0xE3, 0xD0, 0x7A),
      red(255, 0, 0);

  // Row 1: ELK 101, section 21001 on Monday 08:30-10:29 (grid rows 1 and 2).
  Pick(Find<QComboBox>("ComboBox1"), Find<QComboBox>("ComboBox1")->findText("ELK"));
  Pick(Find<QComboBox>("ComboBox2"), Find<QComboBox>("ComboBox2")->findText("ELK 101"));
  Pick(Find<QComboBox>("ComboBox3"), 1);
  EXPECT_EQ(Background(grid, 1, 1), preview);
  EXPECT_EQ(Background(grid, 1, 2), preview);
  EXPECT_EQ(Text(grid, 1, 1), "") << "a preview writes no text";
  QTest::mouseClick(Find<QPushButton>("Kaydet1"), Qt::LeftButton);
  EXPECT_FALSE(Find<QPushButton>("Kaydet1")->isEnabled());
  EXPECT_EQ(Text(grid, 1, 1), "ELK 101");
  EXPECT_EQ(Text(grid, 1, 2), "ELK 101");
  EXPECT_EQ(Text(grid, 1, 3), "");
  EXPECT_EQ(Background(grid, 1, 1), row1);
  EXPECT_TRUE(Find<QComboBox>("ComboBox3")->currentText().endsWith("----------Kaydedildi"));

  // Row 2: ELK 102, section 21003 on Monday 09:30-11:29 clashes at 09:30.
  Pick(Find<QComboBox>("ComboBox4"), Find<QComboBox>("ComboBox4")->findText("ELK"));
  Pick(Find<QComboBox>("ComboBox5"), Find<QComboBox>("ComboBox5")->findText("ELK 102"));
  Pick(Find<QComboBox>("ComboBox6"), 1);
  EXPECT_EQ(Background(grid, 1, 1), row1);
  EXPECT_EQ(Background(grid, 1, 2), red);
  EXPECT_EQ(Background(grid, 1, 3), preview);
  EXPECT_EQ(Text(grid, 1, 2), "ELK 101") << "the clash keeps the committed text";
  EXPECT_FALSE(Find<QPushButton>("Kaydet2")->isEnabled()) << "a clash blocks Ekle";

  // Removing through the red cell takes row 1's course away; row 2's
  // preview stays where it was, now on an empty cell.
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualItemRect(grid->item(2, 1)).center());
  QTest::mouseClick(Find<QPushButton>("btnCikar"), Qt::LeftButton);
  EXPECT_TRUE(form->Application().Plan().Ders(1).CRN.empty());
  for (int row = 1; row <= 3; ++row) {
    EXPECT_EQ(Text(grid, 1, row), "") << row;
    EXPECT_EQ(Background(grid, 1, row), white) << "selecting a cell removed the preview; row " << row;
  }
  EXPECT_FALSE(Find<QComboBox>("ComboBox3")->currentText().endsWith("----------Kaydedildi"));

  // Now row 2's section fits: preview it again and add it.
  Pick(Find<QComboBox>("ComboBox6"), 1);
  EXPECT_TRUE(Find<QPushButton>("Kaydet2")->isEnabled());
  QTest::mouseClick(Find<QPushButton>("Kaydet2"), Qt::LeftButton);
  EXPECT_EQ(Text(grid, 1, 2), "ELK 102");
  EXPECT_EQ(Text(grid, 1, 3), "ELK 102");
  EXPECT_EQ(Background(grid, 1, 2), row2);
  EXPECT_EQ(Background(grid, 1, 1), white);
  EXPECT_TRUE(dialogs.errors.empty());
}

// What the grid's viewport was asked to paint.
class PaintedArea : public QObject {
 public:
  explicit PaintedArea(QWidget* viewport) { viewport->installEventFilter(this); }
  QRegion region;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) region += static_cast<QPaintEvent*>(event)->region();
    return false;
  }
};

// A cell that changes is painted again up to its lines, so that nothing of
// its old colour stays at its edges.
TEST_F(ManualPlanningTest, AChangedCellIsPaintedAgainUpToItsLines) {
  Start();
  form->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
  auto* grid = Find<QTableWidget>("Grid1");
  PaintedArea painted(grid->viewport());
  Pick(Find<QComboBox>("ComboBox1"), Find<QComboBox>("ComboBox1")->findText("ELK"));
  Pick(Find<QComboBox>("ComboBox2"), Find<QComboBox>("ComboBox2")->findText("ELK 101"));
  Pick(Find<QComboBox>("ComboBox3"), 1);
  QTest::mouseClick(Find<QPushButton>("Kaydet1"), Qt::LeftButton);
  QCoreApplication::processEvents();
  painted.region = {};

  form->Application().Plan().RemoveRow(1);  // Monday 08:30-10:29 emptied
  QCoreApplication::processEvents();
  for (int row = 1; row <= 2; ++row) {
    const QRect cell = GridCellRect(1, row).toAlignedRect();
    EXPECT_TRUE((QRegion(cell) - painted.region).isEmpty()) << "row " << row;
  }
}

}  // namespace
}  // namespace kiremo::shell::testing
