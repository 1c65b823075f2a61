#pragma once

#include <array>
#include <string>
#include <vector>

#include "planner/grid.h"
#include "planner/plan_snapshot.h"

// Where a plan's committed sections meet, read from the plan as a value:
// the cells that loading it would paint, without a planner.
namespace kiremo::planner {

// A cell that a committed row's meeting covers, with the meeting's building.
struct RowCell {
  int day = 0;   // 1..5
  int slot = 0;  // hour row; outside 1..14 for an hour the grid does not show
  std::string building;
  friend bool operator==(const RowCell&, const RowCell&) = default;
};

// Row 1..10's committed section; nothing for a row without a record or with
// a record of an empty CRN, which painting skips.
const StoredRow* CommittedRow(const PlanSnapshot& plan, int row);

// The cells of the row's painted meetings, meeting by meeting and hour by
// hour as painting walks them, with the cells outside the grid body that
// painting skips. Days other than Monday..Friday are left out, and so is a
// meeting whose entries are not numbers (reading a plan file refuses one).
std::vector<RowCell> CellsOfRow(const StoredRow& row);

// The course row each grid cell shows once the plan is loaded: the last
// committed row whose meetings cover it; 0 for a cell without a class.
// [day 0..4][hour row 0..13]
using WeekRows = std::array<std::array<int, kSlots>, kDays>;
WeekRows RowsOfWeek(const PlanSnapshot& plan);

}  // namespace kiremo::planner
