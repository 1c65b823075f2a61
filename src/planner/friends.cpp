#include "planner/friends.h"

#include "planner/grid.h"
#include "planner/plan_week.h"
#include "text/cp1254.h"

namespace kiremo::planner {

namespace {

// The friend's committed row that holds the CRN, or failing that the first
// one of the course; nothing when there is neither.
const StoredRow* SharedRow(const PlanSnapshot& plan, const StoredRow& mine) {
  const StoredRow* same_course = nullptr;
  for (int row = 1; row <= kRows; ++row) {
    const StoredRow* theirs = CommittedRow(plan, row);
    if (!theirs) continue;
    if (theirs->CRN == mine.CRN) return theirs;
    if (!same_course && theirs->DersKodu == mine.DersKodu) same_course = theirs;
  }
  return same_course;
}

}  // namespace

std::vector<ClassInCommon> ClassesInCommon(const PlanSnapshot& mine, const std::vector<Friend>& friends) {
  std::vector<ClassInCommon> shared;
  for (int row = 1; row <= kRows; ++row) {
    const StoredRow* own = CommittedRow(mine, row);
    if (!own) continue;
    for (const Friend& other : friends) {
      if (const StoredRow* theirs = SharedRow(other.plan, *own)) {
        shared.push_back({row, own->DersKodu, own->CRN, other.name, theirs->CRN});
      }
    }
  }
  return shared;
}

std::string InCommonText(const ClassInCommon& shared) {
  if (shared.SameSection()) return shared.friend_name + std::string(" ile aynı şube"_w);
  return shared.friend_name + ": " + shared.friend_crn;
}

}  // namespace kiremo::planner
