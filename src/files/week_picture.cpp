#include "files/week_picture.h"

#include "planner/colours.h"
#include "planner/meetings.h"

namespace kiremo::files {

namespace {

// The cells and records a picture is drawn from.
struct PlanGrid {
  planner::CellStates cells{};
  planner::CellTexts texts;
  std::array<planner::TDers, planner::kRows + 1> rows;  // entry 0 is unused
};

WeekPicture PictureOf(const PlanGrid& grid) {
  WeekPicture picture;
  for (int row = 0; row <= planner::kSlots; ++row) {
    for (int column = 0; column <= planner::kDays; ++column) {
      picture.colours[row][column] = planner::kWhite;
      if (row == 0 || column == 0) {
        picture.texts[row][column] = planner::GridHeaderText(column, row);
        continue;
      }
      const int state = planner::WithoutPreview(grid.cells[column][row]);
      picture.colours[row][column] = planner::CellColour(state).value_or(planner::kWhite);
      picture.texts[row][column] = grid.texts[column][row];
    }
  }
  for (int row = 1; row <= planner::kRows; ++row) {
    const planner::TDers& ders = grid.rows[row];
    if (ders.CRN.empty()) continue;
    picture.legend.push_back({*planner::CellColour(row), ders.DersKodu, ders.DersAdi, ders.CRN, ders.Ogretmen});
  }
  return picture;
}

planner::TDers RecordOf(const planner::StoredRow& row) {
  planner::TDers ders{row.DersKodu, row.DersAdi, row.CRN, row.Ogretmen, {}, {}, {}, {}, row.BlokSayisi};
  for (const planner::StoredMeeting& meeting : row.meetings) {
    ders.Binalar.push_back(meeting.Bina);
    ders.Gunler.push_back(meeting.Gun);
    ders.Saatler.push_back(meeting.Saat);
    ders.Derslikler.push_back(meeting.Derslik);
  }
  return ders;
}

}  // namespace

WeekPicture PictureOf(const planner::Planner& planner) {
  PlanGrid grid;
  for (int day = 1; day <= planner::kDays; ++day) {
    for (int slot = 1; slot <= planner::kSlots; ++slot) {
      grid.cells[day][slot] = planner.Cell(day, slot);
      grid.texts[day][slot] = planner.CellText(day, slot);
    }
  }
  for (int row = 1; row <= planner::kRows; ++row) grid.rows[row] = planner.Ders(row);
  return PictureOf(grid);
}

WeekPicture PictureOf(const planner::PlanSnapshot& plan) {
  PlanGrid grid;
  for (int day = 1; day <= planner::kDays; ++day) {
    for (int slot = 1; slot <= planner::kSlots; ++slot) grid.cells[day][slot] = plan.cells[day - 1][slot - 1];
  }
  // Loading writes the stored cells, then paints every committed row over
  // them in row order: its code into the cells of its meetings.
  for (int row = 1; row <= planner::kRows; ++row) {
    if (!plan.rows[row - 1]) continue;
    const planner::TDers& ders = grid.rows[row] = RecordOf(*plan.rows[row - 1]);
    if (ders.CRN.empty()) continue;
    for (int n = 0, count = planner::PaintedMeetings(ders); n < count; ++n) {
      const planner::MeetingSpan span = planner::SpanOf(ders, n);
      for (int hour = span.start_hour; hour < span.end_hour; ++hour) {
        const int slot = planner::SlotOfHour(hour);
        if (!planner::InsideGridBody(span.day, slot)) continue;
        grid.texts[span.day][slot] = ders.DersKodu;
        grid.cells[span.day][slot] = row;
      }
    }
  }
  return PictureOf(grid);
}

}  // namespace kiremo::files
