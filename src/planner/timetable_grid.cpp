#include <set>

#include "planner/cell_runs.h"
#include "planner/colours.h"
#include "planner/markers.h"
#include "planner/meetings.h"
#include "planner/planner.h"
#include "text/text_helpers.h"

namespace kiremo::planner {

void Planner::KaliciBoya(int row) {
  const TDers& ders = Ders(row);
  if (ders.CRN.empty()) return;
  for (int n = 0, count = PaintedMeetings(ders); n < count; ++n) {
    const MeetingSpan span = SpanOf(ders, n);
    for (int hour = span.start_hour; hour < span.end_hour; ++hour) {
      const int slot = SlotOfHour(hour);
      if (!InsideGridBody(span.day, slot)) continue;
      SetCellText(span.day, slot, ders.DersKodu);
      hucreler_[span.day][slot] = row;
    }
  }
  Refresh();
}

void Planner::GeciciBoya(int row) {
  const std::string text = Row(row).section.Text();
  if (text == kYok || text == kSecin || EndsWith(text, kBosSuffix)) {
    SetEkle(row, false);
    return;
  }
  bool clash = false;
  std::set<GridCell> busy;
  for (int n = 0, count = PaintedMeetings(gecici_); n < count; ++n) {
    const MeetingSpan span = SpanOf(gecici_, n);
    for (int hour = span.start_hour; hour < span.end_hour; ++hour) {
      const int slot = SlotOfHour(hour);
      if (!InsideGridBody(span.day, slot)) continue;
      int& cell = hucreler_[span.day][slot];
      cell += kPreview;
      clash = clash || IsClash(cell);
      if (Busy(span.day, slot)) busy.emplace(span.day, slot);
    }
  }
  // Hours the student keeps free block the section like another course.
  SetEkle(row, !clash && busy.empty());
  // The note belongs to the preview that found the busy hours, not to the next one.
  if (!busy.empty()) {
    SetStatus(std::string(kOnBusyHours) + CellRunsText(busy) + ".");
  } else if (StartsWith(status_, kOnBusyHours)) {
    SetStatus({});
  }
  Refresh();
}

void Planner::GeciciSil() {
  gecici_.Gunler.clear();
  gecici_.Saatler.clear();
  for (int day = 1; day <= kDays; ++day) {
    for (int slot = 1; slot <= kSlots; ++slot) {
      if (hucreler_[day][slot] > kRows) hucreler_[day][slot] -= kPreview;
    }
  }
  Refresh();
}

int Planner::ShownCell(int day, int slot) const {
  const int state = Cell(day, slot);
  if (!Busy(day, slot)) return state;
  if (state == kPreview) return kPreview + 1;
  if (IsCommitted(state) && over_busy_[state].contains({day, slot})) return kPreview + state;
  return state;
}

const std::set<GridCell>& Planner::OverBusyCells(int row) const {
  RequireCourseRow(row);
  return over_busy_[row];
}

void Planner::Refresh() {
  if (observer_) observer_->CellsRecoloured();
}

void Planner::ShapeGuncelle(int row) {
  MutableRow(row).swatch = Ders(row).CRN.empty() ? kWhite : *CellColour(row);
  if (observer_) observer_->SwatchChanged(row);
}

}  // namespace kiremo::planner
