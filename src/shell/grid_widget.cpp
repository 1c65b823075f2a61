#include "shell/grid_widget.h"

#include <QHeaderView>
#include <QMouseEvent>

#include "shell/qt_text.h"
#include "shell/week_painter.h"
#include "view/memory_view.h"

namespace kiremo::shell {

namespace {

constexpr int kColumns = 6;
constexpr int kRows = 15;
const QColor kFixedColour(240, 240, 240);

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

  setColumnWidth(0, 90);
  for (int column = 1; column < kColumns; ++column) setColumnWidth(column, 91);
  for (int row = 0; row < kRows; ++row) setRowHeight(row, 20);
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

void GridWidget::paintEvent(QPaintEvent*) {
  files::WeekPicture shown;
  for (int row = 0; row < kRows; ++row) {
    for (int column = 0; column < kColumns; ++column) {
      shown.texts[row][column] = CellText(column, row);
      const ui::Colour colour = CellColour(column, row);
      shown.colours[row][column] = std::uint32_t{colour.red} << 16 | std::uint32_t{colour.green} << 8 | colour.blue;
    }
  }
  QPainter painter(viewport());
  PaintGrid(painter, shown);
}

void GridWidget::Select(const QModelIndex& index) {
  if (!index.isValid() || index.row() == 0 || index.column() == 0) return;
  emit cellSelected(index.column(), index.row());
}

void GridWidget::mousePressEvent(QMouseEvent* event) {
  selected_during_press_ = false;
  QTableWidget::mousePressEvent(event);
  // A press on the cell that is already current changes nothing in the
  // view, but it still selects that cell.
  if (!selected_during_press_ && event->button() == Qt::LeftButton) Select(indexAt(event->position().toPoint()));
}

void GridWidget::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  QTableWidget::currentChanged(current, previous);
  selected_during_press_ = true;
  Select(current);
}

}  // namespace kiremo::shell
