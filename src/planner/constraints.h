#pragma once

#include <array>
#include <set>
#include <string>

#include "planner/grid.h"

namespace kiremo::planner {

// What the student asks of every generated timetable beyond the generator
// panel: a section kept in its row, sections never taken, hours kept free.
// Saved with the plan.
struct Constraints {
  // Rows 1..10 at index 0..9: the CRN of the section the row's course must
  // take ("Bu şubeyi sabitle"); empty for none.
  std::array<std::string, kRows> locked;
  // CRNs the generator never takes ("Bu şubeyi hariç tut"), whatever course.
  std::set<std::string> excluded;
  // [day 0..4 = Monday..Friday][hour row 0..13 = 08:30..21:30]: hours to keep
  // free ("Bu saati boş tut").
  std::array<std::array<bool, kSlots>, kDays> busy{};

  bool Empty() const {
    for (const std::string& crn : locked) {
      if (!crn.empty()) return false;
    }
    for (const auto& day : busy) {
      for (bool cell : day) {
        if (cell) return false;
      }
    }
    return excluded.empty();
  }
  friend bool operator==(const Constraints&, const Constraints&) = default;
};

}  // namespace kiremo::planner
