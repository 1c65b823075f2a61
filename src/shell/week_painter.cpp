#include "shell/week_painter.h"

#include <QFontMetricsF>
#include <algorithm>

#include "shell/qt_text.h"

namespace kiremo::shell {

namespace {

constexpr qreal kHeaderWidth = 90;
constexpr qreal kColumnWidth = 91;
constexpr qreal kRowHeight = 20;
constexpr qreal kMargin = 10;
constexpr qreal kLegendGap = 12;
constexpr qreal kLegendLine = 18;
constexpr qreal kSwatch = 12;
// Legend columns after the swatch: code, name, CRN, teacher (the rest).
constexpr qreal kCodeWidth = 72;
constexpr qreal kNameWidth = 220;
constexpr qreal kCrnWidth = 52;

const QColor kHeaderColour(240, 240, 240);
const QColor kLineColour(160, 160, 160);

QColor Rgb(std::uint32_t rgb) {
  return QColor(static_cast<int>(rgb >> 16), static_cast<int>((rgb >> 8) & 0xFF), static_cast<int>(rgb & 0xFF));
}

// 11 units is the 8 points of the screen's grid at 96 dots per inch; a size
// in units scales with the painter, a size in points would not.
QFont GridFont(bool bold) {
  QFont font(QStringLiteral("Tahoma"));
  font.setPixelSize(11);
  font.setBold(bold);
  return font;
}

void Text(QPainter& painter, const QRectF& box, const std::string& text, int flags) {
  const QString shown =
      QFontMetricsF(painter.font()).elidedText(ToQString(text), Qt::ElideRight, std::max<qreal>(box.width() - 4, 0));
  painter.drawText(box.adjusted(2, 0, -2, 0), flags | Qt::AlignVCenter | Qt::TextSingleLine, shown);
}

void PaintLegend(QPainter& painter, const files::WeekPicture& picture) {
  painter.setFont(GridFont(false));
  qreal top = 0;
  for (const files::LegendEntry& entry : picture.legend) {
    painter.setPen(kLineColour);
    painter.setBrush(Rgb(entry.colour));
    painter.drawRect(QRectF(0, top + (kLegendLine - kSwatch) / 2, kSwatch, kSwatch));
    painter.setPen(Qt::black);
    qreal left = kSwatch + 6;
    const std::pair<const std::string*, qreal> columns[] = {
        {&entry.code, kCodeWidth},
        {&entry.name, kNameWidth},
        {&entry.crn, kCrnWidth},
        {&entry.teacher, GridSize().width() - left - kCodeWidth - kNameWidth - kCrnWidth}};
    for (const auto& [text, width] : columns) {
      Text(painter, QRectF(left, top, width, kLegendLine), *text, Qt::AlignLeft);
      left += width;
    }
    top += kLegendLine;
  }
}

}  // namespace

GridLines DesignGridLines() {
  GridLines lines;
  for (std::size_t column = 1; column < lines.x.size(); ++column) {
    lines.x[column] = kHeaderWidth + static_cast<qreal>(column - 1) * kColumnWidth;
  }
  for (std::size_t row = 0; row < lines.y.size(); ++row) lines.y[row] = static_cast<qreal>(row) * kRowHeight;
  return lines;
}

QRectF GridCellRect(int column, int row, const GridLines& lines) {
  const auto c = static_cast<std::size_t>(column);
  const auto r = static_cast<std::size_t>(row);
  return QRectF(QPointF(lines.x[c], lines.y[r]), QPointF(lines.x[c + 1], lines.y[r + 1]));
}

QSizeF GridSize(const GridLines& lines) { return {lines.x.back(), lines.y.back()}; }

void PaintGrid(QPainter& painter, const files::WeekPicture& picture, const GridLines& lines) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  for (int row = 0; row <= planner::kSlots; ++row) {
    for (int column = 0; column <= planner::kDays; ++column) {
      const bool header = row == 0 || column == 0;
      const QRectF cell = GridCellRect(column, row, lines);
      painter.fillRect(cell, header ? kHeaderColour : Rgb(picture.colours[row][column]));
      painter.setFont(GridFont(header));
      painter.setPen(Qt::black);
      Text(painter, cell, picture.texts[row][column], Qt::AlignHCenter);
    }
  }
  painter.setPen(QPen(kLineColour, 0));
  const QSizeF size = GridSize(lines);
  for (const qreal x : lines.x) painter.drawLine(QPointF(x, 0), QPointF(x, size.height()));
  for (const qreal y : lines.y) painter.drawLine(QPointF(0, y), QPointF(size.width(), y));
  painter.restore();
}

QSizeF WeekSize(const files::WeekPicture& picture) {
  const qreal legend = picture.legend.empty() ? 0 : kLegendGap + picture.legend.size() * kLegendLine;
  return {GridSize().width() + 2 * kMargin, GridSize().height() + legend + 2 * kMargin};
}

QPointF WeekGridOrigin() { return {kMargin, kMargin}; }

void PaintWeek(QPainter& painter, const files::WeekPicture& picture, const QRectF& target) {
  const QSizeF size = WeekSize(picture);
  const qreal scale = std::min(target.width() / size.width(), target.height() / size.height());
  painter.save();
  painter.translate(target.topLeft());
  painter.scale(scale, scale);
  painter.fillRect(QRectF(QPointF(0, 0), size), Qt::white);
  painter.translate(WeekGridOrigin());
  PaintGrid(painter, picture);
  painter.translate(0, GridSize().height() + kLegendGap);
  PaintLegend(painter, picture);
  painter.restore();
}

}  // namespace kiremo::shell
