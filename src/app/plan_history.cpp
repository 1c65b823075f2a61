#include "app/plan_history.h"

#include <utility>

namespace kiremo::app {

void PlanHistory::Record(std::string name, PlanState before, PlanState after) {
  if (before == after) return;
  steps_.resize(done_);
  if (steps_.size() == kMostSteps) steps_.erase(steps_.begin());
  steps_.push_back({std::move(name), std::move(before), std::move(after)});
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
