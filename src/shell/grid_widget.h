#pragma once

#include <QList>
#include <QPoint>
#include <QTableWidget>
#include <array>

#include "shell/week_painter.h"
#include "view/widgets.h"

namespace kiremo::shell {

// The timetable grid Grid1: 6 columns by 15 rows; column 0 and row 0 are the
// fixed headers. Selecting a cell (by mouse, also the cell already
// selected, or by keyboard) raises cellSelected; fixed cells raise nothing.
// The selected cell is not highlighted and every cell is centred. Busy
// cells are hatched grey over their colour. A drag with the left button
// sweeps a rectangle of body cells, framed until the next press; releasing
// the button asks for the menu of all its cells at once, and so does a
// right click inside it; elsewhere a right click asks for the cell under
// the pointer. Beyond its design size (549 x 305) the day columns share the
// extra width and the rows the extra height. While the keyboard works in the
// grid, its current cell is framed.
class GridWidget : public QTableWidget, public ui::Grid {
  Q_OBJECT

 public:
  explicit GridWidget(QWidget* parent);

  std::string CellText(int column, int row) const override;
  void SetCellText(int column, int row, const std::string& text) override;
  ui::Colour CellColour(int column, int row) const override;
  void SetCellColour(int column, int row, ui::Colour colour) override;
  bool CellBusy(int column, int row) const override;
  void SetCellBusy(int column, int row, bool busy) override;
  // The cells of the rectangle the last drag swept (column, row); none
  // when the last press swept nothing.
  QList<QPoint> SweptCells() const;

 signals:
  void cellSelected(int column, int row);
  // `cells` as (column, row), body cells only; `at` in global coordinates.
  void cellsMenuAsked(const QList<QPoint>& cells, const QPoint& at);

 protected:
  // The cells are drawn by the week's painting, as pictures and printouts are.
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool viewportEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
  // The table repaints a changed cell inside its own grid lines, one pixel
  // short of where the week's painting fills it: the whole grid is drawn
  // again instead, so that no edge of the old colour stays.
  void dataChanged(const QModelIndex& top_left, const QModelIndex& bottom_right, const QList<int>& roles) override;

 private:
  static bool Inside(int column, int row) { return column >= 0 && column < 6 && row >= 0 && row < 15; }
  void Select(const QModelIndex& index);

  // The lines of the cells as the table lays them out now.
  GridLines ShownLines() const;

  // The body cell under a viewport point, clamped into the body; none
  // outside the grid.
  QPoint BodyCellAt(const QPoint& point) const;

  bool selected_during_press_ = false;
  std::array<std::array<bool, 15>, 6> busy_{};  // [column][row]
  QPoint anchor_{-1, -1};                       // where the left button went down
  QPoint corner_{-1, -1};                       // the cell the drag is over now
  bool swept_ = false;                          // the drag left its first cell
  bool keyboard_ = false;                       // the focus came, or was used, by keys
};

}  // namespace kiremo::shell
