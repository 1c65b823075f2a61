#include "shell/row_drop_down.h"

#include <QAbstractItemView>
#include <QContextMenuEvent>
#include <QCursor>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStylePainter>
#include <algorithm>

namespace kiremo::shell {

RowDropDown::RowDropDown(QWidget* parent) : QComboBox(parent) { view()->viewport()->installEventFilter(this); }

int RowDropDown::WidestItem() const {
  // The results may be a million alternatives whose texts are made when
  // asked for: their widths are measured at the start, the end and around
  // the chosen one, which is where the widest stand (the numbers grow).
  constexpr int kMeasured = 250;
  const int last = count() - 1;
  int widest = 0;
  const auto measure = [&](int from, int to) {
    for (int k = std::max(from, 0); k <= std::min(to, last); ++k) {
      const QVariant font = itemData(k, Qt::FontRole);
      const QFontMetrics metrics(font.isValid() ? font.value<QFont>() : view()->font());
      widest = std::max(widest, metrics.horizontalAdvance(itemText(k)));
    }
  };
  if (count() <= 2 * kMeasured) {
    measure(0, last);
  } else {
    measure(0, kMeasured);
    measure(currentIndex() - maxVisibleItems(), currentIndex() + maxVisibleItems());
    measure(last - kMeasured, last);
  }
  return widest;
}

void RowDropDown::showPopup() {
  QAbstractItemView* list = view();
  list->setTextElideMode(Qt::ElideNone);
  const int scroll_bar = count() > maxVisibleItems() ? list->verticalScrollBar()->sizeHint().width() : 0;
  // The item's own margins, and a little room beside them.
  constexpr int kMargins = 6 + 12;
  const int widest = WidestItem() + 2 * list->frameWidth() + scroll_bar + kMargins;
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
