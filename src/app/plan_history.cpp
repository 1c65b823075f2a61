#include "app/plan_history.h"

#include <utility>

namespace kiremo::app {

bool operator==(const generator::GeneratorPanel& a, const generator::GeneratorPanel& b) {
  return a.first_hour == b.first_hour && a.end_hour == b.end_hour && a.free_days == b.free_days &&
         a.unwanted_buildings == b.unwanted_buildings && a.own_department_only == b.own_department_only &&
         a.own_department == b.own_department;
}

bool operator==(const PlanState& a, const PlanState& b) {
  return a.plan == b.plan && a.teachers == b.teachers && a.panel == b.panel && a.document == b.document;
}

void PlanHistory::Record(std::string name, PlanState before, PlanState after, bool joins) {
  if (before == after) return;
  steps_.resize(done_);
  if (joins && !steps_.empty() && steps_.back().joins) {
    steps_.back().name = std::move(name);
    steps_.back().after = std::move(after);
    return;
  }
  if (steps_.size() == kMostSteps) steps_.erase(steps_.begin());
  steps_.push_back({std::move(name), std::move(before), std::move(after), joins});
  done_ = steps_.size();
}

const PlanState& PlanHistory::Undo() {
  --done_;
  return steps_[done_].before;
}

const PlanState& PlanHistory::Redo() {
  ++done_;
  return steps_[done_ - 1].after;
}

void PlanHistory::Clear() {
  steps_.clear();
  done_ = 0;
}

}  // namespace kiremo::app
