#pragma once

#include <optional>
#include <string>
#include <vector>

#include "catalogue/database.h"
#include "generator/candidate_filters.h"

namespace kiremo::generator {

// What the generator panel and one course row ask of the row's sections.
struct RowFilters {
  std::string course_code;
  std::string unwanted_buildings;  // as the field holds it
  int first_hour = 0;
  int end_hour = 0;
  std::string department;              // upper case; empty for no test
  std::vector<std::string> free_days;  // "1".."5"; empty for no test
  std::optional<std::string> teacher;  // the preferred teacher, when one applies
};

// The row's admissible CRNs: the hour filter, intersected with the day filter
// when days are to be kept free and with the teacher filter when a teacher
// applies.
CrnList FilterRow(catalogue::CatalogueQuery& query1, const RowFilters& filters);

// Whether the CRN is one of the course's sections in its department's table.
bool IsSectionOf(catalogue::CatalogueQuery& query1, const std::string& course_code, const std::string& crn);

}  // namespace kiremo::generator
