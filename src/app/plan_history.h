#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "generator/panel.h"
#include "planner/grid.h"
#include "planner/plan_snapshot.h"

namespace kiremo::app {

// The plan as undo and redo bring it back: what a schedule file keeps, the
// teacher choices and the generator panel, and the file it belongs to (an
// entry of UnsavedChanges).
struct PlanState {
  planner::PlanSnapshot plan;
  std::array<int, planner::kRows> teachers{};  // rows 1..10 at 0..9, -1 for none
  generator::GeneratorPanel panel;
  int document = 0;
};

bool operator==(const generator::GeneratorPanel& a, const generator::GeneratorPanel& b);
bool operator==(const PlanState& a, const PlanState& b);

// The steps of the plan, each with its name as the "Düzen" menu shows it and
// the plan before and after it. A new step drops the steps undone before it.
class PlanHistory {
 public:
  // The oldest steps are dropped beyond this many.
  static constexpr std::size_t kMostSteps = 100;

  // A step that left the plan as it was is not one. A step that `joins`
  // right after another such step replaces it, keeping the plan before the
  // first (browsing the alternatives one after another is one step).
  void Record(std::string name, PlanState before, PlanState after, bool joins = false);
  bool CanUndo() const { return done_ > 0; }
  bool CanRedo() const { return done_ < steps_.size(); }
  // The names of the step undo and redo would take; empty for none.
  std::string UndoName() const { return CanUndo() ? steps_[done_ - 1].name : std::string(); }
  std::string RedoName() const { return CanRedo() ? steps_[done_].name : std::string(); }
  // The plan to show: before the last step done, after the next one undone.
  // Only when CanUndo() / CanRedo().
  const PlanState& Undo();
  const PlanState& Redo();
  void Clear();
  bool Empty() const { return steps_.empty(); }
  // Calls `visit` with every state the history holds.
  template <typename Visit>
  void ForEachState(Visit&& visit) const {
    for (const Step& step : steps_) {
      visit(step.before);
      visit(step.after);
    }
  }

 private:
  struct Step {
    std::string name;
    PlanState before;
    PlanState after;
    bool joins = false;
  };
  std::vector<Step> steps_;
  std::size_t done_ = 0;  // steps_[0..done_) are done, the rest undone
};

}  // namespace kiremo::app
