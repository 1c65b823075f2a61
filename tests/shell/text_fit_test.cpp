// Every text of the main window read where the student reads it: labels,
// buttons, boxes, closed and open lists, menus, the status line and the
// grid. Also run by ctest once per screen scale factor (QT_SCALE_FACTOR).
#include <QAbstractItemView>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QStyleOptionButton>
#include <QTableWidget>
#include <QTest>

#include "shell/gui_fixture.h"

namespace kiremo::shell::testing {
namespace {

class TextFitTest : public GuiTest {
 protected:
  void Clipped(const QWidget* widget, const QString& text, int needed, int room) {
    const QString name = widget->objectName().isEmpty() ? widget->parent()->objectName() : widget->objectName();
    clipped << QStringLiteral("%1 (%2) \"%3\": %4 > %5")
                   .arg(name, QString::fromLatin1(widget->metaObject()->className()), text)
                   .arg(needed)
                   .arg(room);
  }
  void Check(const QWidget* widget, const QString& text, const QFont& font, int room) {
    const int needed = QFontMetrics(font).horizontalAdvance(text);
    if (needed > room) Clipped(widget, text, needed, room);
  }

  void WalkLabel(const QLabel* label) { Check(label, label->text(), label->font(), label->contentsRect().width()); }
  void WalkButton(const QPushButton* button) {
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    const QRect room = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    Check(button, button->text(), button->font(), room.width());
  }
  void WalkCheckBox(const QCheckBox* box) {
    QStyleOptionButton option;
    option.initFrom(box);
    option.text = box->text();
    const QRect room = box->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, box);
    Check(box, box->text(), box->font(), room.width());
  }
  void WalkList(QComboBox* list) {
    QStyleOptionComboBox option;
    option.initFrom(list);
    option.frame = list->hasFrame();
    option.currentText = list->currentText();
    const QRect field = list->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, list);
    const int needed = list->fontMetrics().horizontalAdvance(list->currentText());
    if (needed > field.width() && list->toolTip() != list->currentText())
      Clipped(list, list->currentText(), needed, field.width());
    if (list->count() == 0) return;
    list->showPopup();
    QAbstractItemView* items = list->view();
    const int room = items->viewport()->width();
    for (int k = 0; k < list->count(); ++k) {
      const QFont font =
          list->itemData(k, Qt::FontRole).isValid() ? list->itemData(k, Qt::FontRole).value<QFont>() : items->font();
      // The item's own margins, at each side.
      const int needed = QFontMetrics(font).horizontalAdvance(list->itemText(k));
      if (needed > room - 6) Clipped(list, QStringLiteral("open: ") + list->itemText(k), needed, room - 6);
    }
    list->hidePopup();
  }
  void WalkMenu(const QMenu* menu) {
    for (const QAction* action : menu->actions()) {
      if (action->isSeparator()) continue;
      // A text with a tab shows what follows it as its keys, as QMenu does.
      const QString text = action->text();
      const int tab = text.indexOf('\t');
      const QString shortcut = tab >= 0 ? text.mid(tab + 1) : action->shortcut().toString(QKeySequence::NativeText);
      const int needed = menu->fontMetrics().horizontalAdvance(text.left(tab) + "    " + shortcut);
      if (needed > menu->sizeHint().width()) Clipped(menu, action->text(), needed, menu->sizeHint().width());
    }
  }
  void WalkGrid(const QTableWidget* grid) {
    for (int row = 0; row < grid->rowCount(); ++row) {
      for (int column = 0; column < grid->columnCount(); ++column) {
        // The grid draws Tahoma at 11 pixels, bold in the headers, 2 pixels in from each side.
        QFont font(QStringLiteral("Tahoma"));
        font.setPixelSize(11);
        font.setBold(row == 0 || column == 0);
        Check(grid, grid->item(row, column)->text(), font, grid->columnWidth(column) - 4);
      }
    }
  }

  void Walk() {
    for (QWidget* widget : form->findChildren<QWidget*>()) {
      if (!widget->isVisible()) continue;
      if (auto* label = qobject_cast<QLabel*>(widget)) WalkLabel(label);
      if (auto* button = qobject_cast<QPushButton*>(widget)) WalkButton(button);
      if (auto* box = qobject_cast<QCheckBox*>(widget)) WalkCheckBox(box);
      if (auto* group = qobject_cast<QGroupBox*>(widget))
        Check(group, group->title(), group->font(), group->width() - 16);
      if (auto* list = qobject_cast<QComboBox*>(widget)) WalkList(list);
      if (auto* grid = qobject_cast<QTableWidget*>(widget)) WalkGrid(grid);
    }
    for (const QMenu* menu : form->findChildren<QMenu*>()) WalkMenu(menu);
    QMenuBar* bar = form->menuBar();
    for (QAction* action : bar->actions()) {
      const QRect place = bar->actionGeometry(action);
      if (place.isEmpty() || place.right() >= bar->width()) Clipped(bar, action->text(), place.right(), bar->width());
    }
  }

  QStringList clipped;
};

TEST_F(TextFitTest, NoTextOfTheWindowIsCut) {
  Start();
  form->ShowCentred();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
  // The lists as a student fills them: two courses chosen, one added, the
  // generator's alternatives listed.
  Pick(Find<QComboBox>("ComboBox1"), Find<QComboBox>("ComboBox1")->findText("ELK"));
  Pick(Find<QComboBox>("ComboBox2"), Find<QComboBox>("ComboBox2")->findText("ELK 102"));
  Pick(Find<QComboBox>("ComboBox3"), 1);
  Find<QPushButton>("Kaydet1")->click();
  Pick(Find<QComboBox>("ComboBox4"), Find<QComboBox>("ComboBox4")->findText("ELK"));
  Pick(Find<QComboBox>("ComboBox5"), Find<QComboBox>("ComboBox5")->findText("ELK 101"));
  Pick(Find<QComboBox>("ComboBox7"), Find<QComboBox>("ComboBox7")->findText("MAT"));
  Pick(Find<QComboBox>("ComboBox8"), Find<QComboBox>("ComboBox8")->findText("MAT 101"));
  Find<QLineEdit>("Edit2")->clear();
  // The longest alternatives: with the building changes.
  Pick(Find<QComboBox>("Sirala"), Find<QComboBox>("Sirala")->findText(QString::fromUtf8("En az bina değişikliği")));
  Find<QPushButton>("btnYerlestir")->click();
  ASSERT_GT(Find<QComboBox>("ComboBox31")->count(), 1) << "the alternatives are listed";
  Pick(Find<QComboBox>("ComboBox31"), 1);
  form->statusBar()->findChild<QLabel*>()->setText(QString::fromUtf8("MAT güncellendi."));

  Walk();
  EXPECT_TRUE(clipped.isEmpty()) << clipped.join("\n").toStdString();
}

TEST_F(TextFitTest, ClosedListsShowACutTextWholeInTheirTooltip) {
  Start();
  form->ShowCentred();
  auto* sections = Find<QComboBox>("ComboBox3");
  const QString longest =
      QStringLiteral("21001 Ali Veli Kara Deniz Mavi Yildiz PA,SA,CA,PE,CU MKB,ISB,MMB,GDB,EEB,KMB");
  sections->addItem(QStringLiteral("21002 Can Er PA"));
  sections->addItem(longest);
  sections->setCurrentIndex(0);
  EXPECT_TRUE(sections->toolTip().isEmpty()) << "a text that fits needs no tip";
  sections->setCurrentIndex(1);
  EXPECT_EQ(sections->toolTip(), longest);
  sections->setItemText(1, QStringLiteral("21001"));
  EXPECT_TRUE(sections->toolTip().isEmpty()) << "the text replaced in place";
  Find<QComboBox>("ComboBox3")->setCurrentIndex(0);

  // A box that grows with the window can show the whole text: the tip goes.
  sections->setItemText(1, longest);
  sections->setCurrentIndex(1);
  ASSERT_FALSE(sections->toolTip().isEmpty());
  form->resize(1600, 1000);
  QCoreApplication::processEvents();
  EXPECT_TRUE(sections->toolTip().isEmpty());
}

}  // namespace
}  // namespace kiremo::shell::testing
