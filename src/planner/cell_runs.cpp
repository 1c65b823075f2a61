#include "planner/cell_runs.h"

#include <cstdio>
#include <string_view>
#include <vector>

#include "planner/meetings.h"
#include "text/cp1254.h"

namespace kiremo::planner {

std::string ClockText(int hour, int minute) {
  char text[32];
  std::snprintf(text, sizeof text, "%02d:%02d", hour, minute);
  return text;
}

std::string CellRunsText(const std::set<GridCell>& cells) {
  std::vector<std::string> runs;
  for (auto it = cells.begin(); it != cells.end();) {
    const auto [day, first] = *it;
    int last = first;
    for (++it; it != cells.end() && it->first == day && it->second == last + 1; ++it) ++last;
    const std::string name =
        day >= 1 && day <= kDays ? GridHeaderText(day, 0) : std::to_string(day) + std::string(". gün"_w);
    runs.push_back(name + " " + ClockText(HourOfSlot(first), 30) + std::string("–"_w) +
                   ClockText(HourOfSlot(last) + 1, 29));
  }
  std::string text;
  for (std::size_t k = 0; k < runs.size(); ++k) {
    text += (k == 0 ? "" : k + 1 == runs.size() ? " ve " : ", ") + runs[k];
  }
  return text;
}

std::set<GridCell> BusyCells(const Constraints& constraints) {
  std::set<GridCell> cells;
  for (int day = 1; day <= kDays; ++day) {
    for (int slot = 1; slot <= kSlots; ++slot) {
      if (constraints.busy[day - 1][slot - 1]) cells.emplace(day, slot);
    }
  }
  return cells;
}

std::set<GridCell> CellsOf(const TDers& ders) {
  std::set<GridCell> cells;
  for (int n = 0, count = PaintedMeetings(ders); n < count; ++n) {
    const auto span = SpanOfOrNone(ders, n);
    for (int hour = span ? span->start_hour : 0; span && hour < span->end_hour; ++hour) {
      if (InsideGridBody(span->day, SlotOfHour(hour))) cells.emplace(span->day, SlotOfHour(hour));
    }
  }
  return cells;
}

std::string OverBusyText(const std::string& course, const std::string& crn, const std::set<GridCell>& cells) {
  return course + " (" + crn + std::string(") artık boş tutmak istediğin "_w) + CellRunsText(cells) +
         std::string("'a denk geliyor"_w);
}

}  // namespace kiremo::planner
