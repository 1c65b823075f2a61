#include "planner/plan_week.h"

#include "planner/meetings.h"

namespace kiremo::planner {

const StoredRow* CommittedRow(const PlanSnapshot& plan, int row) {
  RequireCourseRow(row);
  const auto& stored = plan.rows[row - 1];
  return stored && !stored->CRN.empty() ? &*stored : nullptr;
}

std::vector<RowCell> CellsOfRow(const StoredRow& row) {
  // The meetings as the row record holds them, for the painting's own walk.
  TDers ders;
  ders.BlokSayisi = row.BlokSayisi;
  for (const StoredMeeting& meeting : row.meetings) {
    ders.Gunler.push_back(meeting.Gun);
    ders.Saatler.push_back(meeting.Saat);
  }
  std::vector<RowCell> cells;
  for (int n = 0, count = PaintedMeetings(ders); n < count; ++n) {
    const auto span = SpanOfOrNone(ders, n);
    if (!span || span->day < 1 || span->day > kDays) continue;
    for (int hour = span->start_hour; hour < span->end_hour; ++hour) {
      cells.push_back({span->day, SlotOfHour(hour), row.meetings[n].Bina});
    }
  }
  return cells;
}

WeekRows RowsOfWeek(const PlanSnapshot& plan) {
  WeekRows week{};
  for (int row = 1; row <= kRows; ++row) {
    const StoredRow* stored = CommittedRow(plan, row);
    if (!stored) continue;
    for (const RowCell& cell : CellsOfRow(*stored)) {
      if (InsideGridBody(cell.day, cell.slot)) week[cell.day - 1][cell.slot - 1] = row;
    }
  }
  return week;
}

}  // namespace kiremo::planner
