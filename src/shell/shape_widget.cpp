#include "shell/shape_widget.h"

#include <QPainter>

namespace kiremo::shell {

ShapeWidget::ShapeWidget(QWidget* parent) : QWidget(parent) {}

void ShapeWidget::SetFill(ui::Colour colour) {
  if (colour == fill_) return;
  fill_ = colour;
  update();
}

void ShapeWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(Qt::black, 1));
  painter.setBrush(QColor(fill_.red, fill_.green, fill_.blue));
  const QRectF box = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
  const qreal radius = std::min(box.width(), box.height()) / 4;
  painter.drawRoundedRect(box, radius, radius);
}

}  // namespace kiremo::shell
