#include "planner/bounds.h"
#include "planner/meetings.h"
#include "planner/planner.h"

namespace kiremo::planner {

void Planner::DersCikar(int grid_row, int grid_column, int course_row) {
  if (grid_row == 0 || grid_column == 0) return;
  int k = course_row;
  if (k == 0) k = InsideGridBody(grid_column, grid_row) ? Hucreler[grid_column][grid_row] : 0;
  if (k == 0) return;
  if (k >= 16 && k <= 25) k -= 15;
  if (!IsCourseRow(k)) return;

  KaydedildiSil(view_.SectionCombo(k));
  TDers& ders = Dersler[k];
  if (ders.CRN.empty()) return;

  ui::Grid& grid = view_.Grid1();
  for (int b = 0, count = PaintedMeetings(ders); b < count; ++b) {
    // A meeting that is no number (from a damaged plan file) clears no
    // cells, but the row is still emptied: otherwise no reset could ever
    // succeed again, and neither could a load, which starts with one.
    const auto span = SpanOfOrNone(ders, b);
    if (!span) continue;
    for (int hour = span->start_hour; hour < span->end_hour; ++hour) {
      const int slot = hour - 7;
      if (!InsideGridBody(span->day, slot)) continue;
      int& cell = Hucreler[span->day][slot];
      if (cell >= 1 && cell <= 10) {
        cell = 0;
      } else if (cell >= 16 && cell <= 25) {
        cell = 15;
      }
      grid.SetCellText(span->day, slot, {});
    }
  }

  ders.Binalar.clear();
  ders.Gunler.clear();
  ders.Saatler.clear();
  ders.Derslikler.clear();
  ders.CRN.clear();
  ShapeGuncelle(k);
  Refresh();
}

}  // namespace kiremo::planner
