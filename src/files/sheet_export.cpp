#include "files/sheet_export.h"

#include "text/text_helpers.h"

namespace kiremo::files {

namespace {

// The text of a body cell held by course row k: the last of the row's
// painted meetings that takes place on that day and hour wins.
std::string CommittedCellText(const std::string& grid_text, const planner::TDers& ders, int column, int row) {
  std::string text;
  const int hour = row + 7;
  for (int m = 0; m < ders.BlokSayisi; ++m) {
    const auto n = static_cast<std::size_t>(m);
    // A meeting without a day (or a record shorter than its count) is not in the grid.
    if (n >= ders.Gunler.size() || n >= ders.Saatler.size()) break;
    const std::string_view hours = ders.Saatler[n];
    const int start = StrToInt(hours.substr(0, 2));
    const int end = StrToInt(hours.substr(hours.size() < 2 ? 0 : hours.size() - 2));
    if (start <= hour && hour <= end - 1 && StrToInt(ders.Gunler[n]) == column) {
      text = grid_text;
      text += '\n';
      if (n < ders.Binalar.size()) text += ders.Binalar[n];
      text += '\n';
      if (n < ders.Derslikler.size()) text += ders.Derslikler[n];
    }
  }
  return text;
}

}  // namespace

SheetCells ExportSheet(const ui::Grid& grid, const planner::CellStates& hucreler,
                       const std::array<planner::TDers, 11>& dersler) {
  SheetCells cells;
  for (int column = 0; column <= 5; ++column) {
    for (int row = 0; row <= 14; ++row) {
      std::string& cell = cells[row][column];
      if (column == 0 || row == 0) {
        cell = grid.CellText(column, row);
        continue;
      }
      int k = hucreler[column][row];
      if (k >= 16 && k <= 25) k -= 15;
      // 0 is empty, 15 only previewed; other values name no course row.
      if (k < 1 || k > 10) continue;
      cell = CommittedCellText(grid.CellText(column, row), dersler[k], column, row);
    }
  }
  return cells;
}

}  // namespace kiremo::files
