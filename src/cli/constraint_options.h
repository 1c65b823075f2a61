#pragma once

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "catalogue/database.h"
#include "cli/args.h"
#include "planner/constraints.h"

// generate's --lock, --exclude and --busy: the student's locks, exclusions
// and busy hours from the command line.
namespace kiremo::cli {

struct ConstraintOptions {
  std::vector<std::pair<std::string, std::string>> locks;  // course code (Windows-1254), CRN
  std::set<std::string> excluded;
  std::array<std::array<bool, planner::kSlots>, planner::kDays> busy{};
};

// --lock "KOD=CRN" (repeatable), --exclude CRN[,CRN...] (repeatable),
// --busy D:H[-H][,D:H[-H]...] (D weekday 1..5, H the start hour of a grid
// row, 8..21; a range takes both ends). UsageError (UTF-8) naming the option
// for a malformed value, a lock of a course not among `courses` (Windows-1254)
// or a section both locked and excluded.
ConstraintOptions ParseConstraintOptions(const Args& args, const std::vector<std::string>& courses);

// The constraints of rows 1..n, course k in row k. UsageError when a locked
// CRN is not a section of its course in the catalogue.
planner::Constraints ConstraintsOfRows(const ConstraintOptions& options, const std::vector<std::string>& courses,
                                       catalogue::CatalogueQuery& query1);

}  // namespace kiremo::cli
