#include "text/text_helpers.h"
#include "planner/bounds.h"
#include "planner/markers.h"
#include "planner/meetings.h"
#include "planner/planner.h"

namespace kiremo::planner {

void Planner::KaliciBoya(int row) {
  RequireCourseRow(row);
  const TDers& ders = Dersler[row];
  if (ders.CRN.empty()) return;
  ui::Grid& grid = view_.Grid1();
  for (int n = 0, count = PaintedMeetings(ders); n < count; ++n) {
    const MeetingSpan span = SpanOf(ders, n);
    for (int hour = span.start_hour; hour < span.end_hour; ++hour) {
      const int slot = hour - 7;
      if (!InsideGridBody(span.day, slot)) continue;
      grid.SetCellText(span.day, slot, ders.DersKodu);
      Hucreler[span.day][slot] = row;
    }
  }
  Refresh();
}

void Planner::GeciciBoya(int row) {
  RequireCourseRow(row);
  ui::Button& ekle = view_.Kaydet(row);
  const std::string text = view_.SectionCombo(row).Text();
  if (text == kYok || text == kSecin || EndsWith(text, kBosSuffix)) {
    ekle.SetEnabled(false);
    return;
  }
  ekle.SetEnabled(true);
  for (int n = 0, count = PaintedMeetings(GeciciDers); n < count; ++n) {
    const MeetingSpan span = SpanOf(GeciciDers, n);
    for (int hour = span.start_hour; hour < span.end_hour; ++hour) {
      const int slot = hour - 7;
      if (!InsideGridBody(span.day, slot)) continue;
      int& cell = Hucreler[span.day][slot];
      cell += 15;
      if (cell >= 16 && cell <= 25) ekle.SetEnabled(false);
    }
  }
  Refresh();
}

void Planner::GeciciSil() {
  GeciciDers.Gunler.clear();
  GeciciDers.Saatler.clear();
  for (int day = 1; day <= kDays; ++day) {
    for (int slot = 1; slot <= kSlots; ++slot) {
      if (Hucreler[day][slot] > 10) Hucreler[day][slot] -= 15;
    }
  }
  Refresh();
}

}  // namespace kiremo::planner
