#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>

#include "shell/gui_fixture.h"

namespace kiremo::shell::testing {
namespace {

class KeyboardTest : public GuiTest {
 protected:
  void ShowActive() {
    Start();
    form->show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  }
  QString Focused() const {
    QWidget* widget = QApplication::focusWidget();
    return widget ? widget->objectName() : QStringLiteral("(none)");
  }
};

TEST_F(KeyboardTest, ShortcutsAreShownInTheMenusAndRunTheirItems) {
  ShowActive();
  struct Key {
    const char* item;
    QKeySequence keys;
  };
  const Key keys[] = {
      {"menuAc", QKeySequence(Qt::CTRL | Qt::Key_O)},     {"menuKaydet", QKeySequence(Qt::CTRL | Qt::Key_S)},
      {"menuYazdir", QKeySequence(Qt::CTRL | Qt::Key_P)}, {"menuOlustur", QKeySequence(Qt::Key_F5)},
      {"menuCik", QKeySequence(Qt::CTRL | Qt::Key_Q)},    {"Yardim", QKeySequence(Qt::Key_F1)}};
  for (const Key& key : keys) {
    auto* action = Find<QAction>(key.item);
    ASSERT_NE(action, nullptr);
    EXPECT_EQ(action->shortcut(), key.keys) << key.item;
    // Only the key's way to the item is tried here; the items' work has its own tests.
    QObject::disconnect(action, &QAction::triggered, nullptr, nullptr);
    QSignalSpy triggered(action, &QAction::triggered);
    QTest::keySequence(form.get(), key.keys);
    EXPECT_EQ(triggered.count(), 1) << key.item;
  }
  EXPECT_EQ(Find<QAction>("menuOlustur")->text(), QString::fromUtf8("Oluştur"));
  EXPECT_TRUE(Find<QMenu>("menuProgram")->actions().contains(Find<QAction>("menuOlustur")));
}

TEST_F(KeyboardTest, F5RunsTheGeneratorAsTheButtonDoes) {
  ShowActive();
  QTest::keyClick(form.get(), Qt::Key_F5);
  ASSERT_EQ(dialogs.messages.size(), 1u) << "the generator's notice for no chosen course";
  dialogs.messages.clear();
  Find<QPushButton>("btnYerlestir")->click();
  ASSERT_EQ(dialogs.messages.size(), 1u);
}

TEST_F(KeyboardTest, TabGoesRowByRowThenThePanelThenTheBottomBar) {
  ShowActive();
  QStringList expected;
  auto add = [&](const QString& name) {
    if (Find<QWidget>(name.toLatin1().constData())->isEnabled()) expected << name;
  };
  for (int row = 1; row <= 10; ++row) {
    const QString n = QString::number(row);
    for (const QString& name :
         {"Shape" + n, "ComboBox" + QString::number(3 * row - 2), "ComboBox" + QString::number(3 * row - 1),
          "ComboBox" + QString::number(3 * row), "HocaCombo" + n, "Kaydet" + n, "Button" + n}) {
      add(name);
    }
  }
  for (const char* name :
       {"Grid1", "EditSt", "EditEnd", "chk1", "chk2", "chk3", "chk4", "chk5", "Edit2", "btnYerlestir", "ComboBox31",
        "Sirala", "btnCikar", "Edit1", "CheckBox1", "btnReset", "btnCRN"}) {
    add(QString::fromLatin1(name));
  }
  ASSERT_GT(expected.size(), 40);
  EXPECT_EQ(Focused(), "ComboBox1") << "the window opens on the first department list";
  Find<QWidget>("Shape1")->setFocus(Qt::TabFocusReason);
  QStringList visited{Focused()};
  for (qsizetype k = 1; k < expected.size(); ++k) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    visited << Focused();
  }
  EXPECT_EQ(visited, expected);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
  EXPECT_EQ(Focused(), expected[expected.size() - 2]);
}

TEST_F(KeyboardTest, TheWidgetWithTheFocusIsFramed) {
  ShowActive();
  for (const char* name : {"Shape1", "ComboBox1", "HocaCombo1", "Button1", "EditSt", "chk1", "btnYerlestir", "Grid1",
                           "ComboBox31", "Edit1", "CheckBox1", "btnCRN"}) {
    auto* widget = Find<QWidget>(name);
    widget->setFocus(Qt::TabFocusReason);
    QCoreApplication::processEvents();
    ASSERT_TRUE(widget->hasFocus()) << name;
    const QImage focused = widget->grab().toImage();
    Find<QWidget>("btnCikar")->setFocus(Qt::TabFocusReason);
    QCoreApplication::processEvents();
    EXPECT_NE(widget->grab().toImage(), focused) << name;
  }
}

TEST_F(KeyboardTest, GridFramesTheCellTheKeysReachButNotAClickedOne) {
  ShowActive();
  auto* grid = Find<QTableWidget>("Grid1");
  const QImage unfocused = grid->viewport()->grab().toImage();
  grid->setFocus(Qt::TabFocusReason);
  QTest::keyClick(grid, Qt::Key_Down);
  EXPECT_EQ(grid->currentRow(), 2);
  const QImage framed = grid->viewport()->grab().toImage();
  EXPECT_NE(framed, unfocused);
  const QRect cell = grid->visualRect(grid->model()->index(2, 1));
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
  EXPECT_TRUE(grid->hasFocus());
  EXPECT_EQ(grid->viewport()->grab().toImage(), unfocused) << "a click marks no cell";
}

TEST_F(KeyboardTest, TypingIntoAClosedListSelectsByPrefixSpacesIncluded) {
  ShowActive();
  auto* departments = Find<QComboBox>("ComboBox1");
  Pick(departments, departments->findText("ELK"));
  auto* courses = Find<QComboBox>("ComboBox2");
  ASSERT_GE(courses->findText("ELK 102"), 0);
  courses->setFocus(Qt::TabFocusReason);
  QSignalSpy picked(courses, &QComboBox::activated);
  QTest::keyClicks(courses, "elk 102");
  EXPECT_EQ(courses->currentText(), "ELK 102");
  EXPECT_FALSE(courses->view()->isVisible()) << "the space typed no opening";
  EXPECT_GE(picked.count(), 1);
  auto* sections = Find<QComboBox>("ComboBox3");
  EXPECT_GE(sections->findText("21003", Qt::MatchStartsWith), 0) << "picked as by the mouse: its sections came";

  // One letter again and again steps through the items it starts.
  QTest::qWait(QApplication::keyboardInputInterval() + 50);
  QTest::keyClicks(courses, "ee");
  EXPECT_EQ(courses->currentText(), "ELK 101") << "round from ELK 102";

  // After a pause a new word starts; a space first still opens the list.
  QTest::qWait(QApplication::keyboardInputInterval() + 50);
  QTest::keyClick(courses, Qt::Key_Space);
  EXPECT_TRUE(courses->view()->isVisible());
  courses->hidePopup();
}

TEST_F(KeyboardTest, InfoAndCrnMenusOpenUnderTheirButtonsForAKey) {
  ShowActive();
  auto* info = Find<QPushButton>("Button2");
  info->setFocus(Qt::TabFocusReason);
  QTest::keyClick(info, Qt::Key_Space);
  auto* popup = Find<QMenu>("PopupMenu1");
  ASSERT_TRUE(popup->isVisible());
  EXPECT_EQ(popup->pos(), info->mapToGlobal(QPoint(0, info->height())));
  EXPECT_EQ(form->Application().Plan().BilgiSatiri(), 2);
  popup->hide();
}

TEST_F(KeyboardTest, F10OpensTheMenuBar) {
  ShowActive();
  QTest::keyClick(form.get(), Qt::Key_F10);
  EXPECT_EQ(form->menuBar()->activeAction(), form->menuBar()->actions().constFirst());
  ASSERT_NE(QApplication::activePopupWidget(), nullptr);
  EXPECT_EQ(QApplication::activePopupWidget()->objectName(), "menuDosya");
  QApplication::activePopupWidget()->close();
}

}  // namespace
}  // namespace kiremo::shell::testing
