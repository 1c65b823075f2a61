#pragma once

#include <string>
#include <vector>

#include "generator/timetable.h"
#include "generator/timetable_metrics.h"

// Two timetables side by side: two plans, or two alternatives of a result
// list. A is the first, B the second.
namespace kiremo::generator {

struct Measures {
  Metrics metrics;  // the ranking's
  int hours = 0;    // grid cells with a class: the weekly class hours
  friend bool operator==(const Measures&, const Measures&) = default;
};

Measures MeasuresOf(const Timetable& timetable);

// A course both take, in other sections. A course taken in more sections in
// one timetable than in the other leaves the other side empty.
struct OtherSection {
  std::string course;
  std::string a;  // CRN
  std::string b;
  friend bool operator==(const OtherSection&, const OtherSection&) = default;
};

// A grid cell in which exactly one of the two has a class, with the course
// code the grid shows there; empty on the free side.
struct CellDifference {
  int day = 0;   // 1..5
  int slot = 0;  // hour row 1..14
  std::string a;
  std::string b;
  friend bool operator==(const CellDifference&, const CellDifference&) = default;
};

struct Comparison {
  Measures a;
  Measures b;
  std::vector<std::string> only_a;          // course codes in A's order
  std::vector<std::string> only_b;          // in B's order
  std::vector<OtherSection> other_section;  // in A's order
  std::vector<CellDifference> cells;        // day by day, hour by hour
  friend bool operator==(const Comparison&, const Comparison&) = default;
};

Comparison Compare(const Timetable& a, const Timetable& b);

}  // namespace kiremo::generator
