#include "shell/row_drop_down.h"

#include <QAbstractItemView>
#include <QCursor>
#include <QScrollBar>
#include <algorithm>

namespace kiremo::shell {

void RowDropDown::showPopup() {
  QAbstractItemView* list = view();
  list->setTextElideMode(Qt::ElideNone);
  const int scroll_bar = count() > maxVisibleItems() ? list->verticalScrollBar()->sizeHint().width() : 0;
  // A little room beside the text for the item's own margins.
  constexpr int kMargins = 12;
  const int widest = list->sizeHintForColumn(0) + 2 * list->frameWidth() + scroll_bar + kMargins;
  list->setMinimumWidth(std::max(width(), widest));
  QComboBox::showPopup();
}

void RowDropDown::hidePopup() {
  QComboBox::hidePopup();
  if (!rect().contains(mapFromGlobal(QCursor::pos()))) {
    setAttribute(Qt::WA_UnderMouse, false);
    update();
  }
}

}  // namespace kiremo::shell
