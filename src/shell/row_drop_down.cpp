#include "shell/row_drop_down.h"

#include <QAbstractItemView>
#include <QContextMenuEvent>
#include <QCursor>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStylePainter>
#include <algorithm>

namespace kiremo::shell {

RowDropDown::RowDropDown(QWidget* parent) : QComboBox(parent) { view()->viewport()->installEventFilter(this); }

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

void RowDropDown::paintEvent(QPaintEvent* event) {
  const QVariant font = itemData(currentIndex(), Qt::FontRole);
  if (!font.isValid()) return QComboBox::paintEvent(event);
  QStylePainter painter(this);
  QStyleOptionComboBox option;
  initStyleOption(&option);
  painter.drawComplexControl(QStyle::CC_ComboBox, option);
  painter.setFont(font.value<QFont>());
  const QVariant colour = itemData(currentIndex(), Qt::ForegroundRole);
  if (colour.isValid()) {
    option.palette.setColor(QPalette::ButtonText, colour.value<QColor>());
    option.palette.setColor(QPalette::Text, colour.value<QColor>());
  }
  painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}

void RowDropDown::contextMenuEvent(QContextMenuEvent* event) {
  emit itemMenuAsked(currentIndex(), event->globalPos());
  event->accept();
}

bool RowDropDown::eventFilter(QObject* watched, QEvent* event) {
  // The open list closes first: its menu must not sit over a list that
  // takes every click.
  if (watched == view()->viewport() && event->type() == QEvent::MouseButtonPress &&
      static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
    const auto* press = static_cast<QMouseEvent*>(event);
    const int item = view()->indexAt(press->position().toPoint()).row();
    const QPoint at = press->globalPosition().toPoint();
    hidePopup();
    emit itemMenuAsked(item, at);
    return true;
  }
  return QComboBox::eventFilter(watched, event);
}

}  // namespace kiremo::shell
