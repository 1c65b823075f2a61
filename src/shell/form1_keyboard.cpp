// The window's keyboard: the menus' shortcuts, the Tab order and typing
// into closed lists (whose cut texts show whole in their tooltips).
#include <QKeySequence>
#include <QMenuBar>
#include <QScrollArea>
#include <QShortcut>

#include "shell/form1.h"
#include "shell/form1_menus.h"
#include "shell/typed_prefix.h"
#include "shell/whole_text_tip.h"

namespace kiremo::shell {

void TForm1::SetUpKeyboard() {
  menus_->menuAc->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
  menus_->menuKaydet->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  menus_->menuYazdir->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
  menus_->menuCik->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
  menus_->menuOlustur->setShortcut(QKeySequence(Qt::Key_F5));
  menus_->Yardim->setShortcut(QKeySequence(Qt::Key_F1));
  // F10 opens the menu bar, as in the desktop's other programs.
  auto* menu_key = new QShortcut(QKeySequence(Qt::Key_F10), this);
  connect(menu_key, &QShortcut::activated, this, [this] {
    menuBar()->setFocus(Qt::ShortcutFocusReason);
    menuBar()->setActiveAction(menuBar()->actions().constFirst());
  });

  std::vector<QComboBox*> lists(widgets_.combos.begin(), widgets_.combos.end());
  lists.insert(lists.end(), widgets_.teachers.begin(), widgets_.teachers.end());
  lists.insert(lists.end(), {widgets_.results, widgets_.sirala});
  for (QComboBox* list : lists) {
    new TypedPrefix(list);
    new WholeTextTip(list);
  }

  // Row by row, left to right; then the generator panel; then the bottom bar.
  scroll_box_->setFocusPolicy(Qt::NoFocus);
  std::vector<QWidget*> order;
  for (std::size_t i = 0; i < 10; ++i) {
    order.insert(order.end(), {widgets_.shapes[i], widgets_.combos[3 * i], widgets_.combos[3 * i + 1],
                               widgets_.combos[3 * i + 2], widgets_.teachers[i], widgets_.kaydet[i], info_buttons_[i]});
  }
  order.push_back(widgets_.grid);
  order.insert(order.end(), {widgets_.edit_st, widgets_.edit_end});
  order.insert(order.end(), widgets_.chk.begin(), widgets_.chk.end());
  order.insert(order.end(), {widgets_.edit2, menus_->btnYerlestir, widgets_.results, widgets_.sirala});
  order.insert(order.end(), {menus_->btnCikar, widgets_.edit1, widgets_.check_box1, menus_->btnReset, menus_->btnCRN});
  for (std::size_t k = 1; k < order.size(); ++k) setTabOrder(order[k - 1], order[k]);
  widgets_.combos[0]->setFocus();
}

}  // namespace kiremo::shell
