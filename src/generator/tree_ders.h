#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kiremo::generator {

// One section that may take part in a generated timetable, with the grid
// cells it occupies: entry k of Days and entry k of Slots name one cell, and
// entry k of Buildings is the building of the meeting that covers it.
struct TTreeDers {
  std::int32_t Row = 0;            // course row, 1..10
  std::int32_t SectionIndex = -1;  // its item in the row's section list; -1 when no item begins with the CRN
  std::int32_t SectionCombo = 0;   // 3 * Row, the section list's number: the search's key of the row
  std::int32_t Index = 0;          // its own position in the candidate list
  std::string CRN;
  std::string CourseCode;
  std::vector<std::string> Days;       // "1".."5"
  std::vector<std::string> Slots;      // hour slot, "1" = 08:30-09:29 .. "14" = 21:30-22:29
  std::vector<std::string> Buildings;  // the bina entry at the meeting's position; may be shorter
};

}  // namespace kiremo::generator
