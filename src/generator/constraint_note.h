#pragma once

#include <map>
#include <string>
#include <vector>

#include "generator/candidate_collection.h"

namespace kiremo::generator {

// What the student's locks, exclusions and busy hours took from the named
// courses, as lines to add to the explanation of a clash; empty when they
// took nothing from them.
std::string ConstraintNote(const std::vector<std::string>& courses, const std::map<std::string, ConstraintCut>& cuts);

}  // namespace kiremo::generator
