#pragma once

#include <set>
#include <string>
#include <utility>

#include "planner/constraints.h"

namespace kiremo::planner {

using GridCell = std::pair<int, int>;  // day 1..5, hour row 1..14

// "09:30" for 9 and 30.
std::string ClockText(int hour, int minute);

// "Pazartesi 10:30–12:29 ve Çarşamba 14:30–15:29": the cells as runs of
// hours, day by day.
std::string CellRunsText(const std::set<GridCell>& cells);

// The busy cells of the constraints.
std::set<GridCell> BusyCells(const Constraints& constraints);

}  // namespace kiremo::planner
