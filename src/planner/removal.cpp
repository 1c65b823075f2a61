#include "planner/meetings.h"
#include "planner/planner.h"

namespace kiremo::planner {

void Planner::DersCikar(int grid_row, int grid_column, int course_row) {
  if (grid_row == 0 || grid_column == 0) return;
  const int k = course_row != 0 ? OwnerOf(course_row) : OwnerOf(Cell(grid_column, grid_row));
  if (k == 0) return;

  KaydedildiSil(k);
  TDers& ders = MutableDers(k);
  if (ders.CRN.empty()) return;

  for (int b = 0, count = PaintedMeetings(ders); b < count; ++b) {
    // A meeting that is no number (from a damaged plan file) clears no
    // cells, but the row is still emptied: otherwise no reset could ever
    // succeed again, and neither could a load, which starts with one.
    const auto span = SpanOfOrNone(ders, b);
    if (!span) continue;
    for (int hour = span->start_hour; hour < span->end_hour; ++hour) {
      const int slot = SlotOfHour(hour);
      if (!InsideGridBody(span->day, slot)) continue;
      int& cell = hucreler_[span->day][slot];
      if (IsCommitted(cell)) {
        cell = kEmpty;
      } else if (IsClash(cell)) {
        cell = kPreview;
      }
      SetCellText(span->day, slot, {});
    }
  }

  ders.Binalar.clear();
  ders.Gunler.clear();
  ders.Saatler.clear();
  ders.Derslikler.clear();
  ders.CRN.clear();
  over_busy_[k].clear();
  RepaintUncovered();
  // The status line no longer describes a course that is gone.
  if (details_row_ == k) SetStatus({});
  ShapeGuncelle(k);
  Refresh();
}

}  // namespace kiremo::planner
