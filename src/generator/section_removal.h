#pragma once

#include <set>
#include <string>
#include <vector>

#include "catalogue/database.h"
#include "generator/explanation.h"
#include "generator/row_filters.h"
#include "planner/cell_runs.h"
#include "planner/constraints.h"

namespace kiremo::generator {

// A course's sections and how many of them each filter removes on its own (a
// section may fail several). The filters come in a fixed order: hour window,
// free days, unwanted buildings, teacher, department, exclusions, busy
// hours; one that does not apply removes none. A filter whose scan ends
// early (the hour filter at a time text "/", the day filter at a day text
// beginning "BO") removes the section where it ends and all after it.
struct Removal {
  int sections = 0;
  std::vector<FilterCount> filters;
  std::set<planner::GridCell> busy_met;  // the busy cells the sections meet in
};
Removal CountRemoved(catalogue::CatalogueQuery& query1, const RowFilters& filters, const planner::Constraints& student);

// Tells the student that no section of the course is left, and which
// filters took them.
std::string RemovalText(const std::string& course_code, const Removal& removal);

// Why row `row` has no section left: its locked section's fate when it has
// one, otherwise what each filter took.
Explanation ExplainRemoval(catalogue::CatalogueQuery& query1, const RowFilters& filters,
                           const planner::Constraints& student, int row);

}  // namespace kiremo::generator
