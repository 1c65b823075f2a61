#pragma once

#include <set>
#include <string>
#include <utility>

#include "planner/constraints.h"
#include "planner/tders.h"

namespace kiremo::planner {

using GridCell = std::pair<int, int>;  // day 1..5, hour row 1..14

// "09:30" for 9 and 30.
std::string ClockText(int hour, int minute);

// "Pazartesi 10:30–12:29 ve Çarşamba 14:30–15:29": the cells as runs of
// hours, day by day.
std::string CellRunsText(const std::set<GridCell>& cells);

// The busy cells of the constraints.
std::set<GridCell> BusyCells(const Constraints& constraints);

// The grid cells the record's meetings cover; meetings that are no numbers
// cover none.
std::set<GridCell> CellsOf(const TDers& ders);

// "ELK 202 (21629) artık boş tutmak istediğin Perşembe 13:30–15:29'a denk
// geliyor": a section whose new hours meet hours kept free. Every run of
// cells ends at half past an hour less one, whose number takes "'a".
std::string OverBusyText(const std::string& course, const std::string& crn, const std::set<GridCell>& cells);

}  // namespace kiremo::planner
