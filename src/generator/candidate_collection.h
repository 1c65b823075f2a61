#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "catalogue/database.h"
#include "generator/explanation.h"
#include "generator/panel.h"
#include "generator/tree_ders.h"
#include "planner/planner.h"

namespace kiremo::generator {

// How the student's own constraints narrowed one course's sections.
struct ConstraintCut {
  std::string locked;  // the only section taken, when locked
  int excluded = 0;    // sections the panel let through but the student excluded
  int busy = 0;        // ... or that meet in busy hours
  friend bool operator==(const ConstraintCut&, const ConstraintCut&) = default;
};

struct CandidateCollection {
  std::vector<TTreeDers> candidates;
  // The message for the first active row without an admissible section;
  // empty when every active row has some.
  std::string failure;
  // For a course whose sections the filters all removed: which took them.
  std::optional<Explanation> explanation;
  // By course code, the courses whose sections the constraints narrowed.
  std::map<std::string, ConstraintCut> cuts;
};

// Reads the course rows and the generator panel, filters each active row's
// sections and gives every admissible one its occupied (day, slot) cells:
// rows in ascending order, each in its filtered order. Changes nothing the
// student sees. ConversionError for an hour field or an hour entry that is
// not a whole number, kiremo::Error for a weekday meeting without hours or a
// section the department's table lacks, DatabaseError for a failing query.
CandidateCollection CollectCandidates(const planner::Planner& planner, const GeneratorPanel& panel,
                                      catalogue::CatalogueQuery& query1);

}  // namespace kiremo::generator
