#pragma once

#include <array>
#include <optional>
#include <string>

#include "planner/plan_check.h"
#include "planner/planner.h"
#include "view/main_view.h"

namespace kiremo::app {

// Tells the student when the plan on screen no longer matches the
// catalogue: after a plan is loaded and after an update. The rows whose
// section changed or is gone are marked until they are re-picked or removed,
// and the box offers to take the new data for the changed ones.
class StalePlan {
 public:
  StalePlan(planner::Planner& planner, ui::MainView& view) : planner_(planner), view_(view) {}

  // Compares the plan with the catalogue; when something changed, marks the
  // rows and shows the box. An unreadable catalogue says nothing here: the
  // next use of it reports it. With `only_news`, the box is not shown again
  // when every change found is already marked (an update of one department
  // while the student knows of the others).
  void Check(bool only_news = false);
  // After every event: a row stays marked while it holds the section as it
  // was when checked.
  void Refresh();

  // The full update resets the plan when it starts and gives it back when
  // it ends: the plan and the caption as they were before the reset, and
  // the plan as the reset left it.
  void BeforeUpdateReset(bool modified);
  void AfterUpdateReset();
  // Brings the plan back when the screen still shows the reset one (the
  // student may have started another meanwhile); true when it did.
  bool RestoreAfterUpdate();
  // Whether the plan held unsaved changes when the update reset it.
  bool ModifiedBeforeUpdate() const { return modified_before_update_; }

 private:
  void Mark(const planner::PlanCheck& check, const planner::PlanSnapshot& plan);

  planner::Planner& planner_;
  ui::MainView& view_;
  // Rows 1..10 at 0..9: the record as the check found it.
  std::array<std::optional<planner::StoredRow>, planner::kRows> marked_;
  std::optional<planner::PlanSnapshot> before_update_;
  std::string caption_before_update_;
  bool modified_before_update_ = false;
  planner::PlanSnapshot after_reset_;
};

}  // namespace kiremo::app
