#include "shell/shape_widget.h"

#include <QPainter>

#include "shell/qt_text.h"

namespace kiremo::shell {

ShapeWidget::ShapeWidget(QWidget* parent) : QWidget(parent) {}

void ShapeWidget::SetFill(ui::Colour colour) {
  if (colour == fill_) return;
  fill_ = colour;
  update();
}

void ShapeWidget::SetWarning(const std::string& reason) {
  if (reason == warning_) return;
  warning_ = reason;
  setToolTip(ToQString(reason));
  update();
}

void ShapeWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const qreal pen = warning_.empty() ? 1 : 3;
  painter.setPen(QPen(warning_.empty() ? QColor(Qt::black) : QColor(0xFF, 0x8C, 0x00), pen));
  painter.setBrush(QColor(fill_.red, fill_.green, fill_.blue));
  const QRectF box = QRectF(rect()).adjusted(pen / 2, pen / 2, -pen / 2, -pen / 2);
  const qreal radius = std::min(box.width(), box.height()) / 4;
  painter.drawRoundedRect(box, radius, radius);
}

}  // namespace kiremo::shell
