#include "shell/shape_widget.h"

#include <QContextMenuEvent>
#include <QPainter>
#include <QPainterPath>

#include "shell/qt_text.h"

namespace kiremo::shell {

namespace {

// A padlock drawn in the box: a shackle over a body with a keyhole. Drawn
// rather than a glyph, which the desktop's fonts may lack.
void PaintPadlock(QPainter& painter, const QRectF& box) {
  const qreal side = std::min(box.width(), box.height()) * 0.8;
  const QRectF lock(box.center().x() - side / 2, box.center().y() - side / 2, side, side);
  const QRectF body(lock.left() + side * 0.1, lock.top() + side * 0.45, side * 0.8, side * 0.55);
  const QRectF shackle(lock.left() + side * 0.25, lock.top(), side * 0.5, side * 0.9);
  painter.save();
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(Qt::black, std::max<qreal>(1.5, side * 0.12)));
  QPainterPath arc;
  arc.moveTo(shackle.left(), body.top());
  arc.lineTo(shackle.left(), shackle.top() + shackle.width() / 2);
  arc.arcTo(QRectF(shackle.left(), shackle.top(), shackle.width(), shackle.width()), 180, -180);
  arc.lineTo(shackle.right(), body.top());
  painter.drawPath(arc);
  painter.setPen(QPen(Qt::black, 1));
  painter.setBrush(QColor(0xD4, 0xA0, 0x17));  // brass, readable on every row colour
  painter.drawRoundedRect(body, 1.5, 1.5);
  painter.setBrush(Qt::black);
  painter.drawEllipse(QPointF(body.center().x(), body.center().y()), side * 0.07, side * 0.07);
  painter.restore();
}

}  // namespace

ShapeWidget::ShapeWidget(QWidget* parent) : QWidget(parent) {
  // Reached by Tab, so that the menu key opens its menu.
  setFocusPolicy(Qt::TabFocus);
}

void ShapeWidget::SetFill(ui::Colour colour) {
  if (colour == fill_) return;
  fill_ = colour;
  update();
}

void ShapeWidget::SetWarning(const std::string& reason) {
  if (reason == warning_) return;
  warning_ = reason;
  UpdateTip();
  update();
}

void ShapeWidget::SetLockNote(const std::string& note) {
  if (note == lock_note_) return;
  lock_note_ = note;
  UpdateTip();
  update();
}

void ShapeWidget::UpdateTip() {
  const std::string separator = warning_.empty() || lock_note_.empty() ? "" : "\n";
  setToolTip(ToQString(warning_ + separator + lock_note_));
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
  if (!lock_note_.empty()) PaintPadlock(painter, box);
  if (hasFocus()) {
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(3, 3, -4, -4));
  }
}

void ShapeWidget::contextMenuEvent(QContextMenuEvent* event) {
  emit menuAsked(event->globalPos());
  event->accept();
}

}  // namespace kiremo::shell
