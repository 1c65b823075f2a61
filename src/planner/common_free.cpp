#include "planner/common_free.h"

#include "planner/cell_runs.h"
#include "planner/plan_week.h"

namespace kiremo::planner {

WeekCells CommonFreeCells(const std::vector<PlanSnapshot>& plans) {
  WeekCells free;
  for (auto& day : free) day.fill(true);
  for (const PlanSnapshot& plan : plans) {
    const WeekRows rows = RowsOfWeek(plan);
    for (int day = 0; day < kDays; ++day) {
      for (int slot = 0; slot < kSlots; ++slot) free[day][slot] = free[day][slot] && rows[day][slot] == 0;
    }
  }
  return free;
}

std::vector<SlotRange> RangesOf(const WeekCells& cells) {
  std::vector<SlotRange> ranges;
  for (int day = 1; day <= kDays; ++day) {
    const auto& marked = cells[day - 1];
    for (int slot = 1; slot <= kSlots; ++slot) {
      if (!marked[slot - 1]) continue;
      const int from = slot;
      while (slot < kSlots && marked[slot]) ++slot;
      ranges.push_back({day, from, slot});
    }
  }
  return ranges;
}

std::string RangeText(const SlotRange& range) {
  return GridHeaderText(range.day, 0) + " " + ClockText(HourOfSlot(range.from), 30) + "-" +
         ClockText(HourOfSlot(range.to) + 1, 29);
}

}  // namespace kiremo::planner
