#pragma once

#include <array>
#include <string>
#include <vector>

#include "planner/grid.h"
#include "planner/plan_snapshot.h"

// The hours in which several students are all free: one's own plan and
// friends' plans, or any plans side by side.
namespace kiremo::planner {

// A mark per grid body cell, [day 0..4][hour row 0..13].
using WeekCells = std::array<std::array<bool, kSlots>, kDays>;

// The cells in which none of the plans has a class (every cell when there
// is no plan), by the cells loading each plan would paint.
WeekCells CommonFreeCells(const std::vector<PlanSnapshot>& plans);

// Hour rows `from` to `to` (1..14, both included) of a day.
struct SlotRange {
  int day = 0;  // 1..5
  int from = 0;
  int to = 0;
  friend bool operator==(const SlotRange&, const SlotRange&) = default;
};

// The marked cells as the longest runs of consecutive hour rows, day by day.
std::vector<SlotRange> RangesOf(const WeekCells& cells);

// "Salı 12:30-14:29".
std::string RangeText(const SlotRange& range);

}  // namespace kiremo::planner
