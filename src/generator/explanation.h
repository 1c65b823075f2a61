#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kiremo::generator {

// How many of a course's sections one filter removes.
struct FilterCount {
  std::string_view key;    // its name in kiremo-cli's JSON: "hours", "free_days", ...
  std::string_view label;  // its name for the student, Windows-1254
  int removed = 0;
  friend bool operator==(const FilterCount&, const FilterCount&) = default;
};

// Why a generation lists nothing: the courses to blame and what the window
// tells the student, in place of the box that says nothing fits.
struct Explanation {
  std::vector<std::string> courses;  // course codes
  // For a course left without sections: each filter, in a fixed order.
  std::vector<FilterCount> removed_by;
  std::string text;
};

}  // namespace kiremo::generator
