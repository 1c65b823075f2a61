#pragma once

#include <string>
#include <vector>

#include "planner/plan_snapshot.h"

// Friends' plans beside one's own: read only to be looked at.
namespace kiremo::planner {

struct Friend {
  std::string name;  // the file's name without ".dkf" until the student renames it
  PlanSnapshot plan;
};

// One of my committed sections that a friend takes too, or whose course the
// friend takes in another section.
struct ClassInCommon {
  int row = 0;         // my course row, 1..10
  std::string course;  // the course code
  std::string crn;     // my section
  std::string friend_name;
  std::string friend_crn;  // the friend's section; my own CRN when it is the same section
  bool SameSection() const { return crn == friend_crn; }
  friend bool operator==(const ClassInCommon&, const ClassInCommon&) = default;
};

// My committed rows in row order, each with the friends in their order: a
// friend whose plan holds my CRN takes the same section; otherwise one who
// has committed a section of the same course code takes another (the first
// such row of the friend's plan).
std::vector<ClassInCommon> ClassesInCommon(const PlanSnapshot& mine, const std::vector<Friend>& friends);

// "Ayşe ile aynı şube", or "Ayşe: 21563" for another section.
std::string InCommonText(const ClassInCommon& shared);

}  // namespace kiremo::planner
