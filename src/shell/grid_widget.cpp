#include "shell/grid_widget.h"

#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <algorithm>

#include "shell/qt_text.h"
#include "shell/week_painter.h"
#include "view/memory_view.h"

namespace kiremo::shell {

namespace {

constexpr int kColumns = 6;
constexpr int kRows = 15;
const QColor kFixedColour(240, 240, 240);
// A dark grey hatch: unlike any course colour, and the colour under it shows.
const QColor kBusyHatch(70, 70, 70, 170);
const QColor kSweepColour(0, 0, 255);
// The keyboard's frame, black like the other widgets' focus frames.
const QColor kFocusColour(0, 0, 0);
// The grid's size at the window's design size; the cells grow beyond it.
constexpr QSize kDesignSize(549, 305);
constexpr int kHeaderWidth = 90;
constexpr int kColumnWidth = 91;
constexpr int kRowHeight = 20;

// `extra` pixels shared by `parts` parts, the first ones taking the rest.
int Share(int extra, int parts, int part) { return extra / parts + (part < extra % parts ? 1 : 0); }

}  // namespace

GridWidget::GridWidget(QWidget* parent) : QTableWidget(kRows, kColumns, parent) {
  horizontalHeader()->hide();
  verticalHeader()->hide();
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::NoSelection);
  setTabKeyNavigation(false);
  setShowGrid(true);

  QFont cell_font(QStringLiteral("Tahoma"));
  cell_font.setPointSize(8);
  QFont fixed_font(cell_font);
  fixed_font.setBold(true);
  setFont(cell_font);

  setColumnWidth(0, kHeaderWidth);
  for (int column = 1; column < kColumns; ++column) setColumnWidth(column, kColumnWidth);
  for (int row = 0; row < kRows; ++row) setRowHeight(row, kRowHeight);
  for (int row = 0; row < kRows; ++row) {
    for (int column = 0; column < kColumns; ++column) {
      auto* item = new QTableWidgetItem;
      item->setTextAlignment(Qt::AlignCenter);
      if (row == 0 || column == 0) {
        item->setFlags(Qt::ItemIsEnabled);
        item->setFont(fixed_font);
        item->setBackground(kFixedColour);
      } else {
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        item->setBackground(Qt::white);
      }
      setItem(row, column, item);
    }
  }
  // The grid starts on its first non-fixed cell without raising the event.
  const QSignalBlocker quiet(this);
  setCurrentCell(1, 1);
}

std::string GridWidget::CellText(int column, int row) const {
  return Inside(column, row) ? FromQString(item(row, column)->text()) : std::string();
}

void GridWidget::SetCellText(int column, int row, const std::string& text) {
  if (Inside(column, row)) item(row, column)->setText(ToQString(text));
}

ui::Colour GridWidget::CellColour(int column, int row) const {
  if (!Inside(column, row)) return ui::kWhite;
  const QColor colour = item(row, column)->background().color();
  return {static_cast<std::uint8_t>(colour.red()), static_cast<std::uint8_t>(colour.green()),
          static_cast<std::uint8_t>(colour.blue())};
}

void GridWidget::SetCellColour(int column, int row, ui::Colour colour) {
  if (Inside(column, row)) item(row, column)->setBackground(QColor(colour.red, colour.green, colour.blue));
}

bool GridWidget::CellBusy(int column, int row) const {
  return Inside(column, row) && busy_[static_cast<std::size_t>(column)][static_cast<std::size_t>(row)];
}

void GridWidget::SetCellBusy(int column, int row, bool busy) {
  if (!Inside(column, row) || CellBusy(column, row) == busy) return;
  busy_[static_cast<std::size_t>(column)][static_cast<std::size_t>(row)] = busy;
  viewport()->update();
}

QList<QPoint> GridWidget::SweptCells() const {
  QList<QPoint> cells;
  if (!swept_) return cells;
  const QRect area = QRect(anchor_, corner_).normalized();
  for (int column = area.left(); column <= area.right(); ++column) {
    for (int row = area.top(); row <= area.bottom(); ++row) cells.append(QPoint(column, row));
  }
  return cells;
}

QPoint GridWidget::BodyCellAt(const QPoint& point) const {
  const QModelIndex index = indexAt(point);
  if (!index.isValid()) return {-1, -1};
  return {std::max(index.column(), 1), std::max(index.row(), 1)};
}

void GridWidget::paintEvent(QPaintEvent*) {
  files::WeekPicture shown;
  for (int row = 0; row < kRows; ++row) {
    for (int column = 0; column < kColumns; ++column) {
      shown.texts[row][column] = CellText(column, row);
      const ui::Colour colour = CellColour(column, row);
      shown.colours[row][column] = std::uint32_t{colour.red} << 16 | std::uint32_t{colour.green} << 8 | colour.blue;
    }
  }
  const GridLines lines = ShownLines();
  QPainter painter(viewport());
  PaintGrid(painter, shown, lines);
  for (int row = 1; row < kRows; ++row) {
    for (int column = 1; column < kColumns; ++column) {
      if (CellBusy(column, row)) {
        painter.fillRect(GridCellRect(column, row, lines), QBrush(kBusyHatch, Qt::BDiagPattern));
      }
    }
  }
  if (swept_) {
    const QRect area = QRect(anchor_, corner_).normalized();
    const QRectF frame =
        GridCellRect(area.left(), area.top(), lines).united(GridCellRect(area.right(), area.bottom(), lines));
    QColor fill = kSweepColour;
    fill.setAlpha(40);
    painter.fillRect(frame, fill);
    painter.setPen(QPen(kSweepColour, 2, Qt::DashLine));
    painter.drawRect(frame.adjusted(1, 1, -1, -1));
  }
  const QModelIndex current = currentIndex();
  if (keyboard_ && hasFocus() && current.isValid()) {
    painter.setPen(QPen(kFocusColour, 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(GridCellRect(current.column(), current.row(), lines).adjusted(1.5, 1.5, -1, -1));
  }
}

GridLines GridWidget::ShownLines() const {
  GridLines lines;
  for (int column = 0; column < kColumns; ++column) {
    lines.x[static_cast<std::size_t>(column)] = columnViewportPosition(column);
  }
  lines.x.back() = columnViewportPosition(kColumns - 1) + columnWidth(kColumns - 1);
  for (int row = 0; row < kRows; ++row) lines.y[static_cast<std::size_t>(row)] = rowViewportPosition(row);
  lines.y.back() = rowViewportPosition(kRows - 1) + rowHeight(kRows - 1);
  return lines;
}

void GridWidget::resizeEvent(QResizeEvent* event) {
  QTableWidget::resizeEvent(event);
  const int wider = std::max(0, width() - kDesignSize.width());
  const int taller = std::max(0, height() - kDesignSize.height());
  for (int column = 1; column < kColumns; ++column) {
    setColumnWidth(column, kColumnWidth + Share(wider, kColumns - 1, column - 1));
  }
  for (int row = 0; row < kRows; ++row) setRowHeight(row, kRowHeight + Share(taller, kRows, row));
}

void GridWidget::focusInEvent(QFocusEvent* event) {
  keyboard_ = event->reason() != Qt::MouseFocusReason;
  QTableWidget::focusInEvent(event);
  viewport()->update();
}

void GridWidget::focusOutEvent(QFocusEvent* event) {
  QTableWidget::focusOutEvent(event);
  viewport()->update();
}

void GridWidget::keyPressEvent(QKeyEvent* event) {
  if (!keyboard_) viewport()->update();
  keyboard_ = true;
  QTableWidget::keyPressEvent(event);
}

bool GridWidget::viewportEvent(QEvent* event) {
  // The frame is for the keyboard: a click shows the cell unmarked again.
  if (event->type() == QEvent::MouseButtonPress && keyboard_) {
    keyboard_ = false;
    viewport()->update();
  }
  return QTableWidget::viewportEvent(event);
}

void GridWidget::Select(const QModelIndex& index) {
  if (!index.isValid() || index.row() == 0 || index.column() == 0) return;
  emit cellSelected(index.column(), index.row());
}

void GridWidget::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    anchor_ = corner_ = BodyCellAt(event->position().toPoint());
    if (swept_) viewport()->update();
    swept_ = false;
  }
  selected_during_press_ = false;
  QTableWidget::mousePressEvent(event);
  // A press on the cell that is already current changes nothing in the
  // view, but it still selects that cell.
  if (!selected_during_press_ && event->button() == Qt::LeftButton) Select(indexAt(event->position().toPoint()));
}

void GridWidget::mouseMoveEvent(QMouseEvent* event) {
  // The sweep is the grid's own: the table's drag would move the current
  // cell, selecting every cell passed over.
  if (!(event->buttons() & Qt::LeftButton) || anchor_.x() < 0) return;
  const QPoint cell = BodyCellAt(event->position().toPoint());
  if (cell.x() < 0 || cell == corner_) return;
  corner_ = cell;
  swept_ = swept_ || corner_ != anchor_;
  viewport()->update();
}

void GridWidget::mouseReleaseEvent(QMouseEvent* event) {
  QTableWidget::mouseReleaseEvent(event);
  if (event->button() != Qt::LeftButton || !swept_) return;
  // The frame stays while the menu is open; Esc leaves it as it was.
  emit cellsMenuAsked(SweptCells(), event->globalPosition().toPoint());
}

void GridWidget::contextMenuEvent(QContextMenuEvent* event) {
  const QModelIndex index = event->reason() == QContextMenuEvent::Mouse ? indexAt(event->pos()) : currentIndex();
  if (!index.isValid() || index.row() == 0 || index.column() == 0) return;
  const QPoint cell(index.column(), index.row());
  QList<QPoint> cells = SweptCells();
  if (!cells.contains(cell)) cells = {cell};
  swept_ = false;
  viewport()->update();
  emit cellsMenuAsked(cells, event->globalPos());
  event->accept();
}

void GridWidget::dataChanged(const QModelIndex& top_left, const QModelIndex& bottom_right, const QList<int>& roles) {
  QTableWidget::dataChanged(top_left, bottom_right, roles);
  viewport()->update();
}

void GridWidget::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  QTableWidget::currentChanged(current, previous);
  selected_during_press_ = true;
  Select(current);
}

}  // namespace kiremo::shell
