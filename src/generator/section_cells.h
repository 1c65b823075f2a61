#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "catalogue/section_values.h"
#include "planner/constraints.h"

namespace kiremo::generator {

// A grid cell a section's weekday meeting covers, with the meeting's building.
struct SectionCell {
  int day = 0;   // 1..5
  int slot = 0;  // hour row, 1 = 08:30-09:29
  std::string_view building;
};

// Every cell of every weekday meeting: the slot of every hour from the start
// hour up to the end hour, end excluded. The views point into the section.
// kiremo::Error for a weekday meeting without hours, ConversionError for
// hours that are not whole numbers.
std::vector<SectionCell> CellsOfSection(const catalogue::SectionValues& section);

// Whether one of the cells is kept free.
bool MeetsInBusyHours(const std::vector<SectionCell>& cells, const planner::Constraints& constraints);

}  // namespace kiremo::generator
