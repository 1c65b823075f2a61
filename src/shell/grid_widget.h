#pragma once

#include <QTableWidget>

#include "view/widgets.h"

namespace kiremo::shell {

// The timetable grid Grid1: 6 columns by 15 rows; column 0 and row 0 are the
// fixed headers. Selecting a cell (by mouse, also the cell already
// selected, or by keyboard) raises cellSelected; fixed cells raise nothing.
// The selected cell is not highlighted and every cell is centred.
class GridWidget : public QTableWidget, public ui::Grid {
  Q_OBJECT

 public:
  explicit GridWidget(QWidget* parent);

  std::string CellText(int column, int row) const override;
  void SetCellText(int column, int row, const std::string& text) override;
  ui::Colour CellColour(int column, int row) const override;
  void SetCellColour(int column, int row, ui::Colour colour) override;

 signals:
  void cellSelected(int column, int row);

 protected:
  // The cells are drawn by the week's painting, as pictures and printouts are.
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

 private:
  static bool Inside(int column, int row) { return column >= 0 && column < 6 && row >= 0 && row < 15; }
  void Select(const QModelIndex& index);

  bool selected_during_press_ = false;
};

}  // namespace kiremo::shell
