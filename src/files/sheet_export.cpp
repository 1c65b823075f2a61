#include "files/sheet_export.h"

#include "text/text_helpers.h"

namespace kiremo::files {

namespace {

// The text of a body cell held by course row k: the last of the row's
// painted meetings that takes place on that day and hour wins.
std::string CommittedCellText(const std::string& grid_text, const planner::TDers& ders, int column, int row) {
  std::string text;
  const int hour = planner::HourOfSlot(row);
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

SheetCells ExportSheet(const planner::Planner& planner) {
  SheetCells cells;
  for (int column = 0; column <= planner::kDays; ++column) {
    for (int row = 0; row <= planner::kSlots; ++row) {
      std::string& cell = cells[row][column];
      if (column == 0 || row == 0) {
        cell = planner::GridHeaderText(column, row);
        continue;
      }
      // 0 is empty, 15 only previewed; other values name no course row.
      const int k = planner::OwnerOf(planner.Cell(column, row));
      if (k == 0) continue;
      cell = CommittedCellText(planner.CellText(column, row), planner.Ders(k), column, row);
    }
  }
  return cells;
}

}  // namespace kiremo::files
