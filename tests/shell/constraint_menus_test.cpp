#include <QAbstractItemView>
#include <QApplication>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>

#include "app/constraint_texts.h"
#include "planner/markers.h"
#include "shell/grid_widget.h"
#include "shell/gui_fixture.h"
#include "shell/qt_text.h"
#include "shell/shape_widget.h"

namespace kiremo::shell::testing {
namespace {

class ConstraintMenusTest : public GuiTest {
 protected:
  void SetUp() override {
    Start();
    grid = Find<GridWidget>("Grid1");
  }

  void ChooseCourse(const char* department, const char* course) {
    Pick(Find<QComboBox>("ComboBox1"), Find<QComboBox>("ComboBox1")->findText(department));
    Pick(Find<QComboBox>("ComboBox2"), Find<QComboBox>("ComboBox2")->findText(course));
  }

  // A right click on the widget, where the pointer is `at` (its own coordinates).
  static void RightClick(QWidget* widget, QPoint at) {
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, widget->mapToGlobal(at));
    QApplication::sendEvent(widget, &event);
  }

  QPoint CellCentre(int column, int row) const { return grid->visualItemRect(grid->item(row, column)).center(); }

  // The texts of the context menu open now, which is closed after the
  // action of `choose` (if any) is triggered. Empty when none is open.
  static QStringList UseMenu(std::string_view choose = {}) {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (!menu) return {};
    QStringList texts;
    QAction* chosen = nullptr;
    for (QAction* action : menu->actions()) {
      texts << action->text();
      if (action->text() == ToQString(choose)) chosen = action;
    }
    if (chosen) chosen->trigger();
    menu->close();
    return texts;
  }

  // A drag with the left button from `from` over `over`, released at the last.
  void Drag(QPoint from, std::initializer_list<QPoint> over) {
    QWidget* viewport = grid->viewport();
    QTest::mousePress(viewport, Qt::LeftButton, {}, from);
    for (const QPoint to : over) {
      QMouseEvent move(QEvent::MouseMove, to, viewport->mapToGlobal(to), Qt::NoButton, Qt::LeftButton, {});
      QApplication::sendEvent(viewport, &move);
    }
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, std::data(over)[over.size() - 1]);
  }

  static QStringList Q(std::initializer_list<std::string_view> texts) {
    QStringList list;
    for (std::string_view text : texts) list << ToQString(text);
    return list;
  }

  GridWidget* grid = nullptr;
};

TEST_F(ConstraintMenusTest, SectionListMenusLockAndExcludeTheItemTheyWereOpenedOn) {
  ChooseCourse("ELK", "ELK 101");
  auto* sections = Find<QComboBox>("ComboBox3");
  Pick(sections, 1);  // 21001
  RightClick(sections, {5, 5});
  EXPECT_EQ(UseMenu(app::kLockSection), Q({app::kLockSection, app::kExcludeSection}));
  const planner::Planner& plan = form->Application().Plan();
  EXPECT_EQ(plan.StudentConstraints().locked[0], "21001");
  EXPECT_EQ(FromQString(Find<ShapeWidget>("Shape1")->toolTip()), std::string(app::kLockedNote) + "21001");

  // In the open list: the marker item has no menu, the section has.
  QAbstractItemView* list = sections->view();
  sections->showPopup();
  QTest::mousePress(list->viewport(), Qt::RightButton, {}, list->visualRect(list->model()->index(0, 0)).center());
  EXPECT_TRUE(UseMenu().isEmpty()) << sections->itemText(0).toStdString();
  sections->showPopup();
  QTest::mousePress(list->viewport(), Qt::RightButton, {}, list->visualRect(list->model()->index(1, 0)).center());
  EXPECT_FALSE(list->isVisible()) << "the list closes under its menu";
  EXPECT_EQ(UseMenu(app::kExcludeSection), Q({app::kUnlockSection, app::kExcludeSection}));
  EXPECT_TRUE(plan.StudentConstraints().excluded.contains("21001"));
  EXPECT_EQ(plan.StudentConstraints().locked[0], "") << "an excluded section is not kept";
  const QVariant font = sections->itemData(1, Qt::FontRole);
  ASSERT_TRUE(font.isValid());
  EXPECT_TRUE(font.value<QFont>().strikeOut());
  EXPECT_TRUE(sections->itemData(1, Qt::ToolTipRole).toString().endsWith(ToQString(app::kExcludedNote)));
  EXPECT_TRUE(Find<ShapeWidget>("Shape1")->toolTip().isEmpty());

  RightClick(sections, {5, 5});
  EXPECT_EQ(UseMenu(app::kIncludeSection), Q({app::kLockSection, app::kIncludeSection}));
  EXPECT_FALSE(sections->itemData(1, Qt::FontRole).isValid());
  EXPECT_TRUE(dialogs.errors.empty());
}

TEST_F(ConstraintMenusTest, SwatchMenuLocksTheCommittedSection) {
  auto* swatch = Find<ShapeWidget>("Shape1");
  RightClick(swatch, {3, 3});
  auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  ASSERT_NE(menu, nullptr);
  EXPECT_FALSE(menu->actions().at(0)->isEnabled()) << "an empty row has nothing to lock";
  UseMenu();

  ChooseCourse("ELK", "ELK 102");
  Pick(Find<QComboBox>("ComboBox3"), 1);  // 21003
  QTest::mouseClick(Find<QPushButton>("Kaydet1"), Qt::LeftButton);
  RightClick(swatch, {3, 3});
  EXPECT_EQ(UseMenu(app::kLockSection), Q({app::kLockSection}));
  EXPECT_EQ(form->Application().Plan().StudentConstraints().locked[0], "21003");
  EXPECT_EQ(FromQString(swatch->toolTip()), std::string(app::kLockedNote) + "21003");
  EXPECT_TRUE(form->windowTitle().startsWith("*"));
  RightClick(swatch, {3, 3});
  EXPECT_EQ(UseMenu(app::kUnlockSection), Q({app::kUnlockSection}));
  EXPECT_EQ(form->Application().Plan().StudentConstraints().locked[0], "");
}

TEST_F(ConstraintMenusTest, ADragMarksEveryCellItSweptAndAClickStillSelectsOne) {
  QWidget* viewport = grid->viewport();
  Drag(CellCentre(2, 3), {CellCentre(2, 4), CellCentre(3, 5)});
  EXPECT_EQ(grid->SweptCells().size(), 6);

  // Releasing the drag opens the menu at once; Esc leaves everything as it was.
  const std::string six = std::string(app::kKeepHoursFree) + " (6 saat)";
  EXPECT_EQ(UseMenu(), Q({six}));
  const planner::Planner& plan = form->Application().Plan();
  EXPECT_FALSE(plan.Busy(2, 3));
  EXPECT_FALSE(form->windowTitle().startsWith("*"));
  EXPECT_FALSE(form->Application().History().CanUndo());

  RightClick(viewport, CellCentre(3, 4));
  EXPECT_EQ(UseMenu(six), Q({six}));
  for (int day = 1; day <= 5; ++day) {
    for (int slot = 1; slot <= 14; ++slot) {
      const bool swept = day >= 2 && day <= 3 && slot >= 3 && slot <= 5;
      EXPECT_EQ(plan.Busy(day, slot), swept) << day << "," << slot;
      EXPECT_EQ(grid->CellBusy(day, slot), swept) << day << "," << slot;
    }
  }

  // A right click outside the sweep acts on its own cell; one on a busy cell frees it.
  RightClick(viewport, CellCentre(2, 5));
  EXPECT_EQ(UseMenu(app::kFreeHourAgain), Q({app::kFreeHourAgain}));
  EXPECT_FALSE(plan.Busy(2, 5));
  EXPECT_TRUE(plan.Busy(2, 4));

  QTest::mouseClick(viewport, Qt::LeftButton, {}, CellCentre(4, 8));
  EXPECT_EQ(plan.SeciliSutun(), 4);
  EXPECT_EQ(plan.SeciliSatir(), 8);
  EXPECT_TRUE(grid->SweptCells().isEmpty()) << "a click sweeps nothing";
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << "and opens no menu";
  EXPECT_FALSE(plan.Busy(4, 8));
}

TEST_F(ConstraintMenusTest, ABusyCellIsHatchedAndBlocksEkleLikeAClash) {
  RightClick(grid->viewport(), CellCentre(1, 2));  // Monday 09:30-10:29
  EXPECT_EQ(UseMenu(app::kKeepHourFree), Q({app::kKeepHourFree}));

  ChooseCourse("ELK", "ELK 101");
  Pick(Find<QComboBox>("ComboBox3"), 1);  // 21001, Monday 08:30-10:29
  EXPECT_EQ(grid->item(2, 1)->background().color(), QColor(255, 0, 0));
  EXPECT_EQ(grid->item(1, 1)->background().color(), QColor(0xE3, 0xD0, 0x7A)) << "a free hour previews as ever";
  EXPECT_FALSE(Find<QPushButton>("Kaydet1")->isEnabled());
  const QString status = Find<QStatusBar>("StatusBar1")->findChild<QLabel*>()->text();
  EXPECT_TRUE(status.startsWith(ToQString(planner::kOnBusyHours))) << status.toStdString();

  const QImage shown = grid->viewport()->grab().toImage();
  const QRect busy = grid->visualItemRect(grid->item(2, 1)).adjusted(2, 2, -2, -2);
  const QRect free = grid->visualItemRect(grid->item(1, 1)).adjusted(2, 2, -2, -2);
  const auto dark_pixels = [&shown](const QRect& cell) {
    int dark = 0;
    for (int y = cell.top(); y <= cell.bottom(); ++y) {
      for (int x = cell.left(); x <= cell.right(); ++x) dark += QColor(shown.pixel(x, y)).value() < 160;
    }
    return dark;
  };
  EXPECT_GT(dark_pixels(busy), busy.width() * busy.height() / 20) << "hatched";
  EXPECT_LT(dark_pixels(busy), busy.width() * busy.height() / 2) << "the red shows through";
  EXPECT_EQ(dark_pixels(free), 0) << "a preview without text is plain";
}

}  // namespace
}  // namespace kiremo::shell::testing
