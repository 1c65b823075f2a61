#pragma once

#include "planner/plan_snapshot.h"
#include "planner/planner.h"

namespace kiremo::app {

// Whether the plan on screen holds work that is nowhere else: it differs
// from the plan last saved or loaded, or from the empty plan of the last
// reset. What counts is what a schedule file keeps (the rows' choices, the
// committed sections, the cells).
class UnsavedChanges {
 public:
  explicit UnsavedChanges(const planner::Planner& planner) : planner_(planner) {}

  // The plan as it is now is saved, loaded, or nothing to lose.
  void Kept() { kept_ = planner_.Snapshot(); }
  bool Modified() const { return planner_.Snapshot() != kept_; }

 private:
  const planner::Planner& planner_;
  planner::PlanSnapshot kept_;
};

}  // namespace kiremo::app
