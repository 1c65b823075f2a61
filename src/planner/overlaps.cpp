#include "planner/markers.h"
#include "planner/meetings.h"
#include "planner/planner.h"
#include "text/text_helpers.h"

namespace kiremo::planner {

std::optional<TDers> Planner::ChosenSection(int row) {
  const CourseRow& lists = Row(row);
  const std::string department = lists.department.Text();
  const std::string text = lists.section.Text();
  if (department.empty() || text.empty() || text == kSecin || EndsWith(text, kBosSuffix)) return std::nullopt;
  const auto found = query1_.Db().SectionByCrn(department, lists.section.items[lists.section.index].crn);
  if (!found) return std::nullopt;
  MeetingLists meetings = SplitMeetings({}, found->gun, found->saat, {}, found->blok);
  TDers section;
  section.Gunler = std::move(meetings.Gunler);
  section.Saatler = std::move(meetings.Saatler);
  section.BlokSayisi = meetings.BlokSayisi;
  return section;
}

bool Planner::CommitClashes(int row) {
  const auto section = ChosenSection(row);
  if (!section) return false;
  for (int n = 0, count = PaintedMeetings(*section); n < count; ++n) {
    const MeetingSpan span = SpanOf(*section, n);
    for (int hour = span.start_hour; hour < span.end_hour; ++hour) {
      const int owner = OwnerOf(Cell(span.day, SlotOfHour(hour)));
      if (owner != 0 && owner != row) return true;
    }
  }
  return false;
}

std::vector<std::pair<int, int>> Planner::BusyCellsOfChoice(int row) {
  std::vector<std::pair<int, int>> cells;
  const auto section = ChosenSection(row);
  if (!section) return cells;
  for (int n = 0, count = PaintedMeetings(*section); n < count; ++n) {
    const MeetingSpan span = SpanOf(*section, n);
    for (int hour = span.start_hour; hour < span.end_hour; ++hour) {
      if (Busy(span.day, SlotOfHour(hour))) cells.emplace_back(span.day, SlotOfHour(hour));
    }
  }
  return cells;
}

void Planner::RepaintUncovered() {
  for (int row = 1; row <= kRows; ++row) {
    const TDers& ders = dersler_[row];
    if (ders.CRN.empty()) continue;
    for (int n = 0, count = PaintedMeetings(ders); n < count; ++n) {
      const auto span = SpanOfOrNone(ders, n);
      if (!span) continue;
      for (int hour = span->start_hour; hour < span->end_hour; ++hour) {
        const int slot = SlotOfHour(hour);
        if (!InsideGridBody(span->day, slot)) continue;
        int& cell = hucreler_[span->day][slot];
        if (cell != kEmpty && cell != kPreview) continue;
        // A preview mark stays on the cell: it is a clash now.
        cell += row;
        SetCellText(span->day, slot, ders.DersKodu);
      }
    }
  }
}

}  // namespace kiremo::planner
